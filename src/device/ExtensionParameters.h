#pragma once

#include "device/DevicePacket.h"

#include <array>

// The line parameters of an extension board: hook and flash timings with the
// loop-disconnect dialling limits, the ringing waveform as a table of samples,
// and the eleven ring cadences. Each goes to the board as code-33 packets.
class ExtensionParameters
{
public:
    static constexpr int CadenceCount = 11;
    static constexpr int CadenceSteps = 8;
    static constexpr int RingTableLength = 41;
    static constexpr int RingTableParts = 5;
    static constexpr int PartLength = 8;
    // Ends a cadence; a ring-table entry without a sample.
    static constexpr quint8 EndMarker = 255;

    using Cadence = std::array<quint8, CadenceSteps>;
    using RingTable = std::array<quint8, RingTableLength>;

    // Values in the exchange's units, passed on unchanged.
    struct Timings
    {
        quint8 onHook;
        quint8 offHook;
        quint8 flashMin;
        quint8 flashMax;
        quint8 ldLowMin;
        quint8 ldLowMax;
        quint8 ldHighMin;
        quint8 ldHighMax;
        quint8 ldInterGap;
    };

    struct RingFrequency
    {
        int samplesPerTable;
        int factor;
    };

    // The sample value of an amplitude stays a byte up to this many volts.
    static constexpr double MaximumAmplitude = 10.0;

    ExtensionParameters();

    // The default cadences.
    void BuildCadence();
    const Cadence &cadence(int index) const { return m_cadences.at(std::size_t(index)); }
    void setStep(int cadence, int step, quint8 value);

    // Bit 7 - k of the result is bit k of value; 255 is first taken as 254, so
    // the end marker never comes out. False when value is not a byte.
    static bool BitRev(int value, quint8 &result);

    // Samples 0 .. S - 1 of the ring waveform, the rest EndMarker. False when
    // a sample does not fit a byte (an amplitude outside 0 .. MaximumAmplitude).
    static bool buildRingTable(RingFrequency frequency, double amplitude, RingTable &table);

    static DevicePacket timingsPacket(quint8 slot, const Timings &timings);
    // Entries 8 part .. 8 part + 7 of the table.
    static DevicePacket ringTablePart(quint8 slot, const RingTable &table, int part);
    DevicePacket cadencePacket(quint8 slot, int cadence) const;

private:
    std::array<Cadence, CadenceCount> m_cadences{};
};
