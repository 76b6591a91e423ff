#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class RecordWriteQueue;
class SerialLink;
class Timer;
class TimerFactory;
class TransferSink;

// Whether the exchange is answering, as the status bar tells the engineer:
// answering while some frame arrived within the answer window; no reply while
// the port is open with CTS present but nothing comes back; no connection
// without CTS or with the port closed. When the line has been quiet for the
// whole window and nothing else is going on, a clock read asks the exchange,
// at most once per probe interval.
class ConnectionMonitor : public QObject
{
    Q_OBJECT

public:
    enum class State { Answering, NoReply, NoConnection };

    static constexpr int AnswerWindow = 10000;
    static constexpr int ProbeInterval = 10000;
    // How long a clock read's answer may take before the exchange counts as silent.
    static constexpr int ProbeReplyTimeout = 2500;

    // Tells the link's dispatcher about itself; the transfer and the write
    // queue say whether the line is busy.
    ConnectionMonitor(SerialLink &link, const TransferSink &transfer, const RecordWriteQueue &writes,
                      TimerFactory &timers, QObject *parent = nullptr);
    ~ConnectionMonitor() override;

    State state() const { return m_state; }
    // "ORVX", "NO REPLY" or "NO CONN".
    QString panelText() const;
    // Every text the panel may show, so it can be made wide enough for each.
    static QStringList panelTexts();

    // Every frame received from the exchange.
    void frameReceived();
    // A clock report arrived. True when it answers this monitor's own read,
    // which nobody else asked for and nobody else is shown.
    bool takeClockReply();

signals:
    void stateChanged(ConnectionMonitor::State state);

private:
    bool online() const;
    bool lineBusy() const;
    void lineChanged();
    void portReopened();
    void check();
    void checkAgainIn(qint64 milliseconds);
    void setState(State state);

    SerialLink &m_link;
    const TransferSink &m_transfer;
    const RecordWriteQueue &m_writes;
    TimerFactory &m_timers;
    std::unique_ptr<Timer> m_timer;
    State m_state = State::NoConnection;
    bool m_answered = false;
    qint64 m_lastAnswer = 0;
    bool m_probed = false;
    qint64 m_lastProbe = 0;
    // A clock read of ours that has had no answer yet.
    bool m_probeUnanswered = false;
};
