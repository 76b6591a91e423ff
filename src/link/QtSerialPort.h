#pragma once

#include "link/SerialPort.h"

#include <QSerialPort>
#include <QSet>

#include <memory>

class DebugLog;
class Timer;
class TimerFactory;

// The serial line over QSerialPort.
//
// Port numbers name devices in a fixed order, so that "Comm Port 3" is the
// same device on one machine whatever else is plugged in:
//   1 .. 4   /dev/ttyS0 .. /dev/ttyS3     (on-board UARTs)
//   5 .. 12  /dev/ttyUSB0 .. /dev/ttyUSB7 (USB adapters with their own chip driver)
//   13 .. 16 /dev/ttyACM0 .. /dev/ttyACM3 (USB CDC-ACM adapters)
//
// A device that does not exist, or whose node has no hardware behind it (the
// open fails with an I/O error), is not present. One that another program
// holds (its lock file or exclusive mode) is in use.
//
// CTS changes are found by polling the modem lines. A device that cannot
// report them (a pseudo-terminal, some adapters) counts as CTS present.
class QtSerialPort : public SerialPort
{
    Q_OBJECT

public:
    static constexpr int ModemLinePollMilliseconds = 100;
    // Longest a close waits for queued output to leave.
    static constexpr int DrainMilliseconds = 2000;

    explicit QtSerialPort(TimerFactory &timers, DebugLog *log = nullptr, QObject *parent = nullptr);
    ~QtSerialPort() override;

    // The device behind a port number; empty outside FirstPortNumber .. LastPortNumber.
    static QString devicePath(int portNumber);
    // Why the device may not be opened and what the engineer can do about it,
    // from the group and permissions of its node.
    static QString permissionDeniedText(const QString &path);

    OpenResult open(int portNumber, const QString &settings) override;
    OpenResult openDevice(const QString &path, const QString &settings) override;
    void close() override;
    bool isOpen() const override;

    void write(const QByteArray &data) override;
    QByteArray readAll() override;

    void setRts(bool on) override;
    bool cts() const override;
    bool canReportModemLines() const override { return m_canReportModemLines; }

    QString deviceName() const override { return m_devicePath; }

private:
    static OpenResult openFailure(QSerialPort::SerialPortError error, const QString &path, const QString &reason);
    // Reads CTS; error receives what the port reported on the way.
    bool readCts(QSerialPort::SerialPortError *error);
    void pollModemLines();
    void modemLinesUnavailable();
    void onErrorOccurred(QSerialPort::SerialPortError error);
    void loseDevice();
    DebugLog &log() const;

    QSerialPort m_port;
    std::unique_ptr<Timer> m_pollTimer;
    DebugLog *m_log;
    QString m_devicePath;
    QSet<QString> m_reportedWithoutModemLines;
    bool m_canReportModemLines = false;
    bool m_cts = false;
    // Set while our own calls may raise errors that the caller answers itself.
    bool m_probing = false;
    bool m_lossPending = false;
    // Counts closings, so a deferred reaction to a lost device knows its port.
    quint64 m_closings = 0;
};
