#pragma once

struct BoardInformation;
struct ClockReading;

// The device-command windows as received packets reach them.
class DeviceSink
{
public:
    // The windows that wait for a code-33 acknowledgement.
    enum class AckReceiver { ExtensionParameters, TieLineParameters, BoardInfo };

    virtual ~DeviceSink() = default;

    virtual bool isOpenAndVisible(AckReceiver window) const = 0;
    virtual void DataReceived(AckReceiver window) = 0;

    // Fills the system-time window.
    virtual void showClock(const ClockReading &clock) = 0;
    // Fills the board-information window and shows it modally.
    virtual void showBoardInformation(const BoardInformation &boards) = 0;
};
