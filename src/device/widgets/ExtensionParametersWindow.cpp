#include "device/widgets/ExtensionParametersWindow.h"

#include "device/NumericText.h"
#include "device/widgets/LeaveValidator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cmath>

namespace {
const QString Title = QStringLiteral("Advanced Extension Parameters");
const QString SendCaption = QStringLiteral("Send to Board");
const QString ReceivedText = QStringLiteral("Data Received in Exchange");
const QString ReceivedPartText = QStringLiteral("Data Received in Exchange - ");
const QString NotReceivedText = QStringLiteral("New Parameters not received by Exchange");
const QString TimingRangeText = QStringLiteral("Must be a number in the range 1 - 255");
const QString WaveformErrorText = QStringLiteral("Error");
const QString AllCadencesText = QStringLiteral("All Cadences");
const QString NotComputed = QStringLiteral("???");
const QString AmplitudeName = QStringLiteral("Amplitude");
const QString CadenceStepName = QStringLiteral("Cadence step %1");
const QString EndMarkerText = QStringLiteral("255");
const QString Volts = QStringLiteral("Volts");
const QString DefaultAmplitude = QStringLiteral("5.0");
constexpr int DefaultFrequency = 1; // "20 Hz"
constexpr int ByteMaximum = 255;

struct TimingBox
{
    const char *name;
    const char *caption;
    const char *defaultText;
    // The hook and flash times are checked as they are left and may not be 0.
    bool checkedOnLeave;
};

// In the order of the timings packet.
const TimingBox TimingBoxes[] = {
    {"txtOnHook", "On-Hook Time", "50", true},           {"txtOffHook", "Off-Hook Time", "50", true},
    {"txtFlashMin", "Flash Min Time", "8", true},        {"txtFlashMax", "Flash Max Time", "50", true},
    {"txtLDLowMin", "LD Low Min", "5", false},           {"txtLDLowMax", "LD Low Max", "16", false},
    {"txtLDHighMin", "LD High Min", "5", false},         {"txtLDHighMax", "LD High Max", "16", false},
    {"txtLDInterGap", "LD Interdigit Gap", "60", false},
};
// How the timing boxes stand in the frame.
constexpr int ShownTimingOrder[] = {1, 0, 3, 2, 4, 5, 6, 7, 8};

struct Frequency
{
    const char *text;
    ExtensionParameters::RingFrequency waveform;
};

const Frequency Frequencies[] = {
    {"50 Hz", {16, 50}},
    {"20 Hz", {20, 20}},
    {"25 Hz", {32, 25}},
    {"17.5 Hz", {23, 18}},
};

const char *const CadenceNames[ExtensionParameters::CadenceCount] = {
    "0 - Single Ring",     "1 - Rapid Ring",  "2 - Double Ring",     "3 - Triple Ring",
    "4 - Long Short Ring", "5 - NMT Ring",    "6 - Very Rapid Ring", "7 - Long Single Ring",
    "8 - Single Ring",     "9 - Single Ring", "10 - Single Ring",
};

// The approximate RMS voltage the board makes of an amplitude.
constexpr double RmsFactor = 0.25 * 42 * 0.769;
constexpr double RmsAmplitudeLimit = 10.0;

int minimumTiming(const TimingBox &box)
{
    return box.checkedOnLeave ? 1 : 0;
}
} // namespace

