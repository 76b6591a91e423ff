#include "AcknowledgementTimer.h"
#include "BoardPackets.h"
#include "ClockPackets.h"
#include "ExtensionParameters.h"
#include "FactoryConfiguration.h"
#include "PacketCode.h"
#include "SimulatedTimers.h"
#include "TestSupport.h"
#include "TieLineParameters.h"

#include <algorithm>

namespace {
ExtensionParameters::RingTable ringTable(ExtensionParameters::RingFrequency frequency, double amplitude)
{
    ExtensionParameters::RingTable table{};
    EXPECT_TRUE(ExtensionParameters::buildRingTable(frequency, amplitude, table));
    return table;
}

int firstEndMarker(const ExtensionParameters::RingTable &table)
{
    return int(std::find(table.cbegin(), table.cend(), ExtensionParameters::EndMarker) - table.cbegin());
}

constexpr ExtensionParameters::RingFrequency Hz20{20, 20};
constexpr ExtensionParameters::RingFrequency Hz25{32, 25};
constexpr ExtensionParameters::RingFrequency Hz17{23, 18};
} // namespace

TEST(ClockPackets, ReadAsksWithPortIdZeroAndSetCarriesTheYearAsYearInCenturyAndCentury)
{
    const DevicePacket read = ClockPackets::readRequest();
    EXPECT_EQ(read.code, PacketCode::Clock);
    EXPECT_EQ(read.payload, bytes("00 00"));

    const DevicePacket set = ClockPackets::setClock(QDate(2009, 3, 14), QTime(15, 9, 26));
    EXPECT_EQ(set.code, PacketCode::SetClock);
    EXPECT_EQ(set.payload, bytes("00 00 1A 09 0F 0E 03 09 00 14"));
    EXPECT_EQ(ClockPackets::setClock(QDate(2100, 1, 1), QTime(0, 0)).payload, bytes("00 00 00 00 00 01 01 00 00 15"));
}

TEST(BoardPackets, ReadRequestAndTheSerialAndDateWritesOfASlot)
{
    const DevicePacket read = BoardPackets::readRequest();
    EXPECT_EQ(read.code, PacketCode::BoardInfo);
    EXPECT_EQ(read.payload, QByteArray("\0\0rR", 4));

    const DevicePacket serial = BoardPackets::serialNumber(0, "ORX4127");
    EXPECT_EQ(serial.code, PacketCode::BoardParameters);
    EXPECT_EQ(serial.payload, bytes("00 00 00 02 0A 00") + "ORX4127");
    EXPECT_EQ(BoardPackets::manufactureDate(6, "20050228").payload, bytes("00 00 06 02 0A 01") + "20050228");
}

TEST(ExtensionParameters, BitRevMirrorsTheBitsAndNeverYieldsTheEndMarker)
{
    quint8 result = 0;
    ASSERT_TRUE(ExtensionParameters::BitRev(127, result));
    EXPECT_EQ(result, 254);
    ASSERT_TRUE(ExtensionParameters::BitRev(1, result));
    EXPECT_EQ(result, 128);
    ASSERT_TRUE(ExtensionParameters::BitRev(0xB4, result));
    EXPECT_EQ(result, 0x2D);
    ASSERT_TRUE(ExtensionParameters::BitRev(255, result));
    EXPECT_EQ(result, 127);
    for (int v = 0; v <= 255; ++v) {
        ASSERT_TRUE(ExtensionParameters::BitRev(v, result));
        EXPECT_NE(result, ExtensionParameters::EndMarker) << v;
    }
    result = 9;
    EXPECT_FALSE(ExtensionParameters::BitRev(256, result));
    EXPECT_FALSE(ExtensionParameters::BitRev(-1, result));
    EXPECT_EQ(result, 9);
}

