#include "link/Dispatcher.h"
#include "link/FrameSink.h"
#include "link/LinkRecorder.h"
#include "link/PacketSender.h"
#include "support/TestSupport.h"

namespace {
class Dispatching : public ::testing::Test, public FrameSink
{
protected:
    Dispatching()
    {
        dispatcher.setTransferSink(&recorder);
        dispatcher.setDeviceSink(&recorder);
        dispatcher.setUi(&recorder);
        dispatcher.setActiveDocumentLookup([this]() -> DocumentSink * { return documentOpen ? &recorder : nullptr; });
    }

    QStringList dispatch(const QByteArray &content, bool inTransfer = false)
    {
        recorder.calls.clear();
        recorder.data.clear();
        recorder.transfer = inTransfer;
        dispatcher.ProcessPacket(content);
        return recorder.calls;
    }

    QString logged()
    {
        const QString text = log.text();
        log.clear();
        return text;
    }

    void PackSend(const QByteArray &frame) override { frames.append(frame); }

    DebugLog log;
    QList<QByteArray> frames;
    PacketSender sender{this, nullptr, &log};
    Dispatcher dispatcher{&sender, &log};
    LinkRecorder recorder;
    bool documentOpen = true;
};

const QString NL = QStringLiteral("\r\n");

// Ten boards of four 8-byte fields; board b's serial number is "SN" + b,
// its manufacture date 2005-03-0b.
QByteArray boardReport(const QList<int> &boardsWithoutSerial = {})
{
    QByteArray data;
    for (int board = 0; board < 10; ++board) {
        QByteArray serial = boardsWithoutSerial.contains(board) ? QByteArray() : "SN0000" + QByteArray::number(board);
        data += serial.leftJustified(8, '\0');
        data += "2005030" + QByteArray::number(board);
        data += QByteArray(16, '\0');
    }
    return replyPacket(32, 0, data);
}
} // namespace

TEST_F(Dispatching, EveryCodeGoesWhereTheTableSendsItInBothModes)
{
    enum Unknown { Known, UnknownOutside, UnknownAlways };
    struct Route
    {
        int code;
        QStringList outsideTransfer;
        QStringList inTransfer;
        Unknown unknown = Known;
    };
    const QStringList packetIn{QStringLiteral("PacketIn")};
    const QStringList clock{QStringLiteral("showClock")};
    const QStringList message{QStringLiteral("showMessage")};
    const QStringList boards{QStringLiteral("showBoardInformation")};
    const QStringList ack{QStringLiteral("acknowledge")};
    const Route routes[] = {
        {1, {}, {}},
        {2, {}, {}},
        {4, clock, clock},
        {8, {}, {}},
        {9, {}, {}},
        {10, {QStringLiteral("FillVP 0 1")}, packetIn},
        {11, {QStringLiteral("FillGroup 0 1")}, packetIn},
        {12, {QStringLiteral("FillACL 0 1")}, packetIn},
        {13, {}, packetIn},
        {14, {QStringLiteral("FillClassLists")}, packetIn},
        {15, {}, {QStringLiteral("StructIn")}},
        {20, {QStringLiteral("FillSystem 0 1")}, packetIn},
        {23, message, message},
        {25, {}, {}},
        {26, {}, {}},
        {29, {}, packetIn},
        {31, {}, {QStringLiteral("RecordsUsedIn")}, UnknownOutside},
        {32, boards, boards},
        {33, ack, ack},
        {36, {}, packetIn, UnknownOutside},
        {0, {}, {}, UnknownAlways},
        {255, {}, {}, UnknownAlways},
    };
    for (const Route &route : routes) {
        SCOPED_TRACE(route.code);
        const QByteArray packet = replyPacket(route.code, 5, bytes("01 02 03"));
        const QString code = QString::number(route.code);

        EXPECT_EQ(dispatch(packet, false), route.outsideTransfer);
        for (const QByteArray &handed : std::as_const(recorder.data))
            EXPECT_EQ(handed, packet);
        EXPECT_EQ(logged(), route.unknown == Known ? QString() : NL + QStringLiteral("Unknown packet ") + code);

        EXPECT_EQ(dispatch(packet, true), route.inTransfer);
        for (const QByteArray &handed : std::as_const(recorder.data))
            EXPECT_EQ(handed, packet);
        EXPECT_EQ(logged(),
                  route.unknown == UnknownAlways ? NL + QStringLiteral("##Unknown packet ") + code : QString());
    }
    EXPECT_TRUE(frames.isEmpty());
}

TEST_F(Dispatching, AcknowledgementReachesOnlyOpenVisibleWindowsAndNeverTheBoardWindowInATransfer)
{
    const QByteArray ack = replyPacket(33, 0, QByteArray());
    EXPECT_EQ(dispatch(ack), QStringList{QStringLiteral("acknowledge")});

    recorder.visible = {DeviceSink::AckReceiver::TieLineParameters, DeviceSink::AckReceiver::BoardInfo};
    EXPECT_EQ(dispatch(ack),
              (QStringList{QStringLiteral("acknowledge"), QStringLiteral("DataReceived TieLineParameters"),
                           QStringLiteral("DataReceived BoardInfo")}));

    recorder.visible.append(DeviceSink::AckReceiver::ExtensionParameters);
    EXPECT_EQ(dispatch(ack, true),
              (QStringList{QStringLiteral("acknowledge"), QStringLiteral("DataReceived ExtensionParameters"),
                           QStringLiteral("DataReceived TieLineParameters")}));
}