ExtensionParametersWindow::ExtensionParametersWindow(const DeviceServices &services, QWidget *parent)
    : DeviceDialog(services, QStringLiteral("frmExtParams"), Title, parent)
    , m_timer1(timers(), [this](bool received) { Timer1_Timer(received); })
    , m_cboSendBoard(new QComboBox(this))
{
    m_cboSendBoard->setObjectName(QStringLiteral("cboSendBoard"));
    for (int slot = 0; slot < BoardSlots; ++slot)
        m_cboSendBoard->addItem(tr("Slot %1").arg(slot + 1), slot);
    auto *board = new QGroupBox(tr("Change Board"), this);
    auto *boardLayout = new QHBoxLayout(board);
    boardLayout->addWidget(m_cboSendBoard);
    boardLayout->addStretch();

    QPushButton *cmdReset = makeButton(QStringLiteral("cmdReset"), tr("Reset to &Default"));
    connect(cmdReset, &QPushButton::clicked, this, &ExtensionParametersWindow::cmdReset_Click);

    auto *top = new QHBoxLayout;
    top->addWidget(board, 1);
    top->addWidget(cmdReset, 0, Qt::AlignBottom);
    auto *frames = new QHBoxLayout;
    frames->addWidget(createTimingsFrame());
    auto *right = new QVBoxLayout;
    right->addWidget(createRingingFrame());
    right->addWidget(createCadenceFrame());
    frames->addLayout(right);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(frames);
    layout->addWidget(makeStatusBar());

    m_cboCadence->setCurrentIndex(m_cboCadence->findData(AllCadences));
    cmdReset_Click();
    m_cboSendBoard->setCurrentIndex(0);
}

QWidget *ExtensionParametersWindow::createTimingsFrame()
{
    auto *frame = new QGroupBox(tr("Timings"), this);
    auto *layout = new QGridLayout(frame);
    int row = 0;
    for (int timing : ShownTimingOrder) {
        const TimingBox &timingBox = TimingBoxes[timing];
        QLineEdit *box = makeBox(QString::fromLatin1(timingBox.name));
        m_timingBoxes[std::size_t(timing)] = box;
        layout->addWidget(makeLabel(QString::fromLatin1(timingBox.caption), box), row, 0);
        layout->addWidget(box, row, 1);
        layout->addWidget(makeBoardTimeUnit(), row, 2);
        ++row;
        if (timingBox.checkedOnLeave) {
            LeaveValidator::attach(box, [this, box] {
                if (NumericText::numberWithin(box->text(), 1, ByteMaximum))
                    return true;
                refuse(box, TimingRangeText);
                return false;
            });
        }
    }
    QPushButton *cmdSend = makeButton(QStringLiteral("cmdSend"), SendCaption);
    connect(cmdSend, &QPushButton::clicked, this, &ExtensionParametersWindow::cmdSend_Click);
    layout->addWidget(cmdSend, row, 0, 1, 3);
    layout->setRowStretch(row + 1, 1);
    return frame;
}

QWidget *ExtensionParametersWindow::createRingingFrame()
{
    auto *frame = new QGroupBox(tr("Ringing"), this);
    m_cboRingFreq = new QComboBox(frame);
    m_cboRingFreq->setObjectName(QStringLiteral("cboRingFreq"));
    for (int i = 0; i < int(std::size(Frequencies)); ++i)
        m_cboRingFreq->addItem(QString::fromLatin1(Frequencies[i].text), i);
    m_txtRingAmp = makeBox(QStringLiteral("txtRingAmp"));
    connect(m_txtRingAmp, &QLineEdit::textChanged, this, &ExtensionParametersWindow::txtRingAmp_Change);
    m_txtRingRMS = makeBox(QStringLiteral("txtRingRMS"));
    showReadOnly(m_txtRingRMS);
    QPushButton *command1 = makeButton(QStringLiteral("Command1"), SendCaption);
    connect(command1, &QPushButton::clicked, this, &ExtensionParametersWindow::Command1_Click);

    auto *layout = new QGridLayout(frame);
    layout->addWidget(makeLabel(tr("Ring Freq"), m_cboRingFreq), 0, 0);
    layout->addWidget(m_cboRingFreq, 0, 1);
    layout->addWidget(makeLabel(tr("Amplitude"), m_txtRingAmp), 1, 0);
    layout->addWidget(m_txtRingAmp, 1, 1);
    layout->addWidget(makeUnit(Volts), 1, 2);
    layout->addWidget(makeLabel(tr("Approx RMS"), m_txtRingRMS), 2, 0);
    layout->addWidget(m_txtRingRMS, 2, 1);
    layout->addWidget(makeUnit(Volts), 2, 2);
    layout->addWidget(command1, 3, 0, 1, 3);
    return frame;
}

