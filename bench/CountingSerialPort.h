#pragma once

#include "link/SerialPort.h"

#include <QElapsedTimer>
#include <QList>

#include <memory>

// Passes everything to a real port and notes what crossed it and when, so a
// benchmark can tell the line's share of a transfer from the program's.
class CountingSerialPort : public SerialPort
{
public:
    explicit CountingSerialPort(std::unique_ptr<SerialPort> port)
        : m_port(std::move(port))
    {
        m_clock.start();
        connect(m_port.get(), &SerialPort::dataReceived, this, &SerialPort::dataReceived);
        connect(m_port.get(), &SerialPort::ctsChanged, this, &SerialPort::ctsChanged);
        connect(m_port.get(), &SerialPort::lineError, this, &SerialPort::lineError);
    }

    OpenResult open(int portNumber, const QString &settings) override { return m_port->open(portNumber, settings); }
    OpenResult openDevice(const QString &path, const QString &settings) override
    {
        return m_port->openDevice(path, settings);
    }
    void close() override { m_port->close(); }
    bool isOpen() const override { return m_port->isOpen(); }
    void write(const QByteArray &data) override
    {
        // The first write after input is the program's answer to it.
        if (m_lastInput >= 0) {
            m_turnarounds.append(m_clock.nsecsElapsed() - m_lastInput);
            m_lastInput = -1;
        }
        m_bytesOut += data.size();
        m_port->write(data);
    }
    QByteArray readAll() override
    {
        const QByteArray data = m_port->readAll();
        if (!data.isEmpty()) {
            m_lastInput = m_clock.nsecsElapsed();
            m_bytesIn += data.size();
        }
        return data;
    }
    void setRts(bool on) override { m_port->setRts(on); }
    bool cts() const override { return m_port->cts(); }
    bool canReportModemLines() const override { return m_port->canReportModemLines(); }
    QString deviceName() const override { return m_port->deviceName(); }

    qint64 bytesIn() const { return m_bytesIn; }
    qint64 bytesOut() const { return m_bytesOut; }
    // Nanoseconds from the last chunk read to the next write.
    const QList<qint64> &turnarounds() const { return m_turnarounds; }

private:
    std::unique_ptr<SerialPort> m_port;
    QElapsedTimer m_clock;
    qint64 m_lastInput = -1;
    qint64 m_bytesIn = 0;
    qint64 m_bytesOut = 0;
    QList<qint64> m_turnarounds;
};
