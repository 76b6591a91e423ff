#include "device/widgets/TieLineParametersWindow.h"

#include "device/NumericText.h"
#include "device/widgets/LeaveValidator.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const QString Title = QStringLiteral("Advanced Tie Line Parameters");
const QString SendCaption = QStringLiteral("Send to Board");
const QString ResetCaption = QStringLiteral("Reset to Default");
const QString ReceivedText = QStringLiteral("Data Received in Exchange");
const QString ReceivedPartText = QStringLiteral("Data Received in Exchange - %1,%2");
const QString NotReceivedText = QStringLiteral("New Parameters not received by Exchange");
const QString LevelRangeText = QStringLiteral("Must be a number in the range 1 - 50");
const QString MinimumDetectText = QStringLiteral("Minimum detect time is 132ms");
const QString MaximumDetectText = QStringLiteral("Maximum detect time is 1000ms");
const QString TieLineName = QStringLiteral("Tie Line %1");
const QString StartDetectName = QStringLiteral("Start Detect");
const QString DefaultLevel = QStringLiteral("7.6");
const QString Milliseconds = QStringLiteral("ms");
const QString DefaultStartDetect = QStringLiteral("132");
constexpr int ByteMaximum = 255;

struct PulseBox
{
    const char *name;
    const char *caption; // as the refusal names it
    const char *defaultText;
};

const PulseBox PulseBoxes[] = {
    {"txtFlashLen", "Flash Length", "10"},   {"txtFlashPause", "Flash Pause", "110"},
    {"txtDigitLen", "Digit Length", "10"},   {"txtDigitPause", "Digit Pause", "5"},
    {"txtDigitInter", "Digit Inter", "110"},
};
} // namespace

TieLineParametersWindow::TieLineParametersWindow(const DeviceServices &services, QWidget *parent)
    : DeviceDialog(services, QStringLiteral("frmTieParams"), Title, parent)
    , m_timer1(timers(), [this](bool received) { Timer1_Timer(received); })
{
    auto *frames = new QHBoxLayout;
    frames->addWidget(createRingingFrame());
    frames->addWidget(createPulsesFrame());
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(makeStatusBar());

    cmdReset_Click();
    cmdCadReset_Click();
}

QWidget *TieLineParametersWindow::createRingingFrame()
{
    auto *frame = new QGroupBox(tr("Incoming Ringing Detection"), this);
    auto *layout = new QGridLayout(frame);
    for (int line = 0; line < TieLineParameters::LineCount; ++line) {
        QLineEdit *box = makeBox(QStringLiteral("txtTieLine%1").arg(line));
        LeaveValidator::attach(box, [this, box] { return checkLevel(box); });
        m_txtTieLine[std::size_t(line)] = box;
        layout->addWidget(makeLabel(TieLineName.arg(line + 1), box), line, 0);
        layout->addWidget(box, line, 1);
    }
    m_txtStart = makeBox(QStringLiteral("txtStart"));
    layout->addWidget(makeLabel(StartDetectName, m_txtStart), TieLineParameters::LineCount, 0);
    layout->addWidget(m_txtStart, TieLineParameters::LineCount, 1);
    layout->addWidget(makeUnit(Milliseconds), TieLineParameters::LineCount, 2);

    QPushButton *cmdSend = makeButton(QStringLiteral("cmdSend"), SendCaption);
    QPushButton *cmdReset = makeButton(QStringLiteral("cmdReset"), ResetCaption);
    connect(cmdSend, &QPushButton::clicked, this, &TieLineParametersWindow::cmdSend_Click);
    connect(cmdReset, &QPushButton::clicked, this, &TieLineParametersWindow::cmdReset_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSend);
    buttons->addWidget(cmdReset);
    layout->addLayout(buttons, TieLineParameters::LineCount + 1, 0, 1, 3);
    return frame;
}

QWidget *TieLineParametersWindow::createPulsesFrame()
{
    auto *frame = new QGroupBox(tr("Outgoing Pulses"), this);
    for (int pulse = 0; pulse < PulseCount; ++pulse)
        m_pulseBoxes[std::size_t(pulse)] = makeBox(QString::fromLatin1(PulseBoxes[pulse].name));

    auto *flash = new QGroupBox(tr("Flash"), frame);
    auto *flashLayout = new QGridLayout(flash);
    flashLayout->addWidget(makeLabel(tr("Length"), m_pulseBoxes[FlashLength]), 0, 0);
    flashLayout->addWidget(m_pulseBoxes[FlashLength], 0, 1);
    flashLayout->addWidget(makeBoardTimeUnit(), 0, 2);
    flashLayout->addWidget(makeLabel(tr("Pause"), m_pulseBoxes[FlashPause]), 1, 0);
    flashLayout->addWidget(m_pulseBoxes[FlashPause], 1, 1);
    flashLayout->addWidget(makeBoardTimeUnit(), 1, 2);

    auto *digit = new QGroupBox(tr("Digit"), frame);
    auto *digitLayout = new QGridLayout(digit);
    digitLayout->addWidget(makeLabel(tr("Length"), m_pulseBoxes[DigitLength]), 0, 0);
    digitLayout->addWidget(m_pulseBoxes[DigitLength], 0, 1);
    digitLayout->addWidget(makeBoardTimeUnit(), 0, 2);
    digitLayout->addWidget(makeLabel(tr("Pause"), m_pulseBoxes[DigitPause]), 1, 0);
    digitLayout->addWidget(m_pulseBoxes[DigitPause], 1, 1);
    digitLayout->addWidget(makeBoardTimeUnit(), 1, 2);
    digitLayout->addWidget(makeLabel(tr("Inter"), m_pulseBoxes[DigitInter]), 2, 0);
    digitLayout->addWidget(m_pulseBoxes[DigitInter], 2, 1);
    digitLayout->addWidget(makeBoardTimeUnit(), 2, 2);

    QPushButton *cmdSendCad = makeButton(QStringLiteral("cmdSendCad"), SendCaption);
    QPushButton *cmdCadReset = makeButton(QStringLiteral("cmdCadReset"), ResetCaption);
    connect(cmdSendCad, &QPushButton::clicked, this, &TieLineParametersWindow::cmdSendCad_Click);
    connect(cmdCadReset, &QPushButton::clicked, this, &TieLineParametersWindow::cmdCadReset_Click);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSendCad);
    buttons->addWidget(cmdCadReset);

    auto *layout = new QVBoxLayout(frame);
    layout->addWidget(flash);
    layout->addWidget(digit);
    layout->addLayout(buttons);
    return frame;
}

