#include "transfer/TransferEngine.h"

#include "core/DebugLog.h"
#include "core/TimerFactory.h"
#include "link/LineControl.h"
#include "link/PacketCode.h"
#include "link/PacketSender.h"
#include "model/FieldFunctions.h"
#include "model/RecordLabel.h"

#include <algorithm>
#include <array>

namespace {
const char *const StepTitles[TransferEngine::StepCount] = {
    "Structures",
    "Records Used",
    "Classes",
    "System Details",
    "Virtual Ports",
    "Access Control Lists",
    "Groups",
    "Physical Ports To Virtual Ports",
    "Ext Numbers to Virtual Ports",
    "Tones",
    "Speed Dials",
    "Spare",
};

enum Step { StructuresStep, RecordsUsedStep, ClassesStep };

// Structure numbers run 0 .. LastStructureNumber in the definitions phase.
constexpr int LastStructureNumber = 15;
constexpr int InitialBarMaximum = 15;
constexpr int PortIdPosition = 6;
constexpr int RetransmitMarkerLength = 4;
constexpr char RetransmitMarker = 0x7E;
// Wakes the exchange's receiver before the first request.
const QByteArray LineWakeUp(3, 0x7E);
constexpr int FreeSlotBit = 7;
// Records named one by one in a failure message; the rest are counted.
constexpr int NamedRecordLimit = 5;

// The records-used maps in the order they are asked for; the next map follows
// the one that arrived.
constexpr std::array<int, 6> UsedMapOrder = {1, 2, 3, 4, 8, 10};

// Where each record reply goes: its step, the structure that follows, and
// whether it is the last. Checked in this order against the reply's code.
struct RecordRoute
{
    ExchClass::Member member;
    int step;
    ExchClass::Member next;
};
constexpr std::array<RecordRoute, 8> RecordRoutes = {{
    {ExchClass::VirtualPortsMember, 4, ExchClass::ACLMember},
    {ExchClass::GroupsMember, 6, ExchClass::PortToVirtualMember},
    {ExchClass::ACLMember, 5, ExchClass::GroupsMember},
    {ExchClass::ExtToVirtualMember, 8, ExchClass::TonesMember},
    {ExchClass::ClassListMember, 2, ExchClass::SystemMember},
    {ExchClass::SystemMember, 3, ExchClass::VirtualPortsMember},
    {ExchClass::PortToVirtualMember, 7, ExchClass::ExtToVirtualMember},
    {ExchClass::TonesMember, 9, ExchClass::TonesMember},
}};

const RecordRoute *routeOf(int member)
{
    const auto at = std::find_if(RecordRoutes.begin(), RecordRoutes.end(),
                                 [member](const RecordRoute &route) { return route.member == member; });
    return at == RecordRoutes.end() ? nullptr : &*at;
}

// Where a member's records come in a send: the chain of routes from the class list.
int sendPosition(int member)
{
    int position = 0;
    for (const RecordRoute *route = routeOf(ExchClass::ClassListMember); route; ++position) {
        if (route->member == member)
            return position;
        route = route->next == route->member ? nullptr : routeOf(route->next);
    }
    return -1;
}

QString namedList(const QStringList &names)
{
    if (names.size() <= NamedRecordLimit)
        return names.join(QStringLiteral(", "));
    return names.first(NamedRecordLimit).join(QStringLiteral(", "))
        + QStringLiteral(" and %1 more").arg(names.size() - NamedRecordLimit);
}

// The records a get must ask for: record 0 always, the others when the used
// map marks them.
bool promised(const RecordClass &s, int index)
{
    return index == 0 || s.GetRecordUsed(index);
}
} // namespace

QString TransferEngine::stepTitle(int step)
{
    return step >= 0 && step < StepCount ? QLatin1String(StepTitles[step]) : QString();
}

TransferEngine::TransferEngine(PacketSender &sender, LineControl &line, TimerFactory &timers, DebugLog *log)
    : m_sender(sender)
    , m_line(line)
    , m_log(log)
    , m_trmTimeout(timers.createTimer(RetransmitInterval))
    , m_trmReboot(timers.createTimer(RebootInterval))
    , m_timNoResp(timers.createTimer(NoResponseInterval))
{
    m_trmTimeout->setCallback([this] { trmTimeoutTick(); });
    m_trmReboot->setCallback([this] { trmRebootTick(); });
    m_timNoResp->setCallback([this] { timNoRespTick(); });
}

TransferEngine::~TransferEngine() = default;

DebugLog &TransferEngine::log() const
{
    return m_log ? *m_log : DebugLog::shared();
}