QWidget *ExtensionParametersWindow::createCadenceFrame()
{
    auto *frame = new QGroupBox(tr("Cadence"), this);
    m_cboCadence = new QComboBox(frame);
    m_cboCadence->setObjectName(QStringLiteral("cboCadence"));
    for (int c = 0; c < ExtensionParameters::CadenceCount; ++c)
        m_cboCadence->addItem(QString::fromLatin1(CadenceNames[c]), c);
    m_cboCadence->addItem(AllCadencesText, AllCadences);
    connect(m_cboCadence, &QComboBox::currentIndexChanged, this, &ExtensionParametersWindow::cboCadence_Click);

    auto *steps = new QHBoxLayout;
    for (int s = 0; s < ExtensionParameters::CadenceSteps; ++s) {
        QLineEdit *box = makeBox(QStringLiteral("txtCad%1").arg(s));
        box->setAccessibleName(CadenceStepName.arg(s + 1));
        LeaveValidator::attach(box, [this, s] { return commitStep(s); });
        m_txtCad[std::size_t(s)] = box;
        steps->addWidget(box);
    }
    steps->addWidget(makeBoardTimeUnit());
    QPushButton *command2 = makeButton(QStringLiteral("Command2"), SendCaption);
    connect(command2, &QPushButton::clicked, this, &ExtensionParametersWindow::Command2_Click);

    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(m_cboCadence);
    layout->addLayout(steps);
    layout->addWidget(command2);
    return frame;
}

int ExtensionParametersWindow::selectedSlot() const
{
    return m_cboSendBoard->currentData().toInt();
}

int ExtensionParametersWindow::selectedCadence() const
{
    return m_cboCadence->currentData().toInt();
}

void ExtensionParametersWindow::cmdReset_Click()
{
    for (int timing = 0; timing < TimingCount; ++timing)
        m_timingBoxes[std::size_t(timing)]->setText(QString::fromLatin1(TimingBoxes[timing].defaultText));
    m_cboRingFreq->setCurrentIndex(DefaultFrequency);
    m_txtRingAmp->setText(DefaultAmplitude);
    txtRingAmp_Change();
}

bool ExtensionParametersWindow::readTimings(ExtensionParameters::Timings &timings)
{
    std::array<quint8, TimingCount> values{};
    for (int timing = 0; timing < TimingCount; ++timing) {
        const TimingBox &timingBox = TimingBoxes[timing];
        QLineEdit *box = m_timingBoxes[std::size_t(timing)];
        const std::optional<int> value = NumericText::wholeNumber(box->text(), minimumTiming(timingBox), ByteMaximum);
        if (!value) {
            refuse(box,
                   NumericText::wholeNumberRequired(QString::fromLatin1(timingBox.caption), minimumTiming(timingBox),
                                                    ByteMaximum));
            return false;
        }
        values[std::size_t(timing)] = quint8(*value);
    }
    timings = {values[OnHook],   values[OffHook],   values[FlashMin],  values[FlashMax],  values[LDLowMin],
               values[LDLowMax], values[LDHighMin], values[LDHighMax], values[LDInterGap]};
    return true;
}

void ExtensionParametersWindow::cmdSend_Click()
{
    ExtensionParameters::Timings timings{};
    if (readTimings(timings))
        sent(ExtensionParameters::timingsPacket(quint8(selectedSlot()), timings));
}

