#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "link/BoardInformation.h"
#include "link/ClockReading.h"
#include "link/DeviceSink.h"
#include "link/Dispatcher.h"
#include "link/DocumentSink.h"
#include "link/FrameSink.h"
#include "link/PacketSender.h"
#include "link/Receiver.h"
#include "link/TransferSink.h"
#include "model/ExchClass.h"

namespace {
// Every receiver the dispatcher can reach, open and visible, so that each
// route and decoder runs; the first input byte decides whether a transfer runs.
class Everything : public TransferSink, public DocumentSink, public DeviceSink, public FrameSink
{
public:
    explicit Everything(DebugLog *log)
        : m_exchange(log)
    {
    }

    bool transferRunning() const override { return transfer; }
    void StructIn(const QByteArray &) override {}
    void RecordsUsedIn(const QByteArray &) override {}
    void PacketIn(const QByteArray &) override {}
    void acknowledge() override {}

    ExchClass *configuration() override { return &m_exchange; }
    void FillVP(int, const QByteArray &, bool) override {}
    void FillGroup(int, const QByteArray &, bool) override {}
    void FillACL(int, const QByteArray &, bool) override {}
    void FillClassLists(const QByteArray &) override {}
    void FillSystem(int, const QByteArray &, bool) override {}
    void BuildRights(const QByteArray &) override {}

    bool isOpenAndVisible(AckReceiver) const override { return true; }
    void DataReceived(AckReceiver) override {}
    void showClock(const ClockReading &clock) override { require(clock.year.size() >= 4); }
    void showBoardInformation(const BoardInformation &boards) override
    {
        for (const BoardInformation::Row &row : boards.rows)
            require(!row.serialNumber.isEmpty());
    }

    void PackSend(const QByteArray &frame) override
    {
        require(frame.size() >= 2 && frame.front() == '\x7E' && frame.back() == '\x7E');
        require(frame.count('\x7E') == 2);
    }

    bool transfer = false;

private:
    ExchClass m_exchange;
};
} // namespace

// Any bytes on the line are cut into packets and routed without a crash, and
// whatever the dispatcher sends back is one well-formed frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    log.setDebugDisplay(true);
    log.setLimit(4096);
    Everything sinks(&log);
    PacketSender sender(&sinks, nullptr, &log);
    Dispatcher dispatcher(&sender, &log);
    dispatcher.setTransferSink(&sinks);
    dispatcher.setDeviceSink(&sinks);
    dispatcher.setActiveDocumentLookup([&sinks]() -> DocumentSink * { return &sinks; });
    Receiver receiver([&dispatcher](const QByteArray &content) { dispatcher.ProcessPacket(content); });

    const QByteArray input = fuzzInput(data, size);
    sinks.transfer = !input.isEmpty() && (input.front() & 1);
    receiver.ProcessInput(input);
    return 0;
}