// ---- Progress --------------------------------------------------------------

void TransferEngine::stepDone(int step)
{
    if (m_observer && step >= 0)
        m_observer->stepDone(step);
}

void TransferEngine::stepInProgress(int step)
{
    if (m_observer && step >= 0)
        m_observer->stepInProgress(step);
}

void TransferEngine::setOverall(int value, int maximum)
{
    m_overall = value;
    m_overallMaximum = maximum;
    if (m_observer)
        m_observer->overallProgress(value, maximum);
}

void TransferEngine::setCurrent(int value, int maximum)
{
    m_current = value;
    m_currentMaximum = maximum;
    if (m_observer)
        m_observer->currentProgress(value, maximum);
}

void TransferEngine::showRecordIndex(int index)
{
    setCurrent(index, m_currentMaximum);
    if (m_observer)
        m_observer->countChanged(index);
}

void TransferEngine::setStatus(const QString &text)
{
    if (m_observer)
        m_observer->statusText(text);
}

// ---- Sending ---------------------------------------------------------------

void TransferEngine::request(int code, int index)
{
    m_expected = {code, index};
    m_sender.SendPacket(code, 2, EVal(index, 2), true);
}

void TransferEngine::sendRecord(RecordClass &structure, int index)
{
    // The exchange echoes a written record under the structure's request code.
    m_expected = {structure.RequestCode(), index};
    m_written = structure.record(index);
    const QByteArray data = structure.SendData(index);
    m_sender.SendPacket(structure.SendCode(), int(data.size()), data, true);
}

bool TransferEngine::accept(int code, int index)
{
    if (code != m_expected.code || index != m_expected.index) {
        log().AddNL(QStringLiteral("##Reply %1 for %2 ignored: the transfer waits for %3 for %4")
                        .arg(code)
                        .arg(index)
                        .arg(m_expected.code)
                        .arg(m_expected.index));
        return false;
    }
    // A second answer to the same request is no answer to the next one.
    m_expected = {};
    m_attempts = 0;
    m_resetCycles = 0;
    m_lastPackType = PacketCode::None;
    m_trmTimeout->stop();
    return true;
}

void TransferEngine::resendPending()
{
    // The exchange takes the leading delimiters as a resynchronisation; the
    // pending packet itself stays as it was, so every retry carries exactly four.
    m_sender.SendPacket(m_lastPackType, m_lastPackLen + RetransmitMarkerLength,
                        QByteArray(RetransmitMarkerLength, RetransmitMarker) + m_lastPackString, false);
}

void TransferEngine::storePendingPacket(int packType, int packLen, const QByteArray &packString)
{
    if (!m_running)
        return;
    m_lastPackType = packType;
    m_lastPackLen = packLen;
    m_lastPackString = packString;
}

void TransferEngine::startRetransmissionTimer()
{
    if (m_running)
        m_trmTimeout->start();
}

void TransferEngine::acknowledge()
{
    if (m_running)
        log().AddNL(QStringLiteral("##Acknowledgement ignored: the transfer waits for %1 for %2")
                        .arg(m_expected.code)
                        .arg(m_expected.index));
}

// ---- Phases ----------------------------------------------------------------

bool TransferEngine::sendsMember(int member)
{
    return routeOf(member) != nullptr;
}

void TransferEngine::begin(Mode mode, ExchClass *config)
{
    abort();
    m_mode = mode;
    m_config = config;
    m_failureText.clear();
    for (QSet<int> &arrived : m_arrived)
        arrived.clear();
    m_unconfirmed.clear();
    m_listed.clear();
    m_nextListed = 0;
    m_tonesUnanswered = false;
    m_line.writeRaw(LineWakeUp);
    m_running = true;
    stepInProgress(StructuresStep);
    setOverall(0, InitialBarMaximum);
    setCurrent(0, InitialBarMaximum);
    m_attempts = 0;
    m_resetCycles = 0;
}

void TransferEngine::start(Mode mode, ExchClass *config)
{
    if (mode == Mode::SendChanges) {
        startRecords(config, {});
        return;
    }
    begin(mode, config);
    if (mode == Mode::Get) {
        request(PacketCode::StructureDefinition, 0);
        return;
    }
    // A send keeps the document's layouts: only the used maps are read.
    stepDone(StructuresStep);
    setOverall(m_overall + 1, m_overallMaximum);
    stepInProgress(RecordsUsedStep);
    m_lastPackType = PacketCode::RecordsUsed;
    m_trmTimeout->start();
    request(PacketCode::RecordsUsed, UsedMapOrder.front());
    setCurrent(0, m_currentMaximum);
}

