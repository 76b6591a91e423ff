#include "ExchangeSimulator.h"
#include "PacketCode.h"
#include "PtyEndpoint.h"
#include "SampleConfiguration.h"
#include "SlaveDevice.h"
#include "TestSupport.h"

#include <QElapsedTimer>

namespace {
// The PC asking for the definition of structure 1.
const char DefinitionRequest[] = "7E 0F 00 02 30 30 01 00 00 00 7E";

QByteArray expectedDefinitionReply(const ExchClass &config)
{
    return ExchangeSimulator::replyFrame(PacketCode::StructureDefinition, 1, config.VirtualPorts().DefinitionData());
}
} // namespace

TEST(PtyEndpoint, AnswersRequestsOnTheSlaveDeviceAcrossClientSessions)
{
    ExchangeSimulator simulator;
    SampleConfiguration::build(simulator.configuration());
    PtyEndpoint endpoint(&simulator);
    ASSERT_TRUE(endpoint.open()) << endpoint.errorString().toStdString();
    EXPECT_TRUE(endpoint.slavePath().startsWith(QStringLiteral("/dev/pts/")));

    for (int session = 0; session < 2; ++session) {
        SlaveDevice client(endpoint.slavePath());
        ASSERT_TRUE(client.isOpen());
        ASSERT_TRUE(client.write(bytes(DefinitionRequest)));
        EXPECT_EQ(client.readFrames(1), expectedDefinitionReply(simulator.configuration())) << "session " << session;
    }
    EXPECT_EQ(simulator.framesAnswered(), 2);
}

TEST(PtyEndpoint, PacedRepliesTakeNoLessThanTheirTimeOnTheLine)
{
    constexpr int Baud = 19200;
    ExchangeSimulator simulator;
    SampleConfiguration::build(simulator.configuration());
    PtyEndpoint endpoint(&simulator);
    endpoint.setBaudRate(Baud);
    ASSERT_TRUE(endpoint.open());
    SlaveDevice client(endpoint.slavePath());

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(client.write(bytes(DefinitionRequest)));
    const QByteArray reply = client.readFrames(1);
    const qint64 elapsed = clock.elapsed();

    ASSERT_EQ(reply, expectedDefinitionReply(simulator.configuration()));
    // The first slice goes out at once; allow for it.
    const qint64 lineTime = reply.size() * 10 * 1000 / Baud;
    EXPECT_GE(elapsed, lineTime * 9 / 10);
    EXPECT_EQ(endpoint.pendingOutput(), 0);
}
