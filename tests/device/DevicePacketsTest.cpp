#include "device/AcknowledgementTimer.h"
#include "device/BoardPackets.h"
#include "device/ClockPackets.h"
#include "device/ExtensionParameters.h"
#include "device/FactoryConfiguration.h"
#include "device/TieLineParameters.h"
#include "support/SimulatedTimers.h"
#include "support/TestSupport.h"

#include <algorithm>

namespace {

using RingTable = ExtensionParameters::RingTable;

RingTable ringTable(ExtensionParameters::RingFrequency frequency, double amplitude)
{
    RingTable table{};
    EXPECT_TRUE(ExtensionParameters::buildRingTable(frequency, amplitude, table));
    return table;
}

int firstEndMarker(const RingTable &table)
{
    return int(std::find(table.cbegin(), table.cend(), ExtensionParameters::EndMarker) - table.cbegin());
}

constexpr ExtensionParameters::RingFrequency Hz20{20, 20};

TEST(ClockAndBoardPackets, ClockReadsAndSetsCarryTheYearAsYearInCenturyAndCenturyAndBoardWritesNameTheirSlot)
{
    const std::pair<DevicePacket, QByteArray> packets[] = {
        {ClockPackets::readRequest(), bytes("04 00 00")},
        {ClockPackets::setClock(QDate(2009, 3, 14), QTime(15, 9, 26)), bytes("05 00 00 1A 09 0F 0E 03 09 00 14")},
        {ClockPackets::setClock(QDate(2100, 1, 1), QTime(0, 0)), bytes("05 00 00 00 00 00 01 01 00 00 15")},
        {BoardPackets::readRequest(), bytes("20 00 00") + "rR"},
        {BoardPackets::serialNumber(0, "ORX4127"), bytes("21 00 00 00 02 0A 00") + "ORX4127"},
        {BoardPackets::manufactureDate(6, "20050228"), bytes("21 00 00 06 02 0A 01") + "20050228"}};
    for (const auto &[packet, expected] : packets)
        EXPECT_EQ(char(packet.code) + packet.payload, expected);
}

TEST(ExtensionParameters, BitRevMirrorsTheBitsAndNeverYieldsTheEndMarker)
{
    quint8 result = 0;
    const std::pair<int, int> mirrors[] = {{127, 254}, {1, 128}, {0xB4, 0x2D}, {255, 127}};
    for (const auto &[value, mirrored] : mirrors) {
        ASSERT_TRUE(ExtensionParameters::BitRev(value, result));
        EXPECT_EQ(result, mirrored) << value;
    }
    for (int v = 0; v <= 255; ++v) {
        ASSERT_TRUE(ExtensionParameters::BitRev(v, result));
        EXPECT_NE(result, ExtensionParameters::EndMarker) << v;
    }
    result = 9;
    EXPECT_FALSE(ExtensionParameters::BitRev(256, result));
    EXPECT_FALSE(ExtensionParameters::BitRev(-1, result));
    EXPECT_EQ(result, 9);
}

TEST(ExtensionParameters, TheRingTableHoldsItsFrequencysSamplesReversedThenEndMarkersInFiveParts)
{
    const RingTable table = ringTable(Hz20, 5.0);
    EXPECT_EQ(table[0], 254);
    EXPECT_EQ(firstEndMarker(table), 20);
    const QByteArray part0 = ExtensionParameters::ringTablePart(3, table, 0).payload;
    EXPECT_EQ(part0.left(7), bytes("00 00 03 12 0A 00 FE"));
    EXPECT_EQ(part0.size(), 14);
    EXPECT_EQ(ExtensionParameters::ringTablePart(3, table, 2).payload.right(4), bytes("FF FF FF FF"));
    for (int part : {3, 4})
        EXPECT_EQ(ExtensionParameters::ringTablePart(3, table, part).payload.mid(6), bytes("FF FF FF FF FF FF FF FF"));

    EXPECT_EQ(firstEndMarker(ringTable({32, 25}, 5.0)), 32);
    // The full amplitude peaks at 254 and 0 before the reversal.
    const RingTable full = ringTable(Hz20, 10.0);
    EXPECT_EQ(firstEndMarker(full), 20);
    EXPECT_NE(std::find(full.cbegin(), full.cend(), quint8(127)), full.cend());
    EXPECT_NE(std::find(full.cbegin(), full.cend(), quint8(0)), full.cend());
    RingTable untouched{};
    untouched.fill(7);
    EXPECT_FALSE(ExtensionParameters::buildRingTable(Hz20, 10.5, untouched));
    EXPECT_EQ(untouched[0], 7);
}

TEST(ExtensionParameters, TimingsAndDefaultCadencesTravelInTheirPacketOrder)
{
    EXPECT_EQ(ExtensionParameters::timingsPacket(4, {50, 51, 8, 52, 5, 16, 6, 17, 60}).payload,
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
    // 37.5, 38.5 and 39.5 go to the even neighbour.
    const std::pair<double, int> levels[] = {{7.6, 38}, {7.5, 38}, {7.7, 38}, {7.9, 40}, {50.0, 250}};
    for (const auto &[level, byte] : levels)
        EXPECT_EQ(TieLineParameters::levelByte(level), byte) << level;
    const std::pair<int, int> starts[] = {{132, 1}, {200, 2}, {1000, 8}, {330, 2}};
    for (const auto &[start, byte] : starts)
        EXPECT_EQ(TieLineParameters::startDetectByte(start), byte) << start;
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

TEST(FactoryConfiguration, DefaultAndChosenPayloadsAndTheResetCommand)
{
    const DevicePacket defaults = FactoryConfiguration::buildPacket({});
    EXPECT_EQ(char(defaults.code) + defaults.payload,
              bytes("17 00 00 05 64 0D 0D 05 05 00 83 83 83 83 83 00 84 00 00 00"));
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
    EXPECT_EQ(char(FactoryConfiguration::resetPacket().code) + FactoryConfiguration::resetPacket().payload,
              bytes("16 00 00") + "rR");
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
    EXPECT_EQ(expiries.size(), 1);
    timer.packetSent();
    timers.advance(500);
    timer.acknowledged();
    timers.advance(1999);
    EXPECT_EQ(expiries.size(), 1);
    timers.advance(1);
    EXPECT_EQ(expiries, (QList<bool>{false, true}));
    EXPECT_FALSE(timer.isActive());
}

} // namespace
