#include "link/SerialLink.h"
#include "core/Registry.h"
#include "link/FakeSerialPort.h"
#include "link/LinkRecorder.h"
#include "link/PacketSender.h"
#include "support/TestSupport.h"

namespace {
using Status = SerialPort::OpenStatus;

// What the exchange puts on the line for a packet content.
QByteArray onTheWire(const QByteArray &content)
{
    return '\x7E' + PacketSender::StuffBytes(content) + '\x7E';
}

class SerialLinking : public ::testing::Test
{
protected:
    SerialLinking()
    {
        auto fake = std::make_unique<FakeSerialPort>();
        port = fake.get();
        link = std::make_unique<SerialLink>(std::move(fake), &registry, &log);
        link->setUi(&recorder);
        link->dispatcher().setDeviceSink(&recorder);
        link->dispatcher().setActiveDocumentLookup([this] { return &recorder; });
        QObject::connect(link.get(), &SerialLink::noConnectionChanged,
                         [this](bool none) { connectionChanges.append(none); });
    }

    void configure(int portNumber, const char *speed = nullptr)
    {
        registry.SaveSetting(SettingsKeys::Comms, SettingsKeys::Port, Registry::TypeNumber, portNumber);
        if (speed)
            registry.SaveSetting(SettingsKeys::Comms, SettingsKeys::Speed, Registry::TypeText,
                                 QString::fromLatin1(speed));
    }

    QTemporaryDir directory;
    Registry registry{directory.filePath(QStringLiteral("settings.ini"))};
    DebugLog log;
    LinkRecorder recorder;
    FakeSerialPort *port = nullptr;
    std::unique_ptr<SerialLink> link;
    QList<bool> connectionChanges;
};
} // namespace

TEST_F(SerialLinking, TheConfiguredPortOpensAtItsSpeedWithRtsOffOrGivesWayToTheOnlyAvailableOne)
{
    using Selection = SerialLink::Selection;
    const QString selectPort =
        QStringLiteral("Serial port can not be opened. Please select a port in the View-Options menu");
    const QString noPorts = QStringLiteral("No Serial Ports available");
    const QString refused = selectPort + QStringLiteral("\n/dev/ttyS4 refused");
    using enum SerialPort::OpenStatus;
    // Any failure but a missing port counts as available, and the open then tells the user.
    const struct
    {
        int configured;
        const char *speed;
        QMap<int, Status> ports;
        Selection selection;
        const char *opened;
        QString message;
    } cases[] = {
        {2, nullptr, {{1, InUse}, {2, NotPresent}}, Selection::NoPortsAvailable, "", noPorts},
        {2, nullptr, {{2, InUse}, {5, Failed}}, Selection::OpenFailed, "", selectPort},
        {2, nullptr, {{2, InUse}, {5, NoPermission}}, Selection::OpenFailed, "", refused},
        {2, nullptr, {{2, InUse}, {5, Opened}, {16, InUse}}, Selection::Opened, "/dev/ttyS4 38400,n,8,1", QString()},
        {3, " 19200", {{1, Opened}, {3, Opened}}, Selection::Opened, "/dev/ttyS2 19200,n,8,1", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.configured);
        configure(c.configured, c.speed);
        port->ports = c.ports;
        recorder.messages.clear();
        EXPECT_EQ(link->SelectSerialPort(), c.selection);
        EXPECT_EQ(port->isOpen() ? port->deviceName() + QLatin1Char(' ') + port->settings : QString(),
                  QLatin1String(c.opened));
        if (port->isOpen()) {
            EXPECT_FALSE(link->noConnection());
            EXPECT_EQ(port->rts.last(), false);
        }
        EXPECT_EQ(recorder.messages.join(QLatin1Char('|')), c.message);
        EXPECT_TRUE(&c != &cases[0] || link->noConnection());
        link->closePort();
    }
    EXPECT_FALSE(recorder.calls.contains(QStringLiteral("choosePort")));
}

TEST_F(SerialLinking, SeveralAvailablePortsLeaveTheChoiceToTheUserAndTestPortLeavesThePortClosed)
{
    configure(2);
    port->ports = {{1, Status::Opened}, {4, Status::Opened}, {16, Status::InUse}};
    EXPECT_EQ(link->SelectSerialPort(), SerialLink::Selection::NoPortChosen);
    EXPECT_EQ(recorder.calls, QStringList{QStringLiteral("choosePort")});
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->portStatus(4), SerialLink::PortAvailable);
    EXPECT_EQ(link->portStatus(16), SerialLink::PortInUse);
    EXPECT_EQ(link->portStatus(5), SerialLink::PortNotPresent);
    EXPECT_EQ(link->portStatus(0), SerialLink::PortNotPresent);
    EXPECT_EQ(link->portStatus(17), SerialLink::PortNotPresent);

    recorder.pickPort = [this] {
        configure(4, " 9600");
        return true;
    };
    EXPECT_EQ(link->SelectSerialPort(), SerialLink::Selection::Opened);
    EXPECT_EQ(link->portPanelText(), QStringLiteral("COM4; 9600"));

    link->closePort();
    port->ports = {{1, Status::Opened}, {2, Status::InUse}, {3, Status::Failed}};
    const std::pair<int, int> tested[] = {{1, SerialLink::PortAvailable},
                                          {2, SerialLink::PortInUse},
                                          {3, SerialLink::PortAvailable},
                                          {4, SerialLink::PortNotPresent}};
    for (const auto &[number, status] : tested) {
        EXPECT_EQ(link->TestPort(number), status) << number;
        EXPECT_FALSE(port->isOpen());
    }
}

