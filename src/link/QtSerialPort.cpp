#include "link/QtSerialPort.h"

#include "core/DebugLog.h"
#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "link/LineSettings.h"

#include <QFileInfo>

namespace {
struct DeviceRange
{
    int firstPort;
    const char *prefix;
    int count;
};

const DeviceRange DeviceRanges[] = {
    {1, "/dev/ttyS", 4},
    {5, "/dev/ttyUSB", 8},
    {13, "/dev/ttyACM", 4},
};

const QString Source = QStringLiteral("QtSerialPort");

QSerialPort::Parity qtParity(LineSettings::Parity parity)
{
    switch (parity) {
    case LineSettings::Parity::None:
        return QSerialPort::NoParity;
    case LineSettings::Parity::Even:
        return QSerialPort::EvenParity;
    case LineSettings::Parity::Odd:
        return QSerialPort::OddParity;
    case LineSettings::Parity::Mark:
        return QSerialPort::MarkParity;
    case LineSettings::Parity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits qtStopBits(LineSettings::StopBits stopBits)
{
    switch (stopBits) {
    case LineSettings::StopBits::One:
        return QSerialPort::OneStop;
    case LineSettings::StopBits::OneAndHalf:
        return QSerialPort::OneAndHalfStop;
    case LineSettings::StopBits::Two:
        return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}
} // namespace

QtSerialPort::QtSerialPort(TimerFactory &timers, DebugLog *log, QObject *parent)
    : SerialPort(parent)
    , m_pollTimer(timers.createTimer(ModemLinePollMilliseconds))
    , m_log(log)
{
    m_pollTimer->setCallback([this] { pollModemLines(); });
    connect(&m_port, &QSerialPort::readyRead, this, &SerialPort::dataReceived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onErrorOccurred);
}

QtSerialPort::~QtSerialPort()
{
    m_pollTimer->stop();
    disconnect(&m_port, nullptr, this, nullptr);
}

DebugLog &QtSerialPort::log() const
{
    return m_log ? *m_log : DebugLog::shared();
}

QString QtSerialPort::devicePath(int portNumber)
{
    for (const DeviceRange &range : DeviceRanges) {
        const int index = portNumber - range.firstPort;
        if (index >= 0 && index < range.count)
            return QLatin1String(range.prefix) + QString::number(index);
    }
    return {};
}

QString QtSerialPort::permissionDeniedText(const QString &path)
{
    const QFileInfo device(QFileInfo(path).canonicalFilePath());
    const QString group = device.group();
    const QFileDevice::Permissions groupReadWrite = QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    if (group.isEmpty() || (device.permissions() & groupReadWrite) != groupReadWrite)
        return QStringLiteral("%1: permission denied; only its owner %2 may open it").arg(path, device.owner());
    return QStringLiteral("%1: permission denied; the device belongs to group %2: join group %2, then log in again")
        .arg(path, group);
}

SerialPort::OpenResult QtSerialPort::open(int portNumber, const QString &settings)
{
    const QString path = devicePath(portNumber);
    if (path.isEmpty()) {
        close();
        m_devicePath.clear();
        return {OpenStatus::NotPresent, QStringLiteral("There is no Comm Port %1").arg(portNumber)};
    }
    return openDevice(path, settings);
}

SerialPort::OpenResult QtSerialPort::openDevice(const QString &devicePath, const QString &settings)
{
    close();
    // QSerialPort looks a relative name up under /dev; the engineer means the working directory.
    const QString path = devicePath.isEmpty() ? devicePath : QFileInfo(devicePath).absoluteFilePath();
    m_devicePath = path;

    const std::optional<LineSettings> line = LineSettings::parse(settings);
    if (!line)
        return {OpenStatus::Failed, QStringLiteral("Invalid line settings \"%1\"").arg(settings)};
    if (!QFileInfo::exists(path))
        return {OpenStatus::NotPresent, QStringLiteral("%1: does not exist").arg(path)};

    m_port.setPortName(path);
    m_port.setBaudRate(line->speed);
    m_port.setParity(qtParity(line->parity));
    m_port.setDataBits(QSerialPort::DataBits(line->dataBits));
    m_port.setStopBits(qtStopBits(line->stopBits));
    m_port.setFlowControl(QSerialPort::NoFlowControl);

    m_port.clearError();
    m_probing = true;
    const bool opened = m_port.open(QIODevice::ReadWrite);
    m_probing = false;
    const QSerialPort::SerialPortError error = m_port.error();
    const QString reason = QStringLiteral("%1: %2").arg(path, m_port.errorString());
    m_port.clearError();
    if (!opened)
        return openFailure(error, path, reason);

    QSerialPort::SerialPortError ctsError = QSerialPort::NoError;
    m_cts = readCts(&ctsError);
    if (ctsError == QSerialPort::NoError) {
        m_canReportModemLines = true;
        m_pollTimer->start();
    } else {
        modemLinesUnavailable();
    }
    return {OpenStatus::Opened, QString()};
}

SerialPort::OpenResult QtSerialPort::openFailure(QSerialPort::SerialPortError error, const QString &path,
                                                 const QString &reason)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::ResourceError:
        return {OpenStatus::NotPresent, reason};
    case QSerialPort::PermissionError: {
        // Qt reports a lock held by another program and a device we may not
        // touch alike; only the first is "in use".
        const QFileInfo device(path);
        if (device.isReadable() && device.isWritable())
            return {OpenStatus::InUse, reason};
        return {OpenStatus::NoPermission, permissionDeniedText(path)};
    }
    case QSerialPort::OpenError:
        return {OpenStatus::InUse, reason};
    default:
        return {OpenStatus::Failed, reason};
    }
}

void QtSerialPort::close()
{
    ++m_closings;
    m_lossPending = false;
    m_pollTimer->stop();
    if (m_port.isOpen()) {
        // QSerialPort writes from the event loop; a frame still queued, or cut
        // off half-way, would reach the exchange as a corrupt packet.
        if (m_port.bytesToWrite() > 0)
            m_port.waitForBytesWritten(DrainMilliseconds);
        m_port.close();
    }
    m_canReportModemLines = false;
    m_cts = false;
}

bool QtSerialPort::isOpen() const
{
    return m_port.isOpen();
}

void QtSerialPort::write(const QByteArray &data)
{
    if (!m_port.isOpen())
        return;
    if (m_port.write(data) != data.size())
        emit lineError(TransmitBufferFull);
}

QByteArray QtSerialPort::readAll()
{
    return m_port.readAll();
}

void QtSerialPort::setRts(bool on)
{
    if (!m_port.isOpen())
        return;
    m_port.clearError();
    m_probing = true;
    const bool set = m_port.setRequestToSend(on);
    m_probing = false;
    const QSerialPort::SerialPortError error = m_port.error();
    m_port.clearError();
    if (error == QSerialPort::ResourceError)
        loseDevice();
    else if (!set || error != QSerialPort::NoError)
        modemLinesUnavailable();
}

bool QtSerialPort::cts() const
{
    return m_port.isOpen() && m_cts;
}

bool QtSerialPort::readCts(QSerialPort::SerialPortError *error)
{
    m_port.clearError();
    m_probing = true;
    const QSerialPort::PinoutSignals lines = m_port.pinoutSignals();
    m_probing = false;
    *error = m_port.error();
    m_port.clearError();
    return lines.testFlag(QSerialPort::ClearToSendSignal);
}

void QtSerialPort::pollModemLines()
{
    if (!m_port.isOpen()) {
        m_pollTimer->stop();
        return;
    }
    QSerialPort::SerialPortError error = QSerialPort::NoError;
    const bool present = readCts(&error);
    if (error == QSerialPort::ResourceError) {
        loseDevice();
        return;
    }
    if (error != QSerialPort::NoError) {
        modemLinesUnavailable();
        return;
    }
    if (present != m_cts) {
        m_cts = present;
        emit ctsChanged(present);
    }
}

void QtSerialPort::modemLinesUnavailable()
{
    m_pollTimer->stop();
    m_canReportModemLines = false;
    if (!m_reportedWithoutModemLines.contains(m_devicePath)) {
        m_reportedWithoutModemLines.insert(m_devicePath);
        log().AddNL(QStringLiteral("%1 cannot report its modem lines; CTS counts as present").arg(m_devicePath));
    }
    if (!m_cts) {
        m_cts = true;
        emit ctsChanged(true);
    }
}

void QtSerialPort::onErrorOccurred(QSerialPort::SerialPortError error)
{
    if (m_probing || m_lossPending || error == QSerialPort::NoError)
        return;
    log().Error(Source, QStringLiteral("%1: %2").arg(m_devicePath, m_port.errorString()));
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // A read error on a terminal is a hang-up or a vanished device, and it
        // repeats for as long as the port stays open. QSerialPort is still
        // inside its read handler here: close once it has returned, unless
        // the port has been closed or reopened by then.
        m_lossPending = true;
        QMetaObject::invokeMethod(
            this,
            [this, closings = m_closings] {
                if (closings == m_closings)
                    loseDevice();
            },
            Qt::QueuedConnection);
        break;
    case QSerialPort::WriteError:
        emit lineError(TransmitBufferFull);
        break;
    case QSerialPort::UnknownError:
        emit lineError(UnknownLineError);
        break;
    default:
        break;
    }
}

void QtSerialPort::loseDevice()
{
    if (!m_port.isOpen())
        return;
    const bool hadCts = m_cts;
    close();
    if (hadCts)
        emit ctsChanged(false);
    emit lineError(DeviceLost);
}