void TransferEngine::startRecords(ExchClass *config, const QList<RecordRef> &records)
{
    begin(Mode::SendChanges, config);
    for (const RecordRef &record : records) {
        if (sendsMember(record.member) && record.index >= 0 && record.index < config->member(record.member).Records())
            m_listed.append(record);
    }
    std::sort(m_listed.begin(), m_listed.end(), [](const RecordRef &a, const RecordRef &b) {
        const int x = sendPosition(a.member);
        const int y = sendPosition(b.member);
        return x != y ? x < y : a.index < b.index;
    });
    m_listed.erase(std::unique(m_listed.begin(), m_listed.end()), m_listed.end());

    // Records named one by one need neither the layouts nor the used maps.
    stepDone(StructuresStep);
    stepDone(RecordsUsedStep);
    int structures = 0;
    for (qsizetype i = 0; i < m_listed.size(); ++i) {
        if (i == 0 || m_listed.at(i - 1).member != m_listed.at(i).member)
            ++structures;
    }
    setOverall(0, structures);
    if (m_listed.isEmpty()) {
        end(TransferObserver::Outcome::Completed);
        return;
    }
    sendListedRecord();
}

void TransferEngine::sendListedRecord()
{
    const RecordRef record = m_listed.at(m_nextListed);
    const bool firstOfStructure = m_nextListed == 0 || m_listed.at(m_nextListed - 1).member != record.member;
    if (firstOfStructure) {
        stepInProgress(routeOf(record.member)->step);
        qsizetype count = 0;
        for (qsizetype i = m_nextListed; i < m_listed.size() && m_listed.at(i).member == record.member; ++i)
            ++count;
        setCurrent(0, int(count));
    }
    if (m_observer)
        m_observer->countChanged(record.index);
    sendRecord(m_config->member(record.member), record.index);
    // As in a whole send, an exchange without tones is told by a retried tone write going unanswered.
    if (firstOfStructure && record.member == ExchClass::TonesMember) {
        m_awaitingFirstTone = true;
        m_timNoResp->start();
    }
}

void TransferEngine::listedRecordIn(const QByteArray &packet)
{
    const RecordRef record = m_listed.at(m_nextListed);
    if (record.member == ExchClass::TonesMember) {
        m_timNoResp->stop();
        m_awaitingFirstTone = false;
    }
    RecordClass &s = m_config->member(record.member);
    s.ShowPacket(packet);
    s.PutData(packet);
    if (RecordClass::replyImage(packet) != m_written)
        m_unconfirmed.append(RecordLabel::record(*m_config, record.member, record.index));
    ++m_nextListed;
    setCurrent(m_current + 1, m_currentMaximum);
    if (m_nextListed == m_listed.size() || m_listed.at(m_nextListed).member != record.member) {
        stepDone(routeOf(record.member)->step);
        setOverall(m_overall + 1, m_overallMaximum);
    }
    if (m_nextListed == m_listed.size())
        finish();
    else
        sendListedRecord();
}

QStringList TransferEngine::unconfirmedListed() const
{
    QStringList names = m_unconfirmed;
    for (qsizetype i = m_nextListed; i < m_listed.size(); ++i)
        names.append(RecordLabel::record(*m_config, m_listed.at(i).member, m_listed.at(i).index));
    return names;
}

void TransferEngine::StructIn(const QByteArray &packet)
{
    if (!m_running || !m_config)
        return;
    const int k = int(PInt(packet, PortIdPosition, 2));
    if (!accept(PacketCode::StructureDefinition, k))
        return;
    if (k < LastStructureNumber)
        setCurrent(m_current + 1, m_currentMaximum);
    const int member = ExchClass::memberForDefinitionId(k);
    if (member >= 0)
        m_config->member(member).BuildStructure(packet);
    if (k < LastStructureNumber) {
        request(PacketCode::StructureDefinition, k + 1);
    } else {
        stepDone(StructuresStep);
        stepInProgress(RecordsUsedStep);
        request(PacketCode::RecordsUsed, UsedMapOrder.front());
        setCurrent(0, m_currentMaximum);
        setOverall(m_overall + 1, m_overallMaximum);
    }
}

void TransferEngine::RecordsUsedIn(const QByteArray &packet)
{
    if (!m_running || !m_config)
        return;
    const int k = int(PInt(packet, PortIdPosition, 2));
    if (!accept(PacketCode::RecordsUsed, k))
        return;
    if (k < LastStructureNumber)
        setCurrent(m_current + 1, m_currentMaximum);
    const auto at = std::find(UsedMapOrder.begin(), UsedMapOrder.end(), k);
    if (at == UsedMapOrder.end())
        return;
    m_config->member(ExchClass::memberForDefinitionId(k)).PutUsed(packet);
    if (at + 1 != UsedMapOrder.end())
        request(PacketCode::RecordsUsed, *(at + 1));
    else
        startRecordsPhase();
}