TEST(ExtensionParameters, TwentyHertzTableStartsWithTheReversedCentreAndEndsInEndMarkers)
{
    const ExtensionParameters::RingTable table = ringTable(Hz20, 5.0);
    EXPECT_EQ(table[0], 254);
    EXPECT_EQ(firstEndMarker(table), 20);
    EXPECT_TRUE(std::all_of(table.cbegin() + 20, table.cend(), [](quint8 v) { return v == 255; }));

    const QByteArray part0 = ExtensionParameters::ringTablePart(3, table, 0).payload;
    EXPECT_EQ(part0.left(7), bytes("00 00 03 12 0A 00 FE"));
    EXPECT_EQ(part0.size(), 14);
    EXPECT_EQ(ExtensionParameters::ringTablePart(3, table, 2).payload.right(4), bytes("FF FF FF FF"));
    for (int part : {3, 4})
        EXPECT_EQ(ExtensionParameters::ringTablePart(3, table, part).payload.mid(6), bytes("FF FF FF FF FF FF FF FF"));
}

TEST(ExtensionParameters, EachFrequencyFillsItsSamplesAndTheFullAmplitudeStaysWithinAByte)
{
    EXPECT_EQ(firstEndMarker(ringTable(Hz25, 5.0)), 32);
    EXPECT_EQ(firstEndMarker(ringTable(Hz17, 5.0)), 23);

    const ExtensionParameters::RingTable full = ringTable(Hz20, 10.0);
    EXPECT_EQ(firstEndMarker(full), 20);
    // Peaks of 254 and 0 before the reversal.
    EXPECT_NE(std::find(full.cbegin(), full.cend(), quint8(127)), full.cend());
    EXPECT_NE(std::find(full.cbegin(), full.cend(), quint8(0)), full.cend());

    ExtensionParameters::RingTable untouched{};
    untouched.fill(7);
    EXPECT_FALSE(ExtensionParameters::buildRingTable(Hz20, 10.5, untouched));
    EXPECT_EQ(untouched[0], 7);
}

TEST(ExtensionParameters, TimingsAndDefaultCadencesTravelInTheirPacketOrder)
{
    const ExtensionParameters::Timings timings{50, 51, 8, 52, 5, 16, 6, 17, 60};
    EXPECT_EQ(ExtensionParameters::timingsPacket(4, timings).payload,
              bytes("00 00 04 11 0A 32 33 08 34 05 10 06 11 3C"));

    ExtensionParameters parameters;
    EXPECT_EQ(parameters.cadencePacket(1, 7).payload, bytes("00 00 01 04 0B 07 00 0A 0D FF FF FF FF FF FF"));
    EXPECT_EQ(parameters.cadencePacket(0, 3).payload, bytes("00 00 00 04 0B 03 00 06 02 06 02 06 06 FF FF"));
    EXPECT_EQ(parameters.cadencePacket(0, 5).payload.mid(7), bytes("0A 20 FF FF FF FF FF FF"));

    parameters.setStep(5, 2, 9);
    EXPECT_EQ(parameters.cadence(5)[2], 9);
    parameters.BuildCadence();
    EXPECT_EQ(parameters.cadence(5)[2], 255);
}

TEST(TieLineParameters, LevelsAndStartTimeRoundToTheNearestHalvesToEven)
{
    EXPECT_EQ(TieLineParameters::levelByte(7.6), 38);
    EXPECT_EQ(TieLineParameters::levelByte(7.5), 38);  // 37.5
    EXPECT_EQ(TieLineParameters::levelByte(7.7), 38);  // 38.5
    EXPECT_EQ(TieLineParameters::levelByte(7.9), 40);  // 39.5
    EXPECT_EQ(TieLineParameters::levelByte(50), 250);
    EXPECT_EQ(TieLineParameters::startDetectByte(132), 1);
    EXPECT_EQ(TieLineParameters::startDetectByte(200), 2);
    EXPECT_EQ(TieLineParameters::startDetectByte(1000), 8);
    EXPECT_EQ(TieLineParameters::startDetectByte(330), 2); // 2.5

    EXPECT_EQ(TieLineParameters::ringingDetectionPacket({38, 38, 38, 38}, 1).payload,
              bytes("00 00 06 11 09 26 26 26 26 26 26 26 26 01"));
    EXPECT_EQ(TieLineParameters::ringingDetectionPacket({5, 6, 7, 8}, 8).payload.mid(5),
              bytes("05 06 07 08 05 06 07 08 08"));
}