TEST_F(Dispatching, RecordsAndDefinitionsOutsideATransferReachOnlyTheStructuresAnOpenDocumentTakes)
{
    const auto definition = [](int structure) { return definitionPacket(structure, "S", 3, {{"Flag", 2, 1, 0}}); };
    documentOpen = false;
    for (const QByteArray &dropped :
         {replyPacket(10, 0, bytes("01")), replyPacket(11, 0, bytes("01")), replyPacket(12, 0, bytes("01")),
          replyPacket(14, 0, bytes("01")), replyPacket(20, 0, bytes("01")), definition(8), definition(14)})
        EXPECT_TRUE(dispatch(dropped).isEmpty());
    EXPECT_FALSE(recorder.exchange.ClassList().hasLayout());

    documentOpen = true;
    for (int structure : {4, 1, 6, 15, 3})
        EXPECT_TRUE(dispatch(definition(structure)).isEmpty());
    const ExchClass &exchange = recorder.exchange;
    for (const RecordClass *applied :
         {&exchange.ACL(), &exchange.VirtualPorts(), &exchange.System(), &exchange.PortToVirtual(), &exchange.Groups()})
        EXPECT_EQ(applied->Records(), 3);

    // Only the class list asks for its first record at once.
    EXPECT_TRUE(dispatch(definitionPacket(8, "CLASSLIST", 12, {{"Flag", 2, 1, 0}, {"Name", 4, 1, 10}})).isEmpty());
    EXPECT_EQ(exchange.ClassList().Records(), 12);
    EXPECT_EQ(exchange.ClassList().GetItems("Name"), 10);
    EXPECT_EQ(frames, QList<QByteArray>{bytes("7E 0E 00 02 30 30 00 00 00 00 7E")});

    for (int structure : {2, 10, 5, 0})
        EXPECT_TRUE(dispatch(definition(structure)).isEmpty());
    EXPECT_FALSE(exchange.ExtToVirtual().hasLayout());
    EXPECT_EQ(exchange.Tones(), ExchClass().Tones());

    EXPECT_EQ(dispatch(definition(14)), QStringList{QStringLiteral("BuildRights")});
    EXPECT_EQ(recorder.data, QList<QByteArray>{definition(14)});
    EXPECT_FALSE(exchange.Rights().hasLayout());

    EXPECT_EQ(frames.size(), 1);
    EXPECT_EQ(log.text(), QString());
}

TEST_F(Dispatching, ClockAndBoardReportsAreShownAndWithDebugDisplayEveryPacketIsDumpedAndListed)
{
    const QByteArray status = replyPacket(1, 0x1A2, bytes("03 04 05 06 07 08 0C 0D 0E 0F 10 11 12"));
    const QByteArray clock = replyPacket(4, 0, bytes("05 09 17 01 0C 09 03 14"));
    const QByteArray odd = bytes("02 00 02 30 30 7E 00 FF");
    for (const QByteArray &packet : {status, odd, clock})
        dispatch(packet);
    EXPECT_EQ(log.text(), QString());
    ASSERT_EQ(recorder.clocks.size(), 1);
    const ClockReading &reading = recorder.clocks.first();
    EXPECT_EQ(QStringList({reading.day, reading.month, reading.year, reading.hours, reading.minutes, reading.seconds}),
              QStringList({QStringLiteral("01"), QStringLiteral("12"), QStringLiteral("2009"), QStringLiteral("23"),
                           QStringLiteral("09"), QStringLiteral("05")}));
    EXPECT_EQ(Dispatcher::clockReading(replyPacket(4, 0, bytes("00 00 00 00 00 00 00 00"))).year,
              QStringLiteral("0000"));

    log.setDebugDisplay(true);
    for (const QByteArray &packet : {odd, QByteArray(), status, clock})
        dispatch(packet);
    EXPECT_EQ(dispatch(boardReport({3})), QStringList{QStringLiteral("showBoardInformation")});
    expectGolden(log.text().toLatin1(), "dispatcher-debug.txt");
    ASSERT_EQ(recorder.boards.size(), 1);
    const BoardInformation &shown = recorder.boards.first();
    ASSERT_EQ(shown.rows.size(), 7u);
    const std::tuple<int, const char *, const char *> rows[] = {
        {0, "SN00000", "00/03/2005"}, {3, "Missing", ""}, {6, "SN00006", "06/03/2005"}};
    for (const auto &[row, serial, date] : rows) {
        EXPECT_EQ(shown.rows[row].serialNumber, QLatin1String(serial));
        EXPECT_EQ(shown.rows[row].manufactureDate, QLatin1String(date));
    }
}

TEST(BoardReport, OnlyPrintableBytesCountAndAShortReplyShowsEverySlotMissing)
{
    const QByteArray data = QByteArrayLiteral("\x01"
                                              "AB\x7F"
                                              "C\xFF\x00\x1F"
                                              "2011\x01"
                                              "123");
    const BoardInformation shown = Dispatcher::boardInformation(replyPacket(32, 0, data));
    EXPECT_EQ(shown.rows[0].serialNumber, QStringLiteral("ABC"));
    EXPECT_EQ(shown.rows[0].manufactureDate, QStringLiteral("3/12/2011"));
    for (const BoardInformation::Row &row : Dispatcher::boardInformation(bytes("20 00 02")).rows)
        EXPECT_EQ(row.serialNumber, QStringLiteral("Missing"));
}