void TransferEngine::startRecordsPhase()
{
    stepDone(RecordsUsedStep);
    stepInProgress(ClassesStep);
    RecordClass &classes = m_config->ClassList();
    if (m_mode == Mode::Get)
        request(classes.RequestCode(), 0);
    else
        sendRecord(classes, 0);
    setCurrent(0, classes.Records());
    setOverall(m_overall + 1, m_overallMaximum);
}

void TransferEngine::PacketIn(const QByteArray &packet)
{
    if (!m_running || !m_config || packet.isEmpty())
        return;
    const int code = quint8(packet.at(0));
    if (!accept(code, RecordClass::replyIndex(packet)))
        return;
    if (m_mode == Mode::SendChanges) {
        listedRecordIn(packet);
        return;
    }

    for (const RecordRoute &route : RecordRoutes) {
        RecordClass &s = m_config->member(route.member);
        if (s.RequestCode() != code)
            continue;
        const bool tonesEmpty = m_config->Tones().Records() == 0;
        if (route.member == ExchClass::TonesMember) {
            m_timNoResp->stop();
            m_awaitingFirstTone = false;
        }
        const bool last =
            route.member == ExchClass::TonesMember || (route.member == ExchClass::ExtToVirtualMember && tonesEmpty);
        if (!RecordInProcess(route.step, route.member, packet, m_config->member(route.next), last))
            return;
        if (route.member == ExchClass::ExtToVirtualMember) {
            if (!tonesEmpty) {
                m_awaitingFirstTone = true;
                m_timNoResp->start();
                return;
            }
            finish(true);
        } else if (route.member == ExchClass::TonesMember) {
            finish();
        }
        return;
    }
}

bool TransferEngine::RecordInProcess(int step, int member, const QByteArray &packet, RecordClass &next, bool last)
{
    RecordClass &s = m_config->member(member);
    const int index = RecordClass::replyIndex(packet);
    s.ShowPacket(packet);
    s.PutData(packet);
    m_arrived[member].insert(index);
    if (m_mode == Mode::Send && RecordClass::replyImage(packet) != m_written)
        m_unconfirmed.append(RecordLabel::record(*m_config, member, index));

    int i = index + 1;
    if (m_mode == Mode::Get) {
        // Records the exchange does not use are not asked for; they are blank.
        while (i < s.Records() && !s.GetRecordUsed(i)) {
            s.PutBlank(i);
            showRecordIndex(i);
            ++i;
        }
    } else {
        // Free slots the exchange does not use are left as they are.
        while (i < s.Records() && !s.GetRecordUsed(i) && s.GetBoolean("Flag", i, FreeSlotBit, 0)) {
            showRecordIndex(i);
            ++i;
        }
    }

    if (i >= s.Records()) {
        stepDone(step);
        if (!last) {
            stepInProgress(step + 1);
            setCurrent(0, next.Records());
            setOverall(m_overall + 1, m_overallMaximum);
            if (m_mode == Mode::Get)
                request(next.RequestCode(), 0);
            else
                sendRecord(next, 0);
        }
        return true;
    }

    showRecordIndex(i);
    if (m_mode == Mode::Get) {
        request(s.RequestCode(), i);
    } else {
        sendRecord(s, i);
        m_trmTimeout->stop();
        m_trmTimeout->start();
    }
    return false;
}

void TransferEngine::finish(bool noTones)
{
    const QString missing = shortfall();
    if (!missing.isEmpty()) {
        end(TransferObserver::Outcome::Incomplete, missing);
        return;
    }
    if (noTones) {
        // Nothing runs while the engineer reads it.
        abort();
        if (m_observer)
            m_observer->message(QStringLiteral("No Tones to be reconfigured"));
    }
    end(TransferObserver::Outcome::Completed);
}

