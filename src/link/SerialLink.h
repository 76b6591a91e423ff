#pragma once

#include "link/Dispatcher.h"
#include "link/FrameSink.h"
#include "link/LineControl.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "link/SerialPort.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>

class DebugLog;
class Registry;
class PendingPacketStore;
class SerialLinkUi;
class TransferSink;

// The one serial line to the exchange: chooses and opens the port, tracks
// whether an exchange is there (CTS), feeds received bytes through the
// receiver into the dispatcher, and writes frames.
class SerialLink : public QObject, public FrameSink, public LineControl
{
    Q_OBJECT

public:
    // The port status table, as the options dialog lists it.
    enum PortStatus { PortAvailable = 0, PortInUse = 1, PortNotPresent = 2 };

    enum class Selection { Opened, NoPortsAvailable, NoPortChosen, OpenFailed };

    // The port is the link's; tests hand in a fake one.
    explicit SerialLink(std::unique_ptr<SerialPort> port, Registry *registry = nullptr, DebugLog *log = nullptr,
                        QObject *parent = nullptr);
    ~SerialLink() override;

    void setUi(SerialLinkUi *ui);
    // Hands definitions, used maps, record replies and acknowledgements to a
    // transfer, and keeps every packet sent on this line for its retries.
    void attachTransfer(TransferSink &transfer, PendingPacketStore &pending);

    // For this run only, open this port instead of the configured one: a port
    // number ("3") or a device path ("/dev/pts/4"). Nothing else is tried
    // when it cannot be opened.
    void setPortOverride(const QString &portOrDevice);

    // Fills the port status table, then opens the configured port, the only
    // available one, or the one the user picks.
    Selection SelectSerialPort();
    // Opens the port and closes it again: PortAvailable, PortInUse or PortNotPresent.
    int TestPort(int portNumber);
    int portStatus(int portNumber) const;

    // Closes whatever is open, opens the port at speed ",n,8,1" with RTS off,
    // and takes the exchange as connected when CTS is present.
    SerialPort::OpenResult openPort(int portNumber, int speed);
    SerialPort::OpenResult openDevice(const QString &path, int speed);
    void closePort();
    bool isOpen() const { return m_port->isOpen(); }

    // True while no exchange is taken to be on the line (CTS absent).
    bool noConnection() const { return m_noConnection; }
    void setNoConnection(bool noConnection);
    // The status bar's port panel: "COM3; 38400".
    QString portPanelText() const { return m_portPanelText; }

    SerialPort &port() { return *m_port; }
    Receiver &receiver() { return m_receiver; }
    Dispatcher &dispatcher() { return m_dispatcher; }
    PacketSender &packetSender() { return m_sender; }

    // FrameSink: one write while the port is open; dropped silently otherwise.
    void PackSend(const QByteArray &frame) override;

    // LineControl
    void setRts(bool on) override;
    bool ctsPresent() const override;
    void ClearInput() override;
    void writeRaw(const QByteArray &bytes) override;

signals:
    void noConnectionChanged(bool noConnection);
    // A port was opened, or tried, or closed: whatever answered before was another line.
    void portChanged();
    void portPanelTextChanged(const QString &text);

private:
    Selection openOverride(int speed);
    Selection reportOpening(const SerialPort::OpenResult &result);
    SerialPort::OpenResult finishOpening(const SerialPort::OpenResult &result);
    void setPortPanelText(const QString &text);
    void onDataReceived();
    void onCtsChanged(bool present);
    void onLineError(int code);
    DebugLog &log() const;

    std::unique_ptr<SerialPort> m_port;
    const Registry &m_registry;
    DebugLog *m_log;
    SerialLinkUi *m_ui = nullptr;
    PacketSender m_sender;
    Dispatcher m_dispatcher;
    Receiver m_receiver;
    std::array<int, SerialPort::LastPortNumber + 1> m_portStatus;
    QString m_settings;
    QString m_overrideDevice;
    int m_overridePort = 0;
    QString m_portPanelText;
    // Input that arrived while a packet handler held a nested event loop.
    QByteArray m_pendingInput;
    bool m_processingInput = false;
    bool m_noConnection = true;
};
