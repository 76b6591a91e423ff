#pragma once

#include "link/BoardInformation.h"
#include "link/ClockReading.h"
#include "link/DeviceSink.h"
#include "link/DocumentSink.h"
#include "link/SerialLinkUi.h"
#include "link/TransferSink.h"
#include "model/ExchClass.h"

#include <QList>
#include <QStringList>

#include <functional>

// Stands in for everything the link calls out to, and notes each call by name
// in one list so a test sees where a packet went and in what order.
class LinkRecorder : public TransferSink, public DocumentSink, public DeviceSink, public SerialLinkUi
{
public:
    bool transferRunning() const override { return transfer; }
    void StructIn(const QByteArray &content) override { note(QStringLiteral("StructIn"), content); }
    void RecordsUsedIn(const QByteArray &content) override { note(QStringLiteral("RecordsUsedIn"), content); }
    void PacketIn(const QByteArray &content) override { note(QStringLiteral("PacketIn"), content); }
    void acknowledge() override { calls.append(QStringLiteral("acknowledge")); }

    ExchClass *configuration() override { return &exchange; }
    void FillVP(int i, const QByteArray &data, bool fromPacket) override { fill("FillVP", i, data, fromPacket); }
    void FillGroup(int i, const QByteArray &data, bool fromPacket) override { fill("FillGroup", i, data, fromPacket); }
    void FillACL(int i, const QByteArray &data, bool fromPacket) override { fill("FillACL", i, data, fromPacket); }
    void FillClassLists(const QByteArray &data) override { note(QStringLiteral("FillClassLists"), data); }
    void FillSystem(int i, const QByteArray &data, bool fromPacket) override
    {
        fill("FillSystem", i, data, fromPacket);
    }
    void BuildRights(const QByteArray &packet) override { note(QStringLiteral("BuildRights"), packet); }

    bool isOpenAndVisible(AckReceiver window) const override { return visible.contains(window); }
    void DataReceived(AckReceiver window) override
    {
        static const char *const names[] = {"ExtensionParameters", "TieLineParameters", "BoardInfo"};
        calls.append(QStringLiteral("DataReceived ") + QLatin1String(names[int(window)]));
    }
    void showClock(const ClockReading &clock) override
    {
        calls.append(QStringLiteral("showClock"));
        clocks.append(clock);
    }
    void showBoardInformation(const BoardInformation &information) override
    {
        calls.append(QStringLiteral("showBoardInformation"));
        boards.append(information);
        if (whileBoardWindowShows)
            whileBoardWindowShows();
    }

    void showMessage(const QString &text) override
    {
        calls.append(QStringLiteral("showMessage"));
        messages.append(text);
    }
    bool choosePort() override
    {
        calls.append(QStringLiteral("choosePort"));
        return pickPort && pickPort();
    }
    void beep() override { ++beeps; }

    bool transfer = false;
    QList<AckReceiver> visible;
    ExchClass exchange;
    std::function<bool()> pickPort;
    std::function<void()> whileBoardWindowShows;

    QStringList calls;
    QList<QByteArray> data;
    QList<ClockReading> clocks;
    QList<BoardInformation> boards;
    QStringList messages;
    int beeps = 0;

private:
    void note(const QString &call, const QByteArray &content)
    {
        calls.append(call);
        data.append(content);
    }
    void fill(const char *call, int index, const QByteArray &content, bool fromPacket)
    {
        note(QStringLiteral("%1 %2 %3").arg(QLatin1String(call)).arg(index).arg(fromPacket), content);
    }
};