void ExtensionParametersWindow::Command1_Click()
{
    const std::optional<double> amplitude =
        NumericText::numberWithin(m_txtRingAmp->text(), 0, ExtensionParameters::MaximumAmplitude);
    if (!amplitude) {
        refuse(m_txtRingAmp, NumericText::numberRequired(AmplitudeName, 0, ExtensionParameters::MaximumAmplitude));
        return;
    }
    const Frequency &frequency = Frequencies[m_cboRingFreq->currentData().toInt()];
    if (!ExtensionParameters::buildRingTable(frequency.waveform, *amplitude, m_ringTable)) {
        say(WaveformErrorText);
        return;
    }
    m_sendingCadences = false;
    m_sendingRing = true;
    m_partIndex = 0;
    m_seriesSlot = quint8(selectedSlot());
    sendRingPart();
}

void ExtensionParametersWindow::Command2_Click()
{
    const int cadence = selectedCadence();
    m_sendingRing = false;
    m_seriesSlot = quint8(selectedSlot());
    if (cadence == AllCadences) {
        m_sendingCadences = true;
        m_partIndex = 0;
        sendCadence(0);
        return;
    }
    m_sendingCadences = false;
    for (int s = 0; s < ExtensionParameters::CadenceSteps; ++s) {
        if (!commitStep(s))
            return;
    }
    sendCadence(cadence);
}

void ExtensionParametersWindow::cboCadence_Click()
{
    const int cadence = selectedCadence();
    for (int s = 0; s < ExtensionParameters::CadenceSteps; ++s) {
        QLineEdit *box = m_txtCad[std::size_t(s)];
        if (cadence == AllCadences) {
            box->setEnabled(false);
            continue;
        }
        box->setText(QString::number(m_parameters.cadence(cadence)[std::size_t(s)]));
        box->setEnabled(true);
    }
}

bool ExtensionParametersWindow::commitStep(int step)
{
    QLineEdit *box = m_txtCad[std::size_t(step)];
    if (box->text().isEmpty())
        box->setText(EndMarkerText);
    const std::optional<int> value = NumericText::wholeNumber(box->text(), 0, ByteMaximum);
    if (!value) {
        refuse(box, NumericText::wholeNumberRequired(CadenceStepName.arg(step + 1), 0, ByteMaximum));
        return false;
    }
    box->setText(QString::number(*value));
    const int cadence = selectedCadence();
    if (cadence != AllCadences)
        m_parameters.setStep(cadence, step, quint8(*value));
    return true;
}

void ExtensionParametersWindow::txtRingAmp_Change()
{
    const std::optional<double> amplitude = NumericText::value(m_txtRingAmp->text());
    if (amplitude && *amplitude >= 0 && *amplitude < RmsAmplitudeLimit)
        m_txtRingRMS->setText(QString::number(int(std::floor(*amplitude * RmsFactor))));
    else
        m_txtRingRMS->setText(NotComputed);
}

void ExtensionParametersWindow::sendRingPart()
{
    sent(ExtensionParameters::ringTablePart(m_seriesSlot, m_ringTable, m_partIndex));
}

void ExtensionParametersWindow::sendCadence(int cadence)
{
    sent(m_parameters.cadencePacket(m_seriesSlot, cadence));
}

void ExtensionParametersWindow::sent(const DevicePacket &packet)
{
    send(packet);
    m_timer1.packetSent();
}

void ExtensionParametersWindow::DataReceived()
{
    m_timer1.acknowledged();
    setStatus(seriesRunning() ? ReceivedPartText + QString::number(m_partIndex) : ReceivedText);
    if (m_sendingRing) {
        if (m_partIndex < ExtensionParameters::RingTableParts - 1) {
            ++m_partIndex;
            sendRingPart();
        } else {
            m_sendingRing = false;
        }
    }
    if (m_sendingCadences) {
        if (m_partIndex < ExtensionParameters::CadenceCount - 1) {
            ++m_partIndex;
            sendCadence(m_partIndex);
        } else {
            m_sendingCadences = false;
        }
    }
}

void ExtensionParametersWindow::Timer1_Timer(bool received)
{
    if (received) {
        setStatus(QString());
        return;
    }
    m_sendingRing = false;
    m_sendingCadences = false;
    say(NotReceivedText);
}
