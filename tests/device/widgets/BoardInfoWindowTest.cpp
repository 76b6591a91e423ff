#include "device/widgets/DeviceWindowFixture.h"

#include "device/widgets/BoardInfoWindow.h"
#include "link/PacketCode.h"

namespace {

class BoardInfoWindowTest : public DeviceWindowFixture<BoardInfoWindow>
{
protected:
    void save(int row, const char *serial, const char *date)
    {
        box(QStringLiteral("txtSerial%1").arg(row))->setText(QString::fromLatin1(serial));
        box(QStringLiteral("txtManu%1").arg(row))->setText(QString::fromLatin1(date));
        click(QStringLiteral("cmdSave%1").arg(row));
    }
};

TEST_F(BoardInfoWindowTest, ShowsEveryRowAsReported)
{
    BoardInformation boards;
    boards.rows[0] = {QStringLiteral("ORX4127"), QStringLiteral("14/03/2008")};
    boards.rows[3] = {QStringLiteral("Missing"), QString()};
    m_window->fill(boards);
    EXPECT_EQ(shownIn(m_window.data(), "txtSerial0 txtManu0 txtSerial3 txtManu3 labSlot6"),
              QStringLiteral("ORX4127|14/03/2008|Missing||Slot 7"));
}

TEST_F(BoardInfoWindowTest, WritesTheSerialThenOnItsAcknowledgementTheDateAndReportsTheSecond)
{
    save(0, "ORX4127", "14/03/2008");
    EXPECT_EQ(sent(PacketCode::BoardParameters), QList<QByteArray>{bytes("00 00 00 02 0A 00") + "ORX4127"});
    m_window->DataReceived();
    EXPECT_EQ(sent(PacketCode::BoardParameters).value(1), bytes("00 00 00 02 0A 01") + "20080314");
    EXPECT_EQ(messages(), strings({"Write serial number ORX4127 and manufacture date 14/03/2008 to the board in Slot 1?"}));
    m_window->DataReceived();
    EXPECT_EQ(messages().constLast(), QStringLiteral("Send Info to Board 1"));
    m_window->DataReceived();
    EXPECT_EQ(m_frames.size(), 2);
    EXPECT_EQ(messages().size(), 2);

    reopenDeclining();
    save(0, "ORX4127", "14/03/2008");
    EXPECT_EQ(m_frames.size(), 2);
}

TEST_F(BoardInfoWindowTest, WithoutAnAcknowledgementTheDateIsNeverSent)
{
    save(5, "ORX5862", "07/09/2009");
    m_timers.advance(60000);
    EXPECT_EQ(sent(PacketCode::BoardParameters), QList<QByteArray>{bytes("00 00 05 02 0A 00") + "ORX5862"});
    EXPECT_EQ(messages().size(), 1);
}

TEST_F(BoardInfoWindowTest, RefusesADateOrSerialTheBoardCannotTake)
{
    const std::tuple<const char *, const char *, const char *> refusals[] = {
        {"ORX41", "3/2/2005", "Manufacture Date invalid"},    {"ORX41", "03/02/2005", "Serial Number invalid"},
        {"ORX412\x01", "03/02/2005", "Serial Number invalid"}, {"ORX4127", "03-02-2005", "Manufacture Date invalid"},
        {"ORX4127", "31/02/2005", "Manufacture Date invalid"}, {"ORX4127", "00/01/2005", "Manufacture Date invalid"},
    };
    for (const auto &[serial, date, message] : refusals) {
        m_messages.clearShownMessages();
        save(2, serial, date);
        EXPECT_EQ(messages(), strings({message})) << date;
    }
    EXPECT_TRUE(m_frames.isEmpty());
}

} // namespace
