#include "link/SerialLink.h"

#include "core/DebugLog.h"
#include "core/Registry.h"
#include "link/LineSettings.h"
#include "link/SerialLinkUi.h"

#include <utility>

namespace {
const QString NoPortsText = QStringLiteral("No Serial Ports available");
const QString CannotOpenText =
    QStringLiteral("Serial port can not be opened. Please select a port in the View-Options menu");
const QString SentMark = QStringLiteral("*");
const QString SelectSource = QStringLiteral("SerialLink.SelectSerialPort");

bool isAvailable(int status)
{
    return status == SerialLink::PortAvailable;
}
} // namespace

SerialLink::SerialLink(std::unique_ptr<SerialPort> port, Registry *registry, DebugLog *log, QObject *parent)
    : QObject(parent)
    , m_port(std::move(port))
    , m_registry(registry ? *registry : Registry::shared())
    , m_log(log)
    , m_sender(this, nullptr, log)
    , m_dispatcher(&m_sender, log)
    , m_receiver([this](const QByteArray &content) { m_dispatcher.ProcessPacket(content); })
    , m_settings(LineSettings::text(SettingsKeys::DefaultSpeed))
{
    m_portStatus.fill(PortNotPresent);
    connect(m_port.get(), &SerialPort::dataReceived, this, &SerialLink::onDataReceived);
    connect(m_port.get(), &SerialPort::ctsChanged, this, &SerialLink::onCtsChanged);
    connect(m_port.get(), &SerialPort::lineError, this, &SerialLink::onLineError);
}

SerialLink::~SerialLink()
{
    disconnect(m_port.get(), nullptr, this, nullptr);
    m_port->close();
}

DebugLog &SerialLink::log() const
{
    return m_log ? *m_log : DebugLog::shared();
}

void SerialLink::setUi(SerialLinkUi *ui)
{
    m_ui = ui;
    m_dispatcher.setUi(ui);
}

void SerialLink::attachTransfer(TransferSink &transfer, PendingPacketStore &pending)
{
    m_dispatcher.setTransferSink(&transfer);
    m_sender.setPendingStore(&pending);
}

void SerialLink::setPortOverride(const QString &portOrDevice)
{
    bool isNumber = false;
    const int number = portOrDevice.toInt(&isNumber);
    m_overridePort = isNumber ? number : 0;
    m_overrideDevice = isNumber ? QString() : portOrDevice;
}

SerialLink::Selection SerialLink::SelectSerialPort()
{
    const int configuredPort = m_registry.GetNumber(SettingsKeys::Comms, SettingsKeys::Port, SettingsKeys::DefaultPort);
    const int speed = m_registry.GetNumber(SettingsKeys::Comms, SettingsKeys::Speed, SettingsKeys::DefaultSpeed);

    m_port->close();
    int availableCount = 0;
    int lastAvailable = 0;
    for (int port = SerialPort::FirstPortNumber; port <= SerialPort::LastPortNumber; ++port) {
        m_portStatus[port] = TestPort(port);
        if (isAvailable(m_portStatus[port])) {
            ++availableCount;
            lastAvailable = port;
        }
    }
    closePort();

    if (m_overridePort != 0 || !m_overrideDevice.isEmpty())
        return openOverride(speed);
    if (isAvailable(portStatus(configuredPort)))
        return reportOpening(openPort(configuredPort, speed));
    if (availableCount == 0) {
        if (m_ui)
            m_ui->showMessage(NoPortsText);
        return Selection::NoPortsAvailable;
    }
    if (availableCount == 1)
        return reportOpening(openPort(lastAvailable, speed));

    if (!m_ui || !m_ui->choosePort())
        return Selection::NoPortChosen;
    if (m_port->isOpen())
        return Selection::Opened;
    const int chosenPort = m_registry.GetNumber(SettingsKeys::Comms, SettingsKeys::Port, SettingsKeys::DefaultPort);
    const int chosenSpeed = m_registry.GetNumber(SettingsKeys::Comms, SettingsKeys::Speed, SettingsKeys::DefaultSpeed);
    return reportOpening(openPort(chosenPort, chosenSpeed));
}

SerialLink::Selection SerialLink::openOverride(int speed)
{
    const SerialPort::OpenResult result =
        m_overridePort != 0 ? openPort(m_overridePort, speed) : openDevice(m_overrideDevice, speed);
    if (result.opened())
        return Selection::Opened;
    const QString requested = m_overridePort != 0 ? QString::number(m_overridePort) : m_overrideDevice;
    log().Error(SelectSource, result.errorText);
    if (m_ui)
        m_ui->showMessage(QStringLiteral("Serial port %1 can not be opened: %2")
                              .arg(requested, result.reasonBeyond(m_port->deviceName())));
    return Selection::OpenFailed;
}