TEST(TieLineParameters, PulseTrainsHoldTheFlashAndOnePulsePerDigitEndingWithTheInterdigitGap)
{
    TieLineParameters parameters;
    parameters.BuildCadence({10, 110, 10, 5, 110});

    EXPECT_EQ(parameters.pulsePartPacket(0, 0).payload, bytes("00 00 06 04 0B 00 00 0A 6E FF FF FF FF FF FF"));
    EXPECT_EQ(parameters.pulsePartPacket(3, 0).payload.mid(7), bytes("0A 05 0A 05 0A 6E FF FF"));
    EXPECT_EQ(parameters.pulsePartPacket(10, 2).payload, bytes("00 00 06 04 0B 0A 02 0A 05 0A 6E FF FF FF FF"));
    for (int digit = 0; digit <= TieLineParameters::LastDigit; ++digit)
        EXPECT_EQ(parameters.pulsePartPacket(digit, 3).payload.mid(7), bytes("FF FF FF FF FF FF FF FF")) << digit;
    const TieLineParameters::Train &longest = parameters.train(10);
    EXPECT_EQ(std::find(longest.cbegin(), longest.cend(), TieLineParameters::NoPulse) - longest.cbegin(), 20);
}

TEST(FactoryConfiguration, DefaultPayloadAndTheResetCommand)
{
    const DevicePacket build = FactoryConfiguration::buildPacket({});
    EXPECT_EQ(build.code, PacketCode::FactoryConfiguration);
    EXPECT_EQ(build.payload, bytes("00 00 05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00"));

    FactoryConfiguration::Settings separate;
    separate.tieLineBoard = false;
    separate.boardTypes = {FactoryConfiguration::MagnetoBoard, FactoryConfiguration::TieLineBoard,
                           FactoryConfiguration::SystemBoard, FactoryConfiguration::NoBoard,
                           FactoryConfiguration::ExtensionBoard};
    separate.extensionTxGain = 30;
    separate.tieLineRxGain = 0;
    separate.digits = FactoryConfiguration::TwoDigits;
    EXPECT_EQ(FactoryConfiguration::buildPacket(separate).payload,
              bytes("00 00 05 0A 1E 0D 05 00 00 85 84 00 01 83 00 00 00 00 00"));

    const DevicePacket reset = FactoryConfiguration::resetPacket();
    EXPECT_EQ(reset.code, PacketCode::ResetSystem);
    EXPECT_EQ(reset.payload, QByteArray("\0\0rR", 4));
}

TEST(AcknowledgementTimer, ReportsAMissingAcknowledgementOnceAfterASecondAndKeepsAReceivedOneTwo)
{
    SimulatedTimers timers;
    QList<bool> expiries;
    AcknowledgementTimer timer(timers, [&expiries](bool received) { expiries.append(received); });

    timer.packetSent();
    timers.advance(999);
    EXPECT_TRUE(expiries.isEmpty());
    timers.advance(1);
    EXPECT_EQ(expiries, QList<bool>{false});
    timers.advance(5000);
    EXPECT_EQ(expiries, QList<bool>{false});

    timer.packetSent();
    timers.advance(500);
    timer.acknowledged();
    timers.advance(1999);
    EXPECT_EQ(expiries.size(), 1);
    timers.advance(1);
    EXPECT_EQ(expiries, (QList<bool>{false, true}));
    EXPECT_FALSE(timer.isActive());
}
