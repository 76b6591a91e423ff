#include "link/QtSerialPort.h"

#include "core/DebugLog.h"
#include "support/PseudoTerminal.h"
#include "support/SimulatedTimers.h"
#include "support/TestSupport.h"

#include <QSocketNotifier>

#include <grp.h>
#include <pwd.h>

namespace {
const QString StandardSettings = QStringLiteral("38400,n,8,1");

class PseudoTerminalPort : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QObject::connect(&port, &SerialPort::lineError, [this](int code) { lineErrors.append(code); });
    }

    bool openSlave() { return port.openDevice(terminal.slavePath(), StandardSettings).opened(); }

    PseudoTerminal terminal;
    SimulatedTimers timers;
    DebugLog log;
    QtSerialPort port{timers, &log};
    QList<int> lineErrors;
};
} // namespace

TEST_F(PseudoTerminalPort, EveryByteValueCrossesTheLineUnchangedBothWays)
{
    ASSERT_TRUE(openSlave());
    QByteArray received;
    QObject::connect(&port, &SerialPort::dataReceived, [&] { received += port.readAll(); });
    QByteArray returned;
    QSocketNotifier readable(terminal.master(), QSocketNotifier::Read);
    QObject::connect(&readable, &QSocketNotifier::activated, [&] {
        char buffer[512];
        const ssize_t count = ::read(terminal.master(), buffer, sizeof buffer);
        if (count > 0)
            returned.append(buffer, qsizetype(count));
    });

    QByteArray sent(256, '\0');
    for (int i = 0; i < sent.size(); ++i)
        sent[i] = char(i);
    ASSERT_EQ(::write(terminal.master(), sent.constData(), size_t(sent.size())), sent.size());
    port.write(sent);
    EXPECT_TRUE(runEventsUntil([&] { return received.size() >= sent.size() && returned.size() >= sent.size(); }));
    EXPECT_EQ(received, sent);
    EXPECT_EQ(returned, sent);
    EXPECT_TRUE(lineErrors.isEmpty());
    readable.setEnabled(false);
}

TEST_F(PseudoTerminalPort, OutputStillQueuedWhenThePortClosesIsSentWhole)
{
    ASSERT_TRUE(openSlave());
    const QByteArray frame = QByteArray(1000, '\x55').prepend('\x7E').append('\x7E');
    port.write(frame);
    port.close();

    QByteArray returned(2 * frame.size(), '\0');
    const ssize_t count = ::read(terminal.master(), returned.data(), size_t(returned.size()));
    EXPECT_EQ(returned.left(qMax<ssize_t>(count, 0)), frame);
}

TEST_F(PseudoTerminalPort, APseudoTerminalCountsAsCtsPresentUntilTheLineGoesAwayAndTheLogSaysSoOnce)
{
    ASSERT_TRUE(openSlave());
    EXPECT_FALSE(port.canReportModemLines());
    EXPECT_TRUE(port.cts());
    port.setRts(true);
    port.setRts(false);
    timers.advance(10 * QtSerialPort::ModemLinePollMilliseconds);
    EXPECT_TRUE(port.cts());

    port.close();
    EXPECT_FALSE(port.cts());
    ASSERT_TRUE(openSlave());
    EXPECT_EQ(log.text().count(QStringLiteral("cannot report its modem lines")), 1);
    EXPECT_TRUE(log.text().contains(terminal.slavePath()));
    EXPECT_TRUE(lineErrors.isEmpty());

    QList<bool> ctsChanges;
    QObject::connect(&port, &SerialPort::ctsChanged, [&](bool present) { ctsChanges.append(present); });
    terminal.hangUp();
    EXPECT_TRUE(runEventsUntil([&] { return !port.isOpen(); }));
    EXPECT_EQ(ctsChanges, QList<bool>{false});
    EXPECT_EQ(lineErrors, QList<int>{SerialPort::DeviceLost});
    EXPECT_FALSE(port.cts());
}

TEST_F(PseudoTerminalPort, OpenTellsMissingBadlySetAndHeldDevicesApart)
{
    EXPECT_EQ(port.openDevice(QStringLiteral("/dev/quillbridge-no-such-port"), StandardSettings).status,
              SerialPort::OpenStatus::NotPresent);
    EXPECT_EQ(port.open(17, StandardSettings).status, SerialPort::OpenStatus::NotPresent);
    EXPECT_EQ(port.openDevice(terminal.slavePath(), QStringLiteral("38400;n;8;1")).status,
              SerialPort::OpenStatus::Failed);
    EXPECT_FALSE(port.isOpen());

    ASSERT_TRUE(openSlave());
    QtSerialPort second(timers, &log);
    const SerialPort::OpenResult result = second.openDevice(terminal.slavePath(), StandardSettings);
    EXPECT_EQ(result.status, SerialPort::OpenStatus::InUse) << result.errorText.toStdString();
    EXPECT_TRUE(result.errorText.startsWith(terminal.slavePath() + QStringLiteral(": ")));
    EXPECT_FALSE(result.errorText.contains(QStringLiteral("No error")));
    EXPECT_FALSE(second.isOpen());
    EXPECT_TRUE(port.isOpen());
}

TEST_F(PseudoTerminalPort, ARelativeDevicePathIsTakenFromTheWorkingDirectory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::link(terminal.slavePath(), dir.filePath(QStringLiteral("exchange"))));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const SerialPort::OpenResult result = port.openDevice(QStringLiteral("exchange"), StandardSettings);
    QDir::setCurrent(previous);
    EXPECT_TRUE(result.opened()) << result.errorText.toStdString();
    EXPECT_EQ(port.deviceName(), dir.filePath(QStringLiteral("exchange")));
}

TEST(QtSerialPortPermissions, ADeniedDeviceNamesItsGroupAndTheWayIn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ttyUSB0"));
    QFile device(path);
    ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    device.close();
    const group *own = getgrgid(getegid());
    const passwd *owner = getpwuid(geteuid());
    ASSERT_TRUE(own && owner);

    ASSERT_TRUE(device.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                      | QFileDevice::WriteGroup));
    EXPECT_EQ(QtSerialPort::permissionDeniedText(path),
              QStringLiteral("%1: permission denied; the device belongs to group %2: join group %2, then log in again")
                  .arg(path, QString::fromLocal8Bit(own->gr_name)));
    ASSERT_TRUE(device.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(QtSerialPort::permissionDeniedText(path),
              QStringLiteral("%1: permission denied; only its owner %2 may open it")
                  .arg(path, QString::fromLocal8Bit(owner->pw_name)));
}

TEST(QtSerialPortNumbering, PortNumbersNameFixedDevices)
{
    const std::pair<int, const char *> devices[] = {{1, "/dev/ttyS0"},
                                                    {4, "/dev/ttyS3"},
                                                    {5, "/dev/ttyUSB0"},
                                                    {12, "/dev/ttyUSB7"},
                                                    {13, "/dev/ttyACM0"},
                                                    {16, "/dev/ttyACM3"},
                                                    {0, ""},
                                                    {17, ""}};
    for (const auto &[number, path] : devices)
        EXPECT_EQ(QtSerialPort::devicePath(number), QLatin1String(path)) << number;
}
