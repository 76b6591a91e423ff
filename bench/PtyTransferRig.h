#pragma once

#include "CountingSerialPort.h"
#include "core/DebugLog.h"
#include "core/QtTimerFactory.h"
#include "link/QtSerialPort.h"
#include "link/SerialLink.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/PtyEndpoint.h"
#include "transfer/TransferEngine.h"

#include <QElapsedTimer>
#include <QEventLoop>

#include <functional>
#include <memory>

// A transfer through the program's own serial code and engine, against a
// simulator served on a pseudo-terminal: what the transfer benchmarks share.
class PtyTransferRig : private TransferObserver
{
public:
    static constexpr int LineRate = 38400;
    static constexpr double BitsPerByte = 10.0;

    // baud paces the simulator's replies; 0 leaves them unpaced.
    PtyTransferRig(ExchangeSimulator &simulator, int baud, TimerFactory &timers, DebugLog &log)
        : m_pty(&simulator)
    {
        m_pty.setBaudRate(baud);
        auto counting = std::make_unique<CountingSerialPort>(std::make_unique<QtSerialPort>(timers, &log));
        m_port = counting.get();
        m_link = std::make_unique<SerialLink>(std::move(counting), nullptr, &log);
        m_engine = std::make_unique<TransferEngine>(m_link->packetSender(), *m_link, timers, &log);
        m_link->attachTransfer(*m_engine, *m_engine);
        m_engine->setObserver(this);
    }

    bool open()
    {
        if (!m_pty.open())
            return false;
        m_link->openDevice(m_pty.slavePath(), LineRate);
        return true;
    }

    // Starts the transfer and waits for its end; true when it completed.
    bool run(const std::function<void(TransferEngine &)> &start)
    {
        QElapsedTimer wall;
        wall.start();
        start(*m_engine);
        if (!m_done)
            m_loop.exec();
        m_seconds = wall.nsecsElapsed() / 1e9;
        return m_outcome == Outcome::Completed;
    }

    double seconds() const { return m_seconds; }
    const CountingSerialPort &port() const { return *m_port; }
    qint64 lineBytes() const { return m_port->bytesIn() + m_port->bytesOut(); }
    double lineSeconds() const { return lineBytes() * BitsPerByte / LineRate; }

private:
    void finished(Outcome result) override
    {
        m_outcome = result;
        m_done = true;
        m_loop.quit();
    }

    PtyEndpoint m_pty;
    CountingSerialPort *m_port = nullptr;
    std::unique_ptr<SerialLink> m_link;
    std::unique_ptr<TransferEngine> m_engine;
    QEventLoop m_loop;
    bool m_done = false;
    Outcome m_outcome = Outcome::Cancelled;
    double m_seconds = 0;
};
