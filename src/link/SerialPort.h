#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// What the link needs of a serial line: open by port number or device,
// write, read, RTS out, CTS in, and events for data, CTS and line errors.
class SerialPort : public QObject
{
    Q_OBJECT

public:
    static constexpr int FirstPortNumber = 1;
    static constexpr int LastPortNumber = 16;

    // Line error codes as the serial control has always numbered them; the
    // link beeps for every code except a break, a framing and a parity error.
    enum LineErrorCode {
        BreakReceived = 1001,
        CtsTimeout = 1002,
        DsrTimeout = 1003,
        FramingError = 1004,
        Overrun = 1006,
        CdTimeout = 1007,
        ReceiveOverflow = 1008,
        ParityError = 1009,
        TransmitBufferFull = 1010,
        // Not among the control's codes.
        DeviceLost = 1100,
        UnknownLineError = 1101,
    };

    enum class OpenStatus { Opened, NotPresent, InUse, NoPermission, Failed };

    struct OpenResult
    {
        OpenStatus status = OpenStatus::Failed;
        QString errorText;

        bool opened() const { return status == OpenStatus::Opened; }
        // The reason without the device it begins with, for a message that names the device itself.
        QString reasonBeyond(const QString &device) const
        {
            const QString prefix = device + QStringLiteral(": ");
            return errorText.startsWith(prefix) ? errorText.mid(prefix.size()) : errorText;
        }
    };

    using QObject::QObject;

    // Port numbers FirstPortNumber .. LastPortNumber; settings as "38400,n,8,1".
    // Closes whatever was open before.
    virtual OpenResult open(int portNumber, const QString &settings) = 0;
    virtual OpenResult openDevice(const QString &path, const QString &settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Queues the whole string; does not wait for it to leave.
    virtual void write(const QByteArray &data) = 0;
    virtual QByteArray readAll() = 0;

    virtual void setRts(bool on) = 0;
    // A port that cannot report its modem lines reports CTS present.
    virtual bool cts() const = 0;
    virtual bool canReportModemLines() const = 0;

    // The device last opened or tried, for display.
    virtual QString deviceName() const = 0;

signals:
    void dataReceived();
    void ctsChanged(bool present);
    void lineError(int code);
};
