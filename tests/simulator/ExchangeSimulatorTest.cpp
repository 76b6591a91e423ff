#include "simulator/ExchangeSimulator.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

namespace {
class SimulatedExchange : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(sample);
        SampleConfiguration::build(simulator.configuration());
        simulator.setClock([this] { return now; });
    }

    QList<QByteArray> request(int code, int portId, const QByteArray &data = QByteArray())
    {
        return simulator.feed(PacketSender::BuildFrame(code, EVal(portId, 2) + data));
    }

    // The content of the one reply, as the program's receiver hands it on.
    QByteArray onlyContent(const QList<QByteArray> &frames)
    {
        QList<QByteArray> all;
        Receiver receiver([&all](const QByteArray &content) { all.append(content); });
        for (const QByteArray &frame : frames)
            receiver.ProcessInput(frame);
        return all.size() == 1 ? all.first() : QByteArray();
    }

    ExchClass sample;
    ExchangeSimulator simulator;
    QDateTime now{QDate(2009, 3, 14), QTime(15, 9, 26)};
};
} // namespace

TEST_F(SimulatedExchange, DescribesAStructureWithoutRecordsAsEmptyAndNumbersWithoutOneAsNoLayout)
{
    EXPECT_EQ(request(PacketCode::StructureDefinition, 5),
              QList<QByteArray>{bytes("7E 0F 00 18 30 30 05 00") + QByteArray(26, '\0') + bytes("7E")});
    for (int number : {0, 7, 9, 11, 12, 13, 16}) {
        RecordClass empty;
        empty.BuildStructure(onlyContent(request(PacketCode::StructureDefinition, number)));
        EXPECT_FALSE(empty.hasLayout()) << number;
        EXPECT_EQ(empty.Records(), 0) << number;
    }
}

TEST_F(SimulatedExchange, SendsTheStoredUsedMapOrOneMarkingEveryRecordUsed)
{
    EXPECT_EQ(onlyContent(request(PacketCode::RecordsUsed, 8)),
              replyPacket(PacketCode::RecordsUsed, 8, sample.ClassList().usedMap()));
    // Neither the system nor the physical ports keep a map.
    EXPECT_EQ(onlyContent(request(PacketCode::RecordsUsed, 6)), replyPacket(PacketCode::RecordsUsed, 6, bytes("01")));
    ASSERT_EQ(sample.PortToVirtual().Records(), 112);
    EXPECT_EQ(onlyContent(request(PacketCode::RecordsUsed, 15)),
              replyPacket(PacketCode::RecordsUsed, 15, QByteArray(14, '\xFF')));
    EXPECT_EQ(onlyContent(request(PacketCode::RecordsUsed, 5)), replyPacket(PacketCode::RecordsUsed, 5, QByteArray()));
}

TEST_F(SimulatedExchange, AnswersRecordReadsAndStoresWritesWithinRangeUnderTheRequestCode)
{
    // Delimiter, escape and stuffed values must survive both directions.
    RecordClass acl = sample.ACL();
    acl.SetString("Name", 2, QByteArray("~}p\x7f\xff"));
    const QByteArray image = acl.record(2);
    ASSERT_NE(image, sample.ACL().record(2));
    EXPECT_EQ(onlyContent(request(acl.RequestCode(), 3)), replyPacket(acl.RequestCode(), 3, sample.ACL().record(3)));

    const QList<QByteArray> replies = request(acl.SendCode(), 2, image);
    EXPECT_EQ(onlyContent(replies), replyPacket(acl.RequestCode(), 2, image));
    EXPECT_EQ(simulator.configuration().ACL().record(2), image);
    EXPECT_EQ(request(acl.RequestCode(), 2), replies);
    EXPECT_EQ(simulator.configuration().ACL().record(3), sample.ACL().record(3));

    EXPECT_TRUE(request(acl.RequestCode(), acl.Records()).isEmpty());
    EXPECT_TRUE(request(acl.SendCode(), acl.Records(), image).isEmpty());
    EXPECT_TRUE(request(sample.Rights().RequestCode(), 0).isEmpty());
}

TEST_F(SimulatedExchange, LeavesEveryNthReceivedFrameUnansweredWhenDropping)
{
    simulator.setDropEvery(3);
    QList<int> answered;
    for (int i = 0; i < 7; ++i)
        answered.append(int(request(PacketCode::StructureDefinition, i).size()));
    EXPECT_EQ(answered, (QList<int>{1, 1, 0, 1, 1, 0, 1}));
    request(PacketCode::ResetSystem, 0, "rR");
    EXPECT_EQ(simulator.framesReceived(), 8);
    EXPECT_EQ(simulator.framesDropped(), 2);
    EXPECT_EQ(simulator.framesAnswered(), 5);
}

