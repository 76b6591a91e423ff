#include "FuzzSupport.h"
#include "device/BoardPackets.h"
#include "device/ClockPackets.h"
#include "device/ExtensionParameters.h"
#include "device/FactoryConfiguration.h"
#include "device/TieLineParameters.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "simulator/ExchangeSimulator.h"

#include <QDate>
#include <QTime>

#include <limits>

namespace {
// What an exchange receives of a packet: the simulator's record of it must
// be the packet's data byte for byte.
void deliver(const DevicePacket &packet)
{
    ExchangeSimulator exchange;
    exchange.feed(PacketSender::BuildFrame(packet.code, packet.payload));
    require(exchange.framesReceived() == 1);
    const QByteArray data = packet.payload.mid(2);
    if (packet.code == PacketCode::BoardParameters)
        require(exchange.boardParameters() == QList<QByteArray>{data});
    else if (packet.code == PacketCode::FactoryConfiguration)
        require(exchange.factoryConfiguration() == data);
}

double number(FuzzReader &in)
{
    // Whole and fractional values, both signs, and far outside every range.
    const int whole = in.below(2001) - 1000;
    return whole + in.byte() / 256.0;
}
} // namespace

// Whatever the device windows pass in, every packet builder returns a packet
// that travels to the exchange unchanged, and the value checks hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzReader in(data, size);
    const quint8 slot = in.byte();

    deliver(BoardPackets::readRequest());
    deliver(BoardPackets::serialNumber(slot, in.bytes(in.below(12))));
    deliver(BoardPackets::manufactureDate(slot, in.bytes(in.below(12))));
    deliver(ClockPackets::readRequest());
    deliver(ClockPackets::setClock(QDate(in.below(10000), in.below(14), in.below(33)),
                                   QTime(in.below(25), in.below(61), in.below(61))));

    const int value = in.below(600) - 300;
    quint8 reversed = 0;
    require(ExtensionParameters::BitRev(value, reversed) == (value >= 0 && value <= 255));
    ExtensionParameters extension;
    extension.BuildCadence();
    extension.setStep(in.below(ExtensionParameters::CadenceCount), in.below(ExtensionParameters::CadenceSteps),
                      in.byte());
    for (int cadence = 0; cadence < ExtensionParameters::CadenceCount; ++cadence)
        deliver(extension.cadencePacket(slot, cadence));
    const ExtensionParameters::Timings timings{in.byte(), in.byte(), in.byte(), in.byte(), in.byte(),
                                               in.byte(), in.byte(), in.byte(), in.byte()};
    deliver(ExtensionParameters::timingsPacket(slot, timings));
    ExtensionParameters::RingTable table{};
    const ExtensionParameters::RingFrequency frequency{in.below(80) - 10, in.below(80) - 10};
    if (ExtensionParameters::buildRingTable(frequency, number(in), table)) {
        for (int part = 0; part < ExtensionParameters::RingTableParts; ++part)
            deliver(ExtensionParameters::ringTablePart(slot, table, part));
    }

    TieLineParameters tieLine;
    tieLine.BuildCadence({in.byte(), in.byte(), in.byte(), in.byte(), in.byte()});
    for (int digit = 0; digit <= TieLineParameters::LastDigit; ++digit) {
        for (int part = 0; part < TieLineParameters::PartsPerTrain; ++part)
            deliver(tieLine.pulsePartPacket(digit, part));
    }
    const int level = TieLineParameters::levelByte(number(in));
    const int start = TieLineParameters::startDetectByte(number(in) * 10);
    deliver(TieLineParameters::ringingDetectionPacket({quint8(level), quint8(level), quint8(level), quint8(level)},
                                                      quint8(start)));

    FactoryConfiguration::Settings settings;
    settings.officers = in.byte();
    settings.digits = in.byte();
    settings.extensionTxGain = in.byte();
    settings.extensionRxGain = in.byte();
    settings.tieLineTxGain = in.byte();
    settings.tieLineRxGain = in.byte();
    for (quint8 &board : settings.boardTypes)
        board = in.byte();
    settings.tieLineBoard = in.byte() & 1;
    deliver(FactoryConfiguration::buildPacket(settings));
    deliver(FactoryConfiguration::resetPacket());
    return 0;
}