QString TransferEngine::shortfall() const
{
    if (m_mode == Mode::SendChanges) {
        const QStringList unconfirmed = unconfirmedListed();
        if (unconfirmed.isEmpty())
            return {};
        return QStringLiteral("The exchange did not confirm these records: %1").arg(namedList(unconfirmed));
    }
    if (m_mode == Mode::Send) {
        if (m_unconfirmed.isEmpty())
            return {};
        return QStringLiteral("The exchange did not echo these records as they were sent: %1")
            .arg(namedList(m_unconfirmed));
    }
    QStringList noLayout;
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        const RecordClass &s = m_config->member(member);
        // An exchange without tones may describe them as nothing at all.
        if (!s.hasLayout() && !(member == ExchClass::TonesMember && s.Records() == 0))
            noLayout.append(RecordLabel::structureTitle(member));
    }
    QStringList unanswered;
    for (const RecordRoute &route : RecordRoutes) {
        if (route.member == ExchClass::TonesMember && m_tonesUnanswered)
            continue;
        const RecordClass &s = m_config->member(route.member);
        for (int i = 0; i < s.Records(); ++i) {
            if (promised(s, i) && !m_arrived[route.member].contains(i))
                unanswered.append(RecordLabel::record(*m_config, route.member, i));
        }
    }
    QStringList parts;
    if (!noLayout.isEmpty())
        parts.append(QStringLiteral("no layout for %1").arg(noLayout.join(QStringLiteral(", "))));
    if (!unanswered.isEmpty())
        parts.append(QStringLiteral("no reply for %1").arg(namedList(unanswered)));
    if (parts.isEmpty())
        return {};
    return QStringLiteral("The configuration did not arrive whole (%1); nothing was kept")
        .arg(parts.join(QStringLiteral("; ")));
}

void TransferEngine::cancel()
{
    if (m_running)
        end(TransferObserver::Outcome::Cancelled);
}

void TransferEngine::end(TransferObserver::Outcome outcome, const QString &failureText)
{
    abort();
    m_failureText = failureText;
    // The records not confirmed are what the engineer must look at on the exchange.
    if (m_mode == Mode::SendChanges
        && (outcome == TransferObserver::Outcome::NoReply || outcome == TransferObserver::Outcome::NotConnected)) {
        const QString unconfirmed = shortfall();
        if (!unconfirmed.isEmpty())
            m_failureText += QStringLiteral(". ") + unconfirmed;
    }
    if (m_observer)
        m_observer->finished(outcome);
}

void TransferEngine::abort()
{
    m_running = false;
    m_awaitingFirstTone = false;
    m_expected = {};
    m_trmTimeout->stop();
    m_trmReboot->stop();
    m_timNoResp->stop();
    m_lastPackType = PacketCode::None;
}

// ---- Timers ----------------------------------------------------------------

void TransferEngine::trmTimeoutTick()
{
    if (m_lastPackType == PacketCode::None) {
        setStatus(QString());
        m_trmTimeout->stop();
        return;
    }
    ++m_attempts;
    setStatus(QStringLiteral("Attempt #") + QString::number(m_attempts));
    if (m_attempts >= 2) {
        if (m_resetCycles >= MaxResetCycles) {
            end(TransferObserver::Outcome::NoReply, QStringLiteral("No Orvex detected"));
            return;
        }
        ++m_resetCycles;
        m_rebootStage = 0;
        m_line.setRts(true);
        m_trmTimeout->stop();
        m_trmReboot->start();
        return;
    }
    m_line.ClearInput();
    resendPending();
    if (m_awaitingFirstTone)
        m_timNoResp->start();
}

void TransferEngine::trmRebootTick()
{
    switch (m_rebootStage) {
    case 0:
        setStatus(QStringLiteral("Comms Reset Stage 1"));
        m_line.setRts(false);
        m_rebootStage = 1;
        break;
    case 1:
        setStatus(QStringLiteral("Comms Reset Stage 2"));
        m_rebootStage = 2;
        if (!m_line.ctsPresent()) {
            end(TransferObserver::Outcome::NotConnected, QStringLiteral("Orvex not connected or turned on"));
            return;
        }
        m_line.ClearInput();
        break;
    case 2:
        if (m_lastPackType != PacketCode::None) {
            setStatus(QStringLiteral("Comms Reset Stage 3"));
            resendPending();
            m_rebootStage = 3;
        } else {
            setStatus(QString());
            m_trmReboot->stop();
        }
        break;
    default:
        setStatus(QString());
        m_trmReboot->stop();
        break;
    }
}

void TransferEngine::timNoRespTick()
{
    m_timNoResp->stop();
    // One lost request is no proof that the exchange has no tones: wait for
    // the retransmission, which starts this timer again.
    if (!m_config || m_attempts == 0)
        return;
    // A get has no tones of its own to keep; a send keeps the document's.
    if (m_mode == Mode::Get) {
        RecordClass &tones = m_config->Tones();
        for (int i = 0; i < tones.Records(); ++i)
            tones.PutBlank(i);
    }
    m_tonesUnanswered = true;
    finish();
}
