#include "device/ExtensionParameters.h"

#include "link/PacketCode.h"
#include "model/FieldFunctions.h"

#include <cmath>
#include <initializer_list>

namespace {
constexpr int PortIdLength = 2;
constexpr char TimingsMessage = 17;
constexpr char TimingsLength = 10;
constexpr char RingTableMessage = 18;
constexpr char RingTableMessageLength = 10;
constexpr char CadenceMessage = 4;
constexpr char CadenceLength = 11;
constexpr char CadenceReserved = 0;

// The waveform as the exchange's sample clock sees it: one sample every
// 2.5 ms, centred on 127 with 127 for the full ten volts.
constexpr double Pi = 3.1415927;
constexpr double SampleSeconds = 0.0025;
constexpr double SampleCentre = 127.0;
constexpr double SampleSwing = 127.0;

constexpr int BitsPerByte = 8;
constexpr int ByteMaximum = 255;

const std::initializer_list<quint8> DefaultCadences[ExtensionParameters::CadenceCount] = {
    {6, 13},            // single
    {6, 1},             // rapid
    {6, 2, 6, 6},       // double
    {6, 2, 6, 2, 6, 6}, // triple
    {7, 1, 4, 10},      // long short
    {10, 32},           // NMT
    {4, 4},             // very rapid
    {10, 13},           // long single
    {6, 13},            // single
    {6, 13},            // single
    {6, 13},            // single
};

QByteArray header(quint8 slot, char message, char length)
{
    QByteArray payload = EVal(0, PortIdLength);
    payload += char(slot);
    payload += message;
    payload += length;
    return payload;
}
} // namespace

ExtensionParameters::ExtensionParameters()
{
    BuildCadence();
}

void ExtensionParameters::BuildCadence()
{
    for (int c = 0; c < CadenceCount; ++c) {
        Cadence &cadence = m_cadences[std::size_t(c)];
        cadence.fill(EndMarker);
        std::size_t step = 0;
        for (quint8 value : DefaultCadences[c])
            cadence[step++] = value;
    }
}

void ExtensionParameters::setStep(int cadence, int step, quint8 value)
{
    m_cadences.at(std::size_t(cadence)).at(std::size_t(step)) = value;
}

bool ExtensionParameters::BitRev(int value, quint8 &result)
{
    if (value < 0 || value > ByteMaximum)
        return false;
    const int source = value == EndMarker ? EndMarker - 1 : value;
    int reversed = 0;
    for (int k = 0; k < BitsPerByte; ++k) {
        if (source & (1 << k))
            reversed |= 1 << (BitsPerByte - 1 - k);
    }
    result = quint8(reversed);
    return true;
}

bool ExtensionParameters::buildRingTable(RingFrequency frequency, double amplitude, RingTable &table)
{
    RingTable built;
    built.fill(EndMarker);
    const int samples = qMin(frequency.samplesPerTable, RingTableLength);
    for (int j = 0; j < samples; ++j) {
        const double x = (2.0 * frequency.factor) * Pi * j * SampleSeconds;
        const double v = std::floor(amplitude / MaximumAmplitude * std::sin(x) * SampleSwing + 0.5) + SampleCentre;
        if (!(v >= 0 && v <= ByteMaximum) || !BitRev(int(v), built[std::size_t(j)]))
            return false;
    }
    table = built;
    return true;
}

DevicePacket ExtensionParameters::timingsPacket(quint8 slot, const Timings &timings)
{
    QByteArray payload = header(slot, TimingsMessage, TimingsLength);
    for (quint8 value : {timings.onHook, timings.offHook, timings.flashMin, timings.flashMax, timings.ldLowMin,
                         timings.ldLowMax, timings.ldHighMin, timings.ldHighMax, timings.ldInterGap})
        payload += char(value);
    return {PacketCode::BoardParameters, payload};
}

DevicePacket ExtensionParameters::ringTablePart(quint8 slot, const RingTable &table, int part)
{
    QByteArray payload = header(slot, RingTableMessage, RingTableMessageLength);
    payload += char(part);
    for (int i = PartLength * part; i < PartLength * (part + 1); ++i)
        payload += char(table.at(std::size_t(i)));
    return {PacketCode::BoardParameters, payload};
}

DevicePacket ExtensionParameters::cadencePacket(quint8 slot, int cadence) const
{
    QByteArray payload = header(slot, CadenceMessage, CadenceLength);
    payload += char(cadence);
    payload += CadenceReserved;
    for (quint8 step : m_cadences.at(std::size_t(cadence)))
        payload += char(step);
    return {PacketCode::BoardParameters, payload};
}
