#pragma once

#include "link/SerialPort.h"

#include <QList>
#include <QMap>

// A serial port whose devices, lines and input the test sets.
class FakeSerialPort : public SerialPort
{
public:
    OpenResult open(int portNumber, const QString &settings) override
    {
        // Named as the real port names its fixed devices: COM1 is /dev/ttyS0.
        return openAs(QStringLiteral("/dev/ttyS%1").arg(portNumber - 1),
                      ports.value(portNumber, OpenStatus::NotPresent), settings);
    }
    OpenResult openDevice(const QString &path, const QString &settings) override
    {
        return openAs(path, devices.value(path, OpenStatus::NotPresent), settings);
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }

    void write(const QByteArray &data) override { written.append(data); }
    QByteArray readAll() override { return std::exchange(input, QByteArray()); }

    void setRts(bool on) override { rts.append(on); }
    bool cts() const override { return m_open && ctsLine; }
    bool canReportModemLines() const override { return true; }
    QString deviceName() const override { return m_device; }

    void receive(const QByteArray &bytes)
    {
        input += bytes;
        emit dataReceived();
    }
    void changeCts(bool present)
    {
        ctsLine = present;
        emit ctsChanged(present);
    }
    void raiseLineError(int code) { emit lineError(code); }

    // What an open of each port number or device gives; others are not present.
    QMap<int, OpenStatus> ports;
    QMap<QString, OpenStatus> devices;
    bool ctsLine = true;

    // Every device actually opened, in order; settings of the last attempt.
    QStringList opened;
    QString settings;
    QList<QByteArray> written;
    QList<bool> rts;
    QByteArray input;

private:
    OpenResult openAs(const QString &device, OpenStatus status, const QString &lineSettings)
    {
        m_open = false;
        m_device = device;
        settings = lineSettings;
        if (status != OpenStatus::Opened)
            return {status, device + QStringLiteral(" refused")};
        m_open = true;
        opened.append(device);
        return {status, QString()};
    }

    QString m_device;
    bool m_open = false;
};
