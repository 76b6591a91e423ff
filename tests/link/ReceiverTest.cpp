#include "link/Receiver.h"
#include "support/TestSupport.h"

TEST(Receiver, CutsTheStreamIntoFrameContentsUndoingEscapesAndDroppingWhatLiesOutsideOrStray)
{
    struct Case
    {
        const char *name;
        QList<const char *> chunks;
        QList<QByteArray> packets;
    };
    const Case cases[] = {
        {"empty frames dropped", {"7E 7E 0A 00 02 7E"}, {bytes("0A 00 02")}},
        {"frames back to back", {"7E 01 7E 7E 02 7E"}, {bytes("01"), bytes("02")}},
        {"garbage before a delimiter", {"00 41 7D 70 FF 7E 04 05 7E"}, {bytes("04 05")}},
        {"escaped delimiter", {"7E 0A 7D 7E 7E"}, {bytes("0A 7E")}},
        {"escaped escapes", {"7E 7D 7D 7D 70 7D 7F 7E"}, {bytes("7D 70 7F")}},
        {"escape before a low byte", {"7E 7D 41 70 7E"}, {bytes("41 70")}},
        {"stray unescaped bytes", {"7E 01 70 7C 7F 02 7E"}, {bytes("01 02")}},
        {"split across chunks", {"7E 0A 7D", "7E 0B 7E"}, {bytes("0A 7E 0B")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QList<QByteArray> packets;
        Receiver receiver([&packets](const QByteArray &content) { packets.append(content); });
        for (const char *chunk : c.chunks)
            receiver.ProcessInput(bytes(chunk));
        EXPECT_EQ(packets, c.packets);
    }
}

TEST(Receiver, AFrameThatNeverClosesIsGivenUp)
{
    QList<QByteArray> packets;
    Receiver receiver([&packets](const QByteArray &content) { packets.append(content); });
    receiver.ProcessInput(bytes("7E"));
    receiver.ProcessInput(QByteArray(64 * 1024 + 10, '\x01'));
    EXPECT_EQ(receiver.overlongFrames(), 1);
    receiver.ProcessInput(bytes("7E 05 7E"));
    EXPECT_EQ(packets, QList<QByteArray>{bytes("05")});
}
