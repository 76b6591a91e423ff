#include "simulator/PtyEndpoint.h"
#include "simulator/ExchangeSimulator.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/SlaveDevice.h"
#include "support/TestSupport.h"

#include <QCoreApplication>

TEST(PtyEndpoint, StopsReadingWhileAClientLeavesItsRepliesUnreadAndAnswersAgainOnceItReads)
{
    constexpr int Requests = 20000;
    ExchangeSimulator simulator;
    SampleConfiguration::build(simulator.configuration());
    PtyEndpoint endpoint(&simulator);
    ASSERT_TRUE(endpoint.open()) << endpoint.errorString().toStdString();
    SlaveDevice client(endpoint.slavePath());
    ASSERT_TRUE(client.isOpen());

    const QByteArray request = bytes("7E 0F 00 02 30 30 01 00 00 00 7E");
    int sent = 0;
    for (int refused = 0; sent < Requests && refused < 100;) {
        if (client.write(request)) {
            ++sent;
            refused = 0;
        } else {
            ++refused;
        }
        QCoreApplication::processEvents();
    }
    // Answered in full, these would queue about 10 MB of replies.
    EXPECT_LT(sent, Requests);

    const int answered = simulator.framesAnswered();
    client.readFrames(answered + 100);
    EXPECT_GT(simulator.framesAnswered(), answered);
}
