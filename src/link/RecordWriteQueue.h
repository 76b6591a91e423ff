#pragma once

#include "link/RecordWriter.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>

class ExchClass;
class PacketSender;
class Timer;
class TimerFactory;

// Every record written outside a configuration transfer, one at a time. A
// write is confirmed when the exchange echoes the record (a reply under the
// structure's request code with the same index) holding the bytes that were
// sent; without an echo it is sent again after the retransmission interval,
// and after the last resend it has failed. Each record written keeps its
// state, so the windows can show what is waiting, confirmed or lost.
class RecordWriteQueue : public QObject, public RecordWriter
{
    Q_OBJECT

public:
    enum class State { Waiting, Confirmed, Failed };

    static constexpr int RetransmitInterval = 2500;
    static constexpr int MaxResends = 3;

    struct Record
    {
        const ExchClass *config = nullptr;
        int member = 0;
        int index = 0;
        friend bool operator==(const Record &, const Record &) = default;
        friend size_t qHash(const Record &record, size_t seed = 0)
        {
            return qHashMulti(seed, record.config, record.member, record.index);
        }
    };

    RecordWriteQueue(PacketSender &sender, TimerFactory &timers, QObject *parent = nullptr);
    ~RecordWriteQueue() override;

    // RecordWriter: the record's bytes are taken when its turn comes, so a
    // record edited again before then goes out once with the newest bytes.
    bool writeRecord(ExchClass &config, int member, int index) override;

    // A record reply that arrived outside a transfer. True when it answered
    // the write in flight or was an echo still owed by an earlier send; the
    // caller then has nothing more to do with it.
    bool recordReply(const QByteArray &content);

    // Failed writes (of one configuration, or all) wait for their turn again.
    void retryFailed(const ExchClass *config = nullptr);
    // While a transfer holds the line nothing is sent; the write in flight
    // waits for its turn again.
    void setHeld(bool held);
    bool isHeld() const { return m_held; }
    // The configuration's document is gone: its writes and states are dropped.
    void forget(const ExchClass &config);

    // The state of a record written in this run; none for one never written.
    std::optional<State> state(const ExchClass &config, int member, int index) const;
    int count(State state, const ExchClass *config = nullptr) const;
    QList<Record> records(State state, const ExchClass *config = nullptr) const;
    // Nothing waiting and nothing in flight.
    bool isIdle() const { return !m_inFlight && m_waiting.isEmpty(); }

signals:
    void stateChanged(const ExchClass *config, int member, int index, RecordWriteQueue::State state);
    // The exchange echoed other bytes than were written; the write has failed.
    void echoMismatch(const ExchClass *config, int member, int index);

private:
    struct InFlight
    {
        Record record;
        int code = 0;
        int replyCode = 0;
        QByteArray sent;
        int resends = 0;
    };
    // Each send of a write may be echoed, so one that was resent can still be
    // answered after it finished: those echoes are no news, neither the answer
    // to a later write of the record nor a record for the document.
    struct LateEchoes
    {
        Record record;
        int replyCode = 0;
        QByteArray image;
        int count = 0;
    };

    void setState(const Record &record, State state);
    void sendNext();
    void retransmitTick();
    void finishInFlight(State state, int echoesOwed);
    bool takeLateEcho(int replyCode, int index, const QByteArray &image);

    PacketSender &m_sender;
    std::unique_ptr<Timer> m_timer;
    QHash<Record, State> m_states;
    QList<Record> m_waiting;
    std::optional<InFlight> m_inFlight;
    QList<LateEchoes> m_lateEchoes;
    bool m_held = false;
};
