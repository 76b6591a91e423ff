#pragma once

#include "link/PacketCode.h"
#include "link/PendingPacketStore.h"
#include "link/TransferSink.h"
#include "model/ExchClass.h"
#include "transfer/RecordRef.h"
#include "transfer/TransferObserver.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class DebugLog;
class LineControl;
class PacketSender;
class RecordClass;
class Timer;
class TimerFactory;

// Reads a whole configuration from the exchange or writes one back. Every
// reply that answers the request in flight makes it store what arrived and
// send the next request; any other frame is logged and counts as no reply.
// Lost replies are sent again after a pause, and repeated silence pulses RTS
// to reset the exchange's serial side. A get succeeds only with every layout
// and every record the used maps promise; a send only with every record it
// wrote echoed as written.
class TransferEngine : public TransferSink, public PendingPacketStore
{
public:
    // SendChanges writes a list of records and nothing else (startRecords).
    enum class Mode { Get, Send, SendChanges };

    static constexpr int StepCount = 12;
    static constexpr int RetransmitInterval = 2500;
    static constexpr int RebootInterval = 4000;
    static constexpr int NoResponseInterval = 1000;
    // Comms resets that may go unanswered before the exchange counts as gone.
    static constexpr int MaxResetCycles = 3;

    static QString stepTitle(int step);
    // Steps the window shows; the last two are never used.
    static constexpr int VisibleSteps = 10;

    TransferEngine(PacketSender &sender, LineControl &line, TimerFactory &timers, DebugLog *log = nullptr);
    ~TransferEngine() override;

    void setObserver(TransferObserver *observer) { m_observer = observer; }

    // Starts a transfer into or out of config, which must outlive it.
    void start(Mode mode, ExchClass *config);
    // Writes only these records of config, in the order a whole send goes
    // through the structures, each sent, retried and held against its echo
    // as a whole send does. Neither layouts nor used maps are read: a record
    // freed is written as the free slot it now is, which frees it on the
    // exchange as a whole send would. Records of structures a send does not
    // write are passed over. It succeeds only when every record came back as written.
    void startRecords(ExchClass *config, const QList<RecordRef> &records);
    // Whether a send writes the records of this member.
    static bool sendsMember(int member);
    // Ends a running transfer at once with Outcome::Cancelled.
    void cancel();
    // Stops everything at once and tells nobody.
    void abort();
    // Why the last transfer failed, as the engineer is told; empty after a
    // success or a cancel.
    QString failureText() const { return m_failureText; }

    Mode mode() const { return m_mode; }
    ExchClass *configuration() const { return m_config; }
    int attempts() const { return m_attempts; }
    int rebootStage() const { return m_rebootStage; }

    // TransferSink
    bool transferRunning() const override { return m_running; }
    void StructIn(const QByteArray &packet) override;
    void RecordsUsedIn(const QByteArray &packet) override;
    void PacketIn(const QByteArray &packet) override;
    // An acknowledgement answers no request of a transfer: it is logged and changes nothing.
    void acknowledge() override;

    // PendingPacketStore: only a running transfer keeps packets for retry, so
    // a device command sent between transfers never starts retransmissions.
    void storePendingPacket(int packType, int packLen, const QByteArray &packString) override;
    void startRetransmissionTimer() override;

private:
    // The reply a request asks for: its code and port id.
    struct Expected
    {
        int code = PacketCode::None;
        int index = 0;
    };

    // Whether a reply answers the request in flight; one that does not is logged.
    bool accept(int code, int index);
    void begin(Mode mode, ExchClass *config);
    void request(int code, int index);
    void sendRecord(RecordClass &structure, int index);
    void sendListedRecord();
    void listedRecordIn(const QByteArray &packet);
    // The records a send of changes has not seen confirmed, as the engineer reads them.
    QStringList unconfirmedListed() const;
    void resendPending();
    void startRecordsPhase();
    // Whether the structure is finished.
    bool RecordInProcess(int step, int member, const QByteArray &packet, RecordClass &next, bool last);
    void showRecordIndex(int index);
    // Ends with success when nothing is missing; "No Tones to be reconfigured"
    // goes first when the exchange has no tones.
    void finish(bool noTones = false);
    // What a get still lacks, or what a send's echoes did not confirm; empty when whole.
    QString shortfall() const;
    void end(TransferObserver::Outcome outcome, const QString &failureText = QString());

    void trmTimeoutTick();
    void trmRebootTick();
    void timNoRespTick();

    void stepDone(int step);
    void stepInProgress(int step);
    void setOverall(int value, int maximum);
    void setCurrent(int value, int maximum);
    void setStatus(const QString &text);
    DebugLog &log() const;

    PacketSender &m_sender;
    LineControl &m_line;
    DebugLog *m_log;
    TransferObserver *m_observer = nullptr;
    std::unique_ptr<Timer> m_trmTimeout;
    std::unique_ptr<Timer> m_trmReboot;
    std::unique_ptr<Timer> m_timNoResp;

    Mode m_mode = Mode::Get;
    ExchClass *m_config = nullptr;
    bool m_running = false;
    bool m_awaitingFirstTone = false;
    int m_attempts = 0;
    int m_rebootStage = 0;
    int m_resetCycles = 0;
    QString m_failureText;
    Expected m_expected;
    // The record image a send wrote last, to hold its echo against.
    QByteArray m_written;
    std::array<QSet<int>, ExchClass::MemberCount> m_arrived;
    QStringList m_unconfirmed;
    // A send of changes: the records in sending order and the one in flight.
    QList<RecordRef> m_listed;
    qsizetype m_nextListed = 0;
    bool m_tonesUnanswered = false;
    int m_lastPackType = -1;
    int m_lastPackLen = 0;
    QByteArray m_lastPackString;
    int m_overall = 0;
    int m_overallMaximum = 0;
    int m_current = 0;
    int m_currentMaximum = 0;
};
