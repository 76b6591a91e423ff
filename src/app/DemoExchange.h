#pragma once

#include <QString>

#include <memory>

class DebugLog;
class ExchangeSimulator;
class PtyEndpoint;

// An exchange inside the program for demonstrations: the simulator serving
// the sample site on a pseudo-terminal paced like a real programming port.
class DemoExchange
{
public:
    static constexpr int BaudRate = 38400;

    // A failure of the pseudo-terminal while serving is written to the log.
    explicit DemoExchange(DebugLog &log);
    ~DemoExchange();

    bool start();
    // The device the serial port opens to reach the exchange.
    QString devicePath() const;
    QString errorString() const;

private:
    std::unique_ptr<ExchangeSimulator> m_simulator;
    std::unique_ptr<PtyEndpoint> m_endpoint;
};