TEST_F(SimulatedExchange, IgnoresToneRequestsAndWritesWithoutToneSupport)
{
    const RecordClass &tones = sample.Tones();
    ASSERT_EQ(request(tones.RequestCode(), 0).size(), 1);
    simulator.setNoTones(true);
    EXPECT_TRUE(request(tones.RequestCode(), 0).isEmpty());
    EXPECT_TRUE(request(tones.SendCode(), 0, tones.record(1)).isEmpty());
    EXPECT_EQ(simulator.configuration().Tones().record(0), tones.record(0));
    EXPECT_EQ(request(sample.ClassList().RequestCode(), 0).size(), 1);
}

TEST_F(SimulatedExchange, ReadsItsClockFromTheSourceAndFollowsASetTime)
{
    EXPECT_EQ(onlyContent(request(PacketCode::Clock, 0)),
              replyPacket(PacketCode::Clock, 0, bytes("1A 09 0F 0E 03 09 06 14")));

    EXPECT_TRUE(request(PacketCode::SetClock, 0, bytes("00 00 0C 1D 02 18 00 14")).isEmpty());
    now = now.addSecs(90);
    EXPECT_EQ(onlyContent(request(PacketCode::Clock, 0)),
              replyPacket(PacketCode::Clock, 0, bytes("1E 01 0C 1D 02 18 04 14")));

    // 31 February: the clock keeps its setting.
    request(PacketCode::SetClock, 0, bytes("00 00 0C 1F 02 18 00 14"));
    EXPECT_EQ(onlyContent(request(PacketCode::Clock, 0)),
              replyPacket(PacketCode::Clock, 0, bytes("1E 01 0C 1D 02 18 04 14")));
}

TEST_F(SimulatedExchange, AcknowledgesBoardSerialPacketsAndReportsThemInTheBoardInfo)
{
    constexpr int BoardBytes = ExchangeSimulator::BoardFieldCount * ExchangeSimulator::BoardFieldLength;
    const auto field = [](const QByteArray &content, int board, int f) {
        return Mid(content, 8 + BoardBytes * board + ExchangeSimulator::BoardFieldLength * f,
                   ExchangeSimulator::BoardFieldLength);
    };

    const QByteArray before = onlyContent(request(PacketCode::BoardInfo, 0, "rR"));
    ASSERT_EQ(before.size(), 7 + ExchangeSimulator::BoardCount * BoardBytes + 4);

    const QList<QByteArray> ack{bytes("7E 21 00 02 30 30 00 00 00 00 00 00 7E")};
    EXPECT_EQ(request(PacketCode::BoardParameters, 0, bytes("03 02 0A 00") + "ORX9170"), ack);
    EXPECT_EQ(request(PacketCode::BoardParameters, 0, bytes("03 02 0A 01") + "20240229"), ack);
    // Other board parameters (here a ring cadence) are acknowledged and change nothing.
    EXPECT_EQ(request(PacketCode::BoardParameters, 0, bytes("01 04 0B 02 00 01 02 03 04 05 06 07 08")), ack);

    const QByteArray after = onlyContent(request(PacketCode::BoardInfo, 0, "rR"));
    EXPECT_EQ(field(after, 3, 0), QByteArray("ORX9170\0", 8));
    EXPECT_EQ(field(after, 3, 1), QByteArray("20240229"));
    EXPECT_EQ(after.left(7 + 3 * BoardBytes), before.left(7 + 3 * BoardBytes));
    EXPECT_EQ(after.mid(7 + 4 * BoardBytes), before.mid(7 + 4 * BoardBytes));
}

TEST_F(SimulatedExchange, ReportsAFactoryRebuildButAnswersNoResetOrUnknownCode)
{
    EXPECT_EQ(onlyContent(request(PacketCode::FactoryConfiguration, 0,
                                  bytes("05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00"))),
              replyPacket(PacketCode::FactoryConfiguration, 0, QByteArray()));
    EXPECT_EQ(simulator.factoryConfiguration(), bytes("05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00"));
    EXPECT_TRUE(request(PacketCode::ResetSystem, 0, "rR").isEmpty());
    EXPECT_TRUE(request(PacketCode::ResetSystem, 0, "xx").isEmpty());
    EXPECT_EQ(simulator.resetsReceived(), 1);
    EXPECT_TRUE(request(2, 0).isEmpty());
    EXPECT_TRUE(simulator.feed(bytes("7E 0F 00 7E")).isEmpty());
}
