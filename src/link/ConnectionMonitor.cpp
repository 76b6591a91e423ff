#include "link/ConnectionMonitor.h"

#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "link/TransferSink.h"
#include "model/FieldFunctions.h"

namespace {
const QString AnsweringText = QStringLiteral("ORVX");
const QString NoReplyText = QStringLiteral("NO REPLY");
const QString NoConnectionText = QStringLiteral("NO CONN");
constexpr int PortIdLength = 2;
} // namespace

ConnectionMonitor::ConnectionMonitor(SerialLink &link, const TransferSink &transfer, const RecordWriteQueue &writes,
                                     TimerFactory &timers, QObject *parent)
    : QObject(parent)
    , m_link(link)
    , m_transfer(transfer)
    , m_writes(writes)
    , m_timers(timers)
    , m_timer(timers.createTimer(AnswerWindow))
{
    m_timer->setCallback([this] { check(); });
    m_link.dispatcher().setConnectionMonitor(this);
    connect(&m_link, &SerialLink::noConnectionChanged, this, &ConnectionMonitor::lineChanged);
    connect(&m_link, &SerialLink::portChanged, this, &ConnectionMonitor::portReopened);
    lineChanged();
}

ConnectionMonitor::~ConnectionMonitor()
{
    m_link.dispatcher().setConnectionMonitor(nullptr);
}

QString ConnectionMonitor::panelText() const
{
    switch (m_state) {
    case State::Answering:
        return AnsweringText;
    case State::NoReply:
        return NoReplyText;
    case State::NoConnection:
        break;
    }
    return NoConnectionText;
}

QStringList ConnectionMonitor::panelTexts()
{
    return {AnsweringText, NoReplyText, NoConnectionText};
}

bool ConnectionMonitor::online() const
{
    return m_link.isOpen() && !m_link.noConnection();
}

bool ConnectionMonitor::lineBusy() const
{
    return m_transfer.transferRunning() || !m_writes.isIdle();
}

void ConnectionMonitor::frameReceived()
{
    m_answered = true;
    m_lastAnswer = m_timers.now();
    if (!online())
        return;
    setState(State::Answering);
    checkAgainIn(AnswerWindow);
}

bool ConnectionMonitor::takeClockReply()
{
    if (!m_probeUnanswered)
        return false;
    m_probeUnanswered = false;
    return true;
}

void ConnectionMonitor::lineChanged()
{
    if (online()) {
        check();
        return;
    }
    // Answers from before the line dropped say nothing about the line now.
    m_timer->stop();
    m_answered = false;
    m_probeUnanswered = false;
    setState(State::NoConnection);
}

void ConnectionMonitor::portReopened()
{
    m_answered = false;
    if (m_state == State::Answering)
        setState(State::NoReply);
    lineChanged();
}

void ConnectionMonitor::check()
{
    m_timer->stop();
    if (!online()) {
        setState(State::NoConnection);
        return;
    }
    const qint64 now = m_timers.now();
    if (m_answered && now - m_lastAnswer < AnswerWindow) {
        setState(State::Answering);
        checkAgainIn(m_lastAnswer + AnswerWindow - now);
        return;
    }
    if (m_state == State::NoConnection)
        setState(State::NoReply);
    // While its clock read is on the way, the state stays as it was.
    if (m_probeUnanswered && now - m_lastProbe < ProbeReplyTimeout) {
        checkAgainIn(m_lastProbe + ProbeReplyTimeout - now);
        return;
    }
    const bool probeDue = !m_probed || now - m_lastProbe >= ProbeInterval;
    if (probeDue && !lineBusy()) {
        m_probed = true;
        m_lastProbe = now;
        m_probeUnanswered = true;
        m_link.packetSender().SendPacket(PacketCode::Clock, PortIdLength, EVal(0, PortIdLength), false);
        checkAgainIn(ProbeReplyTimeout);
        return;
    }
    setState(State::NoReply);
    checkAgainIn(probeDue ? ProbeInterval : m_lastProbe + ProbeInterval - now);
}

void ConnectionMonitor::checkAgainIn(qint64 milliseconds)
{
    m_timer->setInterval(int(qMax<qint64>(milliseconds, 1)));
    m_timer->start();
}

void ConnectionMonitor::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}
