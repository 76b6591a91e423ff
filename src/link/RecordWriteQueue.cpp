#include "link/RecordWriteQueue.h"

#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "model/ExchClass.h"

#include <algorithm>
#include <tuple>

namespace {
// A resent packet carries these in front of its payload, as a transfer's
// retransmission does: the exchange takes them as a resynchronisation.
constexpr int ResendMarkerLength = 4;
const QByteArray ResendMarker(ResendMarkerLength, Frame::Delimiter);
constexpr int IndexLength = 2;
} // namespace

RecordWriteQueue::RecordWriteQueue(PacketSender &sender, TimerFactory &timers, QObject *parent)
    : QObject(parent)
    , m_sender(sender)
    , m_timer(timers.createTimer(RetransmitInterval))
{
    m_timer->setCallback([this] { retransmitTick(); });
}

RecordWriteQueue::~RecordWriteQueue() = default;

bool RecordWriteQueue::writeRecord(ExchClass &config, int member, int index)
{
    if (member < 0 || member >= ExchClass::MemberCount || index < 0 || index >= config.member(member).Records())
        return false;
    const Record record{&config, member, index};
    // A record already waiting goes out once, with the bytes it has then.
    if (!m_waiting.contains(record))
        m_waiting.append(record);
    setState(record, State::Waiting);
    sendNext();
    return true;
}

void RecordWriteQueue::setState(const Record &record, State state)
{
    const auto known = m_states.constFind(record);
    if (known != m_states.cend() && *known == state)
        return;
    m_states.insert(record, state);
    emit stateChanged(record.config, record.member, record.index, state);
}

void RecordWriteQueue::sendNext()
{
    if (m_held || m_inFlight || m_waiting.isEmpty())
        return;
    const Record record = m_waiting.takeFirst();
    const RecordClass &structure = record.config->member(record.member);
    m_inFlight = InFlight{record, structure.SendCode(), structure.RequestCode(), structure.SendData(record.index), 0};
    m_sender.SendPacket(m_inFlight->code, int(m_inFlight->sent.size()), m_inFlight->sent, false);
    m_timer->start();
}

bool RecordWriteQueue::recordReply(const QByteArray &content)
{
    if (content.isEmpty())
        return false;
    const int replyCode = quint8(content.at(0));
    const int index = RecordClass::replyIndex(content);
    const QByteArray image = RecordClass::replyImage(content);
    const bool answersInFlight = m_inFlight && replyCode == m_inFlight->replyCode && index == m_inFlight->record.index;
    const bool echoed = answersInFlight && image == m_inFlight->sent.mid(IndexLength);
    if (!echoed && takeLateEcho(replyCode, index, image))
        return true;
    if (!answersInFlight)
        return false;
    const Record record = m_inFlight->record;
    // The sends not yet answered may each be answered still.
    finishInFlight(echoed ? State::Confirmed : State::Failed, m_inFlight->resends);
    if (!echoed)
        emit echoMismatch(record.config, record.member, record.index);
    sendNext();
    return true;
}

void RecordWriteQueue::finishInFlight(State state, int echoesOwed)
{
    m_timer->stop();
    const InFlight finished = *std::exchange(m_inFlight, std::nullopt);
    m_lateEchoes.removeIf([&finished](const LateEchoes &late) { return late.record == finished.record; });
    if (echoesOwed > 0)
        m_lateEchoes.append(
            LateEchoes{finished.record, finished.replyCode, finished.sent.mid(IndexLength), echoesOwed});
    // Written again while in flight: it waits for its own turn.
    if (!m_waiting.contains(finished.record))
        setState(finished.record, state);
}

bool RecordWriteQueue::takeLateEcho(int replyCode, int index, const QByteArray &image)
{
    for (qsizetype i = 0; i < m_lateEchoes.size(); ++i) {
        LateEchoes &late = m_lateEchoes[i];
        if (late.replyCode == replyCode && late.record.index == index && late.image == image) {
            if (--late.count == 0)
                m_lateEchoes.removeAt(i);
            return true;
        }
    }
    return false;
}

void RecordWriteQueue::retransmitTick()
{
    if (!m_inFlight) {
        m_timer->stop();
        return;
    }
    if (m_inFlight->resends < MaxResends) {
        ++m_inFlight->resends;
        m_sender.SendPacket(m_inFlight->code, int(m_inFlight->sent.size()) + ResendMarkerLength,
                            ResendMarker + m_inFlight->sent, false);
        return;
    }
    // An exchange that answers nothing will answer none of the writes behind
    // this one either: they fail with it, to be retried together.
    finishInFlight(State::Failed, 1 + m_inFlight->resends);
    const QList<Record> behind = std::exchange(m_waiting, {});
    for (const Record &record : behind)
        setState(record, State::Failed);
}

void RecordWriteQueue::retryFailed(const ExchClass *config)
{
    const QList<Record> failed = records(State::Failed, config);
    for (const Record &record : failed) {
        if (!m_waiting.contains(record))
            m_waiting.append(record);
        setState(record, State::Waiting);
    }
    sendNext();
}

void RecordWriteQueue::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    if (held && m_inFlight) {
        m_timer->stop();
        m_waiting.prepend(m_inFlight->record);
        m_inFlight.reset();
    }
    sendNext();
}

void RecordWriteQueue::forget(const ExchClass &config)
{
    m_waiting.removeIf([&config](const Record &record) { return record.config == &config; });
    m_states.removeIf([&config](const QHash<Record, State>::iterator it) { return it.key().config == &config; });
    m_lateEchoes.removeIf([&config](const LateEchoes &late) { return late.record.config == &config; });
    if (m_inFlight && m_inFlight->record.config == &config) {
        m_timer->stop();
        m_inFlight.reset();
        sendNext();
    }
}

std::optional<RecordWriteQueue::State> RecordWriteQueue::state(const ExchClass &config, int member, int index) const
{
    const auto known = m_states.constFind(Record{&config, member, index});
    if (known == m_states.cend())
        return std::nullopt;
    return *known;
}

int RecordWriteQueue::count(State state, const ExchClass *config) const
{
    return int(records(state, config).size());
}

QList<RecordWriteQueue::Record> RecordWriteQueue::records(State state, const ExchClass *config) const
{
    QList<Record> result;
    for (auto it = m_states.cbegin(); it != m_states.cend(); ++it) {
        if (it.value() == state && (!config || it.key().config == config))
            result.append(it.key());
    }
    std::sort(result.begin(), result.end(), [](const Record &a, const Record &b) {
        return std::tie(a.config, a.member, a.index) < std::tie(b.config, b.member, b.index);
    });
    return result;
}
