#include "BoardInfoWindow.h"
#include "DeviceWindowFixture.h"
#include "PacketCode.h"

namespace {
class BoardInfoWindowTest : public DeviceWindowFixture<BoardInfoWindow>
{
protected:
    void save(int row, const char *serial, const char *date)
    {
        type(QStringLiteral("txtSerial%1").arg(row), QString::fromLatin1(serial));
        type(QStringLiteral("txtManu%1").arg(row), QString::fromLatin1(date));
        click(QStringLiteral("cmdSave%1").arg(row));
    }
};
} // namespace

TEST_F(BoardInfoWindowTest, ShowsEveryRowAsReported)
{
    BoardInformation boards;
    boards.rows[0] = {QStringLiteral("ORX4127"), QStringLiteral("14/03/2008")};
    boards.rows[3] = {QStringLiteral("Missing"), QString()};
    m_window->fill(boards);
    EXPECT_EQ(box(QStringLiteral("txtSerial0"))->text(), QStringLiteral("ORX4127"));
    EXPECT_EQ(box(QStringLiteral("txtManu0"))->text(), QStringLiteral("14/03/2008"));
    EXPECT_EQ(box(QStringLiteral("txtSerial3"))->text(), QStringLiteral("Missing"));
    EXPECT_TRUE(box(QStringLiteral("txtManu3"))->text().isEmpty());
    EXPECT_EQ(control<QLabel>(QStringLiteral("labSlot6"))->text(), QStringLiteral("Slot 7"));
}

TEST_F(BoardInfoWindowTest, WritesTheSerialThenOnItsAcknowledgementTheDateAndReportsTheSecond)
{
    save(0, "ORX4127", "14/03/2008");
    ASSERT_EQ(m_recorder.packets().size(), 1);
    EXPECT_EQ(m_recorder.packets()[0].code, PacketCode::BoardParameters);
    EXPECT_EQ(m_recorder.packets()[0].payload, bytes("00 00 00 02 0A 00") + "ORX4127");

    m_window->DataReceived();
    ASSERT_EQ(m_recorder.packets().size(), 2);
    EXPECT_EQ(m_recorder.packets()[1].payload, bytes("00 00 00 02 0A 01") + "20080314");
    EXPECT_EQ(messages(), QStringList{QStringLiteral(
                              "Write serial number ORX4127 and manufacture date 14/03/2008 to the board in Slot 1?")});

    m_window->DataReceived();
    EXPECT_EQ(messages().constLast(), QStringLiteral("Send Info to Board 1"));
    m_window->DataReceived();
    EXPECT_EQ(m_recorder.count(), 2);
    EXPECT_EQ(messages().size(), 2);

    reopenDeclining();
    save(0, "ORX4127", "14/03/2008");
    EXPECT_EQ(m_recorder.count(), 2);
}

TEST_F(BoardInfoWindowTest, WithoutAnAcknowledgementTheDateIsNeverSent)
{
    save(5, "ORX5862", "07/09/2009");
    m_timers.advance(60000);
    EXPECT_EQ(m_recorder.count(), 1);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(m_recorder.packets()[0].payload.at(2), 5);
}

TEST_F(BoardInfoWindowTest, RefusesADateOrSerialTheBoardCannotTake)
{
    const struct
    {
        const char *serial;
        const char *date;
        const char *message;
    } refusals[] = {
        {"ORX41", "3/2/2005", "Manufacture Date invalid"},
        {"ORX41", "03/02/2005", "Serial Number invalid"},
        {"ORX412\x01", "03/02/2005", "Serial Number invalid"},
        {"ORX4127", "03-02-2005", "Manufacture Date invalid"},
        {"ORX4127", "31/02/2005", "Manufacture Date invalid"},
        {"ORX4127", "00/01/2005", "Manufacture Date invalid"},
    };
    for (const auto &refusal : refusals) {
        m_messages.clearShownMessages();
        save(2, refusal.serial, refusal.date);
        EXPECT_EQ(messages(), QStringList{QString::fromLatin1(refusal.message)}) << refusal.date;
    }
    EXPECT_EQ(m_recorder.count(), 0);
}
