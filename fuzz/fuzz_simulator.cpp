#include "FuzzSupport.h"
#include "link/Receiver.h"
#include "model/ExchClass.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"

namespace {
const ExchClass &sample()
{
    static const ExchClass config = [] {
        ExchClass built;
        SampleConfiguration::build(built);
        return built;
    }();
    return config;
}

QList<QByteArray> serve(const QByteArray &input, qsizetype split, int dropEvery)
{
    ExchangeSimulator simulator;
    simulator.configuration() = sample();
    simulator.setClock([] { return QDateTime(QDate(2024, 7, 3), QTime(14, 5)); });
    simulator.setDropEvery(dropEvery);
    QList<QByteArray> replies = simulator.feed(QByteArrayView(input).first(split));
    replies += simulator.feed(QByteArrayView(input).sliced(split));
    require(simulator.framesAnswered() + simulator.framesDropped() <= simulator.framesReceived());
    return replies;
}
} // namespace

// Whatever the line carries, the simulator answers with whole frames that a
// receiver takes one by one, and the same whether the bytes come at once or
// in two pieces.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int dropEvery = data[0] % 4;
    const QByteArray input = fuzzInput(data + 1, size - 1);
    const QList<QByteArray> replies = serve(input, input.size(), dropEvery);
    for (const QByteArray &frame : replies) {
        int frames = 0;
        Receiver receiver([&frames](const QByteArray &) { ++frames; });
        receiver.ProcessInput(frame);
        require(frames == 1 && receiver.overlongFrames() == 0);
    }
    require(serve(input, input.size() / 2, dropEvery) == replies);
    return 0;
}
