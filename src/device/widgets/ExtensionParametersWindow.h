#pragma once

#include "device/AcknowledgementTimer.h"
#include "device/ExtensionParameters.h"
#include "device/widgets/DeviceDialog.h"

#include <array>

class QComboBox;
class QLineEdit;

// frmExtParams: sends line parameters to one extension board: the hook and
// flash timings, the ringing waveform as five ring-table parts and the ring
// cadences, one or all eleven. A series goes on with each acknowledgement and
// stops when one does not come.
class ExtensionParametersWindow : public DeviceDialog
{
    Q_OBJECT

public:
    static constexpr int BoardSlots = 5;
    static constexpr int AllCadences = -1;

    explicit ExtensionParametersWindow(const DeviceServices &services, QWidget *parent = nullptr);

    // The exchange acknowledged the last packet.
    void DataReceived();

private:
    enum Timing {
        OnHook,
        OffHook,
        FlashMin,
        FlashMax,
        LDLowMin,
        LDLowMax,
        LDHighMin,
        LDHighMax,
        LDInterGap,
        TimingCount
    };

    QWidget *createTimingsFrame();
    QWidget *createRingingFrame();
    QWidget *createCadenceFrame();

    void cmdReset_Click();
    void cmdSend_Click();
    void Command1_Click();
    void Command2_Click();
    void cboCadence_Click();
    void txtRingAmp_Change();
    void Timer1_Timer(bool received);

    int selectedSlot() const;
    int selectedCadence() const;
    bool seriesRunning() const { return m_sendingRing || m_sendingCadences; }
    // The timing boxes as bytes, or a refusal naming the first that is not one.
    bool readTimings(ExtensionParameters::Timings &timings);
    // Checks step s of the cadence boxes and, with one cadence selected, stores it.
    bool commitStep(int step);
    void sendRingPart();
    void sendCadence(int cadence);
    void sent(const DevicePacket &packet);

    ExtensionParameters m_parameters;
    AcknowledgementTimer m_timer1;
    ExtensionParameters::RingTable m_ringTable{};
    bool m_sendingRing = false;
    bool m_sendingCadences = false;
    int m_partIndex = 0;
    // A series goes to the board that was selected when it started.
    quint8 m_seriesSlot = 0;

    QComboBox *m_cboSendBoard;
    std::array<QLineEdit *, TimingCount> m_timingBoxes{};
    QComboBox *m_cboRingFreq = nullptr;
    QLineEdit *m_txtRingAmp = nullptr;
    QLineEdit *m_txtRingRMS = nullptr;
    QComboBox *m_cboCadence = nullptr;
    std::array<QLineEdit *, ExtensionParameters::CadenceSteps> m_txtCad{};
};