TEST_F(SerialLinking, PortOverrideOpensExactlyThatPortOrNothing)
{
    configure(1);
    port->ports = {{1, Status::Opened}, {5, Status::InUse}};
    port->devices = {{QStringLiteral("/dev/pts/7"), Status::Opened}};

    link->setPortOverride(QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(link->SelectSerialPort(), SerialLink::Selection::Opened);
    EXPECT_EQ(port->deviceName(), QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(link->portPanelText(), QStringLiteral("/dev/pts/7; 38400"));
    EXPECT_EQ(port->rts, QList<bool>{false});

    link->setPortOverride(QStringLiteral("5"));
    EXPECT_EQ(link->SelectSerialPort(), SerialLink::Selection::OpenFailed);
    EXPECT_FALSE(port->isOpen());
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(recorder.messages.first().startsWith(QStringLiteral("Serial port 5 can not be opened")));
}

TEST_F(SerialLinking, CtsDecidesWhetherAnExchangeIsConnected)
{
    configure(1);
    port->ports = {{1, Status::Opened}};
    port->ctsLine = false;
    link->SelectSerialPort();
    EXPECT_TRUE(link->noConnection());

    port->changeCts(true);
    EXPECT_FALSE(link->noConnection());
    EXPECT_TRUE(link->ctsPresent());

    port->changeCts(false);
    EXPECT_TRUE(link->noConnection());
    link->closePort();
    port->ctsLine = true;
    EXPECT_FALSE(link->ctsPresent());
    EXPECT_EQ(link->openPort(1, 38400).status, Status::Opened);
    EXPECT_FALSE(link->noConnection());
    // One that failed to open connects nothing, whatever the last one said.
    port->ports = {{1, Status::InUse}};
    EXPECT_EQ(link->openPort(1, 38400).status, Status::InUse);
    EXPECT_TRUE(link->noConnection());
    EXPECT_EQ(connectionChanges, (QList<bool>{false, true, false, true}));
}

TEST_F(SerialLinking, LineErrorsBeepExceptBreakFramingAndParity)
{
    for (int quiet : {SerialPort::BreakReceived, SerialPort::FramingError, SerialPort::ParityError})
        port->raiseLineError(quiet);
    EXPECT_EQ(recorder.beeps, 0);

    for (int loud : {int(SerialPort::Overrun), int(SerialPort::DeviceLost), 4711})
        port->raiseLineError(loud);
    EXPECT_EQ(recorder.beeps, 3);
}

TEST_F(SerialLinking, FramesAreWrittenWholeAndMarkedInTheLogOnlyWhileOpen)
{
    const QByteArray frame = bytes("7E 04 00 02 30 30 00 00 00 00 7E");
    link->PackSend(frame);
    link->writeRaw(bytes("7E 7E 7E"));
    link->setRts(true);
    EXPECT_TRUE(port->written.isEmpty());
    EXPECT_TRUE(port->rts.isEmpty());

    port->ports = {{1, Status::Opened}};
    link->openPort(1, 38400);
    link->PackSend(frame);
    link->writeRaw(bytes("7E 7E 7E"));
    EXPECT_EQ(port->written, (QList<QByteArray>{frame, bytes("7E 7E 7E")}));
    EXPECT_EQ(log.text(), QStringLiteral("**"));
}

TEST_F(SerialLinking, ReceivedInputWaitsBehindAModalWindowAndIsForgottenOnReopening)
{
    port->ports = {{1, Status::Opened}, {2, Status::Opened}};
    link->openPort(1, 38400);
    // A clock arriving while the board window shows waits for the rest of the chunk.
    recorder.whileBoardWindowShows = [&] {
        port->receive(onTheWire(replyPacket(4, 0, bytes("02 00 00 01 01 09 00 14"))));
    };
    port->receive(onTheWire(replyPacket(32, 0, QByteArray()))
                  + onTheWire(replyPacket(4, 0, bytes("01 00 00 01 01 09 00 14"))));
    recorder.whileBoardWindowShows = nullptr;
    port->receive(bytes("7E 04 00 0A"));
    link->openPort(2, 38400);
    port->receive(bytes("7E") + onTheWire(replyPacket(4, 0, bytes("07 00 00 01 01 09 00 14"))));
    ASSERT_EQ(recorder.clocks.size(), 3);
    EXPECT_EQ(QStringList({recorder.clocks[0].seconds, recorder.clocks[1].seconds, recorder.clocks[2].seconds}),
              QStringList({QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("07")}));
}
