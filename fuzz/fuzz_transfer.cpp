#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "core/Timer.h"
#include "core/TimerFactory.h"
#include "link/Dispatcher.h"
#include "link/FrameSink.h"
#include "link/LineControl.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "model/ExchClass.h"
#include "model/FieldFunctions.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"
#include "transfer/TransferEngine.h"

#include <QList>
#include <QSet>

#include <optional>
#include <utility>

namespace {
constexpr int MillisecondsPerTimeStep = 50;
constexpr int PortIdPosition = 6;
constexpr int PcPayloadPosition = 6;
const QByteArray RetransmissionMark(4, '\x7E');

// Timers on a clock that moves only when the input says so.
class SteppedTimers : public TimerFactory
{
public:
    std::unique_ptr<Timer> createTimer(int intervalMilliseconds) override
    {
        auto timer = std::make_unique<SteppedTimer>(*this, intervalMilliseconds);
        m_timers.append(timer.get());
        return timer;
    }
    qint64 now() const override { return m_now; }

    void advance(qint64 milliseconds)
    {
        const qint64 target = m_now + milliseconds;
        for (;;) {
            SteppedTimer *next = nullptr;
            for (SteppedTimer *timer : std::as_const(m_timers)) {
                if (timer->active && timer->due <= target && (!next || timer->due < next->due))
                    next = timer;
            }
            if (!next)
                break;
            m_now = next->due;
            next->due += qMax(next->period, 1);
            next->tick();
        }
        m_now = target;
    }

private:
    struct SteppedTimer : Timer
    {
        SteppedTimer(SteppedTimers &owner, int milliseconds)
            : owner(owner)
            , period(milliseconds)
        {
        }
        ~SteppedTimer() override { owner.m_timers.removeOne(this); }
        void setInterval(int milliseconds) override { period = milliseconds; }
        int interval() const override { return period; }
        void start() override
        {
            active = true;
            due = owner.m_now + period;
        }
        void stop() override { active = false; }
        bool isActive() const override { return active; }
        void tick() { fire(); }

        SteppedTimers &owner;
        int period;
        qint64 due = 0;
        bool active = false;
    };

    qint64 m_now = 0;
    QList<SteppedTimer *> m_timers;
};

using Reply = std::pair<int, int>;

// The line between the engine and the simulated exchange: frames the engine
// sends wait here until the input delivers or loses them, and every frame
// that reaches the engine is noted when it answers the request then in flight.
class Line : public FrameSink, public LineControl
{
public:
    explicit Line(DebugLog &log)
        : m_dispatcher(nullptr, &log)
        , m_toEngine([this](const QByteArray &content) { received(content); })
        , m_fromEngine([this](const QByteArray &content) { requested(content); })
    {
    }

    Dispatcher &dispatcher() { return m_dispatcher; }

    void PackSend(const QByteArray &frame) override
    {
        m_queue.append(frame);
        m_fromEngine.ProcessInput(frame);
    }
    void setRts(bool) override {}
    bool ctsPresent() const override { return true; }
    void ClearInput() override { m_toEngine.ClearInput(); }
    void writeRaw(const QByteArray &) override {}

    bool deliverNext(ExchangeSimulator &exchange)
    {
        if (m_queue.isEmpty())
            return false;
        for (const QByteArray &reply : exchange.feed(m_queue.takeFirst()))
            m_toEngine.ProcessInput(reply);
        return true;
    }
    void loseNext()
    {
        if (!m_queue.isEmpty())
            m_queue.removeFirst();
    }
    void inject(const QByteArray &bytes) { m_toEngine.ProcessInput(bytes); }

    bool answered(int code, int index) const { return m_answered.contains({code, index}); }

private:
    // The reply a request asks for: a record write would be echoed under the
    // request code, but a get writes none.
    void requested(const QByteArray &content)
    {
        QByteArray payload = content.mid(PcPayloadPosition - 1);
        if (payload.startsWith(RetransmissionMark))
            payload.remove(0, RetransmissionMark.size());
        m_inFlight = Reply{quint8(content.at(0)), int(PInt(payload, 1, 2))};
    }
    void received(const QByteArray &content)
    {
        if (!content.isEmpty() && m_inFlight
            && *m_inFlight == Reply{quint8(content.at(0)), int(PInt(content, PortIdPosition, 2))})
            m_answered.insert(*m_inFlight);
        m_dispatcher.ProcessPacket(content);
    }

    Dispatcher m_dispatcher;
    Receiver m_toEngine;
    Receiver m_fromEngine;
    QList<QByteArray> m_queue;
    std::optional<Reply> m_inFlight;
    QSet<Reply> m_answered;
};

struct Ending : TransferObserver
{
    void finished(Outcome result) override { outcome = result; }
    std::optional<Outcome> outcome;
};

const ExchClass &sample()
{
    static const ExchClass config = [] {
        ExchClass built;
        SampleConfiguration::build(built);
        return built;
    }();
    return config;
}

bool blank(const RecordClass &s)
{
    for (int i = 0; i < s.Records(); ++i) {
        if (s.record(i) != QByteArray(s.StructSize(), '\xFF'))
            return false;
    }
    return true;
}

// What a get that reports success must hold: a layout for every structure
// that has records, and every record the used maps promise, each answered
// while it was the request in flight. Tones an exchange never answers are
// blanked instead.
void requireWhole(const ExchClass &config, const Line &line)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        const RecordClass &s = config.member(m);
        require(s.hasLayout() || (m == ExchClass::TonesMember && s.Records() == 0));
        if (m == ExchClass::RightsMember || (m == ExchClass::TonesMember && blank(s)))
            continue;
        for (int i = 0; i < s.Records(); ++i) {
            if (i == 0 || s.GetRecordUsed(i))
                require(line.answered(s.RequestCode(), i));
        }
    }
}
} // namespace

// The input drives a get of the sample configuration from the simulated
// exchange: each step delivers or loses the engine's next frame, puts
// arbitrary bytes on the line, or lets time pass. However the line behaves,
// a get that reports success has the whole configuration.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    log.setLimit(4096);
    SteppedTimers timers;
    Line line(log);
    PacketSender sender(&line, nullptr, &log);
    TransferEngine engine(sender, line, timers, &log);
    sender.setPendingStore(&engine);
    line.dispatcher().setTransferSink(&engine);
    Ending ending;
    engine.setObserver(&ending);
    ExchangeSimulator exchange;
    exchange.configuration() = sample();
    ExchClass config(&log);

    engine.start(TransferEngine::Mode::Get, &config);
    size_t at = 0;
    while (at < size && !ending.outcome) {
        const uint8_t op = data[at++];
        switch (op % 5) {
        case 0:
            line.deliverNext(exchange);
            break;
        case 1:
            line.loseNext();
            break;
        case 2: {
            const size_t length = at < size ? data[at++] : 0;
            const size_t taken = qMin(length, size - at);
            line.inject(QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(taken)));
            at += taken;
            break;
        }
        case 3:
            timers.advance(qint64(at < size ? data[at++] : 0) * MillisecondsPerTimeStep);
            break;
        default:
            while (!ending.outcome && line.deliverNext(exchange)) {}
            break;
        }
    }
    if (ending.outcome == TransferObserver::Outcome::Completed)
        requireWhole(config, line);
    if (ending.outcome)
        require(!engine.transferRunning());
    return 0;
}
