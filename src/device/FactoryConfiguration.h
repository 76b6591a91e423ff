#pragma once

#include "device/DevicePacket.h"

#include <array>

// The exchange's hardware as the engineer describes it to rebuild the factory
// configuration (code 23), and the system reset (code 22).
class FactoryConfiguration
{
public:
    static constexpr int SlotCount = 5;
    // Gain lists: item i means 3 - i dB; the packet carries i.
    static constexpr int GainCount = 31;
    static constexpr int TopGain = 3;
    static constexpr quint8 DefaultExtensionGain = 13; // -10 dB
    static constexpr quint8 DefaultTieLineGain = 5;    // -2 dB
    static constexpr quint8 DefaultOfficers = 5;

    // The byte sent for a slot's board.
    enum BoardType : quint8 {
        ExtensionBoard = 131,
        SystemBoard = 0,
        NoBoard = 1,
        MagnetoBoard = 133,
        TieLineBoard = 132,
    };
    enum ExtensionDigits : quint8 { TwoDigits = 10, ThreeDigits = 100 };

    struct Settings
    {
        quint8 officers = DefaultOfficers;
        quint8 digits = ThreeDigits;
        quint8 extensionTxGain = DefaultExtensionGain;
        quint8 extensionRxGain = DefaultExtensionGain;
        quint8 tieLineTxGain = DefaultTieLineGain;
        quint8 tieLineRxGain = DefaultTieLineGain;
        std::array<quint8, SlotCount> boardTypes{ExtensionBoard, ExtensionBoard, ExtensionBoard, ExtensionBoard,
                                                 ExtensionBoard};
        // A combined tie-line and processor board is fitted.
        bool tieLineBoard = true;
    };

    static DevicePacket buildPacket(const Settings &settings);
    static DevicePacket resetPacket();
};