SerialLink::Selection SerialLink::reportOpening(const SerialPort::OpenResult &result)
{
    if (result.opened())
        return Selection::Opened;
    log().Error(SelectSource, result.errorText);
    if (m_ui) {
        // A missing permission is the engineer's to mend; the message says how.
        m_ui->showMessage(result.status == SerialPort::OpenStatus::NoPermission
                              ? CannotOpenText + QLatin1Char('\n') + result.errorText
                              : CannotOpenText);
    }
    return Selection::OpenFailed;
}

int SerialLink::TestPort(int portNumber)
{
    m_port->close();
    const SerialPort::OpenResult result = m_port->open(portNumber, m_settings);
    m_port->close();
    switch (result.status) {
    case SerialPort::OpenStatus::NotPresent:
        return PortNotPresent;
    case SerialPort::OpenStatus::InUse:
        return PortInUse;
    case SerialPort::OpenStatus::Opened:
    case SerialPort::OpenStatus::NoPermission:
    case SerialPort::OpenStatus::Failed:
        break;
    }
    return PortAvailable;
}

int SerialLink::portStatus(int portNumber) const
{
    if (portNumber < SerialPort::FirstPortNumber || portNumber > SerialPort::LastPortNumber)
        return PortNotPresent;
    return m_portStatus[portNumber];
}

SerialPort::OpenResult SerialLink::openPort(int portNumber, int speed)
{
    setPortPanelText(QStringLiteral("COM%1; %2").arg(portNumber).arg(speed));
    m_settings = LineSettings::text(speed);
    return finishOpening(m_port->open(portNumber, m_settings));
}

SerialPort::OpenResult SerialLink::openDevice(const QString &path, int speed)
{
    setPortPanelText(QStringLiteral("%1; %2").arg(path).arg(speed));
    m_settings = LineSettings::text(speed);
    return finishOpening(m_port->openDevice(path, m_settings));
}

SerialPort::OpenResult SerialLink::finishOpening(const SerialPort::OpenResult &result)
{
    // Bytes of a frame begun on the previous line must not run into this one.
    m_pendingInput.clear();
    m_receiver.ClearInput();
    if (result.opened())
        m_port->setRts(false);
    // Whatever the last port said, an exchange is connected only through an open one.
    setNoConnection(!result.opened() || !m_port->cts());
    emit portChanged();
    return result;
}

void SerialLink::closePort()
{
    m_port->close();
    setNoConnection(true);
    emit portChanged();
}

void SerialLink::setNoConnection(bool noConnection)
{
    if (noConnection == m_noConnection)
        return;
    m_noConnection = noConnection;
    emit noConnectionChanged(noConnection);
}

void SerialLink::setPortPanelText(const QString &text)
{
    if (text == m_portPanelText)
        return;
    m_portPanelText = text;
    emit portPanelTextChanged(text);
}

void SerialLink::PackSend(const QByteArray &frame)
{
    if (!m_port->isOpen())
        return;
    m_port->write(frame);
    log().Add(SentMark);
}

void SerialLink::setRts(bool on)
{
    if (m_port->isOpen())
        m_port->setRts(on);
}

bool SerialLink::ctsPresent() const
{
    return m_port->isOpen() && m_port->cts();
}

void SerialLink::ClearInput()
{
    m_receiver.ClearInput();
}

void SerialLink::writeRaw(const QByteArray &bytes)
{
    PackSend(bytes);
}

void SerialLink::onDataReceived()
{
    m_pendingInput += m_port->readAll();
    // A packet handler that shows a modal window runs a nested event loop;
    // bytes arriving meanwhile wait behind the rest of the current chunk.
    if (m_processingInput)
        return;
    m_processingInput = true;
    while (!m_pendingInput.isEmpty()) {
        const QByteArray chunk = std::exchange(m_pendingInput, QByteArray());
        m_receiver.ProcessInput(chunk);
    }
    m_processingInput = false;
}

void SerialLink::onCtsChanged(bool present)
{
    setNoConnection(!present);
}

void SerialLink::onLineError(int code)
{
    switch (code) {
    case SerialPort::BreakReceived:
    case SerialPort::FramingError:
    case SerialPort::ParityError:
        break;
    default:
        if (m_ui)
            m_ui->beep();
        break;
    }
}