void TieLineParametersWindow::cmdReset_Click()
{
    for (QLineEdit *box : m_txtTieLine)
        box->setText(DefaultLevel);
    m_txtStart->setText(DefaultStartDetect);
}

void TieLineParametersWindow::cmdCadReset_Click()
{
    for (int pulse = 0; pulse < PulseCount; ++pulse)
        m_pulseBoxes[std::size_t(pulse)]->setText(QString::fromLatin1(PulseBoxes[pulse].defaultText));
}

bool TieLineParametersWindow::checkLevel(QLineEdit *box)
{
    if (NumericText::numberWithin(box->text(), TieLineParameters::MinimumLevel, TieLineParameters::MaximumLevel))
        return true;
    refuse(box, LevelRangeText);
    return false;
}

bool TieLineParametersWindow::readLevels(std::array<quint8, TieLineParameters::LineCount> &levels)
{
    for (int line = 0; line < TieLineParameters::LineCount; ++line) {
        QLineEdit *box = m_txtTieLine[std::size_t(line)];
        const std::optional<double> level =
            NumericText::numberWithin(box->text(), TieLineParameters::MinimumLevel, TieLineParameters::MaximumLevel);
        if (!level) {
            refuse(box,
                   NumericText::numberRequired(TieLineName.arg(line + 1), TieLineParameters::MinimumLevel,
                                               TieLineParameters::MaximumLevel));
            return false;
        }
        levels[std::size_t(line)] = quint8(TieLineParameters::levelByte(*level));
    }
    return true;
}

bool TieLineParametersWindow::readStartDetect(int &startDetect)
{
    const std::optional<double> start = NumericText::value(m_txtStart->text());
    if (!start) {
        refuse(m_txtStart,
               NumericText::numberRequired(StartDetectName, TieLineParameters::MinimumStartDetect,
                                           TieLineParameters::MaximumStartDetect));
        return false;
    }
    if (*start < TieLineParameters::MinimumStartDetect) {
        refuse(m_txtStart, MinimumDetectText);
        return false;
    }
    if (*start > TieLineParameters::MaximumStartDetect) {
        refuse(m_txtStart, MaximumDetectText);
        return false;
    }
    startDetect = TieLineParameters::startDetectByte(*start);
    return true;
}

void TieLineParametersWindow::cmdSend_Click()
{
    std::array<quint8, TieLineParameters::LineCount> levels{};
    int startDetect = 0;
    if (!readLevels(levels) || !readStartDetect(startDetect))
        return;
    sent(TieLineParameters::ringingDetectionPacket(levels, quint8(startDetect)));
    // The time the board was actually given.
    m_txtStart->setText(QString::number(startDetect * TieLineParameters::StartDetectUnit));
}

bool TieLineParametersWindow::readPulses(TieLineParameters::PulseTimings &timings)
{
    std::array<quint8, PulseCount> values{};
    for (int pulse = 0; pulse < PulseCount; ++pulse) {
        QLineEdit *box = m_pulseBoxes[std::size_t(pulse)];
        const std::optional<int> value = NumericText::wholeNumber(box->text(), 0, ByteMaximum);
        if (!value) {
            refuse(box,
                   NumericText::wholeNumberRequired(QString::fromLatin1(PulseBoxes[pulse].caption), 0, ByteMaximum));
            return false;
        }
        values[std::size_t(pulse)] = quint8(*value);
    }
    timings = {values[FlashLength], values[FlashPause], values[DigitLength], values[DigitPause], values[DigitInter]};
    return true;
}

void TieLineParametersWindow::cmdSendCad_Click()
{
    TieLineParameters::PulseTimings timings{};
    if (!readPulses(timings))
        return;
    m_parameters.BuildCadence(timings);
    m_sending = true;
    m_digit = 0;
    m_part = 0;
    sendPart();
}

void TieLineParametersWindow::sendPart()
{
    sent(m_parameters.pulsePartPacket(m_digit, m_part));
}

void TieLineParametersWindow::sent(const DevicePacket &packet)
{
    send(packet);
    m_timer1.packetSent();
}

void TieLineParametersWindow::DataReceived()
{
    m_timer1.acknowledged();
    setStatus(m_sending ? ReceivedPartText.arg(m_digit).arg(m_part) : ReceivedText);
    if (!m_sending || m_digit > TieLineParameters::LastDigit)
        return;
    if (m_part >= TieLineParameters::PartsPerTrain - 1) {
        m_part = 0;
        if (m_digit < TieLineParameters::LastDigit) {
            ++m_digit;
            sendPart();
        } else {
            m_sending = false;
        }
    } else {
        ++m_part;
        sendPart();
    }
}

void TieLineParametersWindow::Timer1_Timer(bool received)
{
    if (received) {
        setStatus(QString());
        return;
    }
    m_sending = false;
    say(NotReceivedText);
}
