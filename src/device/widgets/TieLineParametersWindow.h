#pragma once

#include "device/AcknowledgementTimer.h"
#include "device/TieLineParameters.h"
#include "device/widgets/DeviceDialog.h"

#include <array>

class QLineEdit;

// frmTieParams: sends the tie-line board its incoming ringing detection in
// one packet and its outgoing dial pulses in a series of 44 packets, each
// started by the acknowledgement of the one before.
class TieLineParametersWindow : public DeviceDialog
{
    Q_OBJECT

public:
    explicit TieLineParametersWindow(const DeviceServices &services, QWidget *parent = nullptr);

    // The exchange acknowledged the last packet.
    void DataReceived();

private:
    enum Pulse { FlashLength, FlashPause, DigitLength, DigitPause, DigitInter, PulseCount };

    QWidget *createRingingFrame();
    QWidget *createPulsesFrame();

    void cmdSend_Click();
    void cmdReset_Click();
    void cmdSendCad_Click();
    void cmdCadReset_Click();
    void Timer1_Timer(bool received);

    bool checkLevel(QLineEdit *box);
    bool readLevels(std::array<quint8, TieLineParameters::LineCount> &levels);
    bool readStartDetect(int &startDetect);
    bool readPulses(TieLineParameters::PulseTimings &timings);
    void sendPart();
    void sent(const DevicePacket &packet);

    TieLineParameters m_parameters;
    AcknowledgementTimer m_timer1;
    bool m_sending = false;
    int m_digit = 0;
    int m_part = 0;

    std::array<QLineEdit *, TieLineParameters::LineCount> m_txtTieLine{};
    QLineEdit *m_txtStart = nullptr;
    std::array<QLineEdit *, PulseCount> m_pulseBoxes{};
};
