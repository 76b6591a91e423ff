#pragma once

#include "ConfigurationTable.h"
#include "DebugLog.h"
#include "DocumentHost.h"
#include "FileDialogService.h"
#include "FrameSink.h"
#include "MessageService.h"
#include "PacketSender.h"
#include "Receiver.h"
#include "RecordWriteQueue.h"
#include "RecordWriter.h"
#include "Registry.h"
#include "SimulatedTimers.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>

// A frame on its way to the exchange, unframed again.
struct SentPacket
{
    int code;
    int portId;
};

// The main window as a document sees it: a table of configurations, a
// settings store in a temporary INI file, answers queued in the message and
// file-dialog services, simulated timers, and every frame sent kept. Record
// writes go out at once, without waiting for echoes.
class TestDocumentHost : public DocumentHost, public FrameSink, public RecordWriter
{
public:
    TestDocumentHost();

    ExchClass &configuration(int exNum) override { return table.at(exNum); }
    bool updateOnlineSystem() const override { return online; }
    void showSelection(const QString &text) override { shownSelections.append(text); }
    RecordWriter &recordWriter() override { return *this; }
    RecordWriteQueue &writeQueue() override { return queue; }
    bool writeRecord(ExchClass &config, int member, int index) override;
    Registry &settings() override { return registry; }
    MessageService &messages() override { return messageService; }
    FileDialogService &fileDialogs() override { return fileDialogService; }
    TimerFactory &timers() override { return simulatedTimers; }
    void addRecentFile(const QString &path) override { recentFiles.append(path); }
    void openAclGenerator(int exNum, int aclIndex) override { aclGeneratorOpenings.append({exNum, aclIndex}); }

    void PackSend(const QByteArray &frame) override;

    void setViewTones(int value);
    // The texts of the message boxes shown so far.
    QStringList messageTexts() const;
    QString path(const QString &fileName) const { return directory.filePath(fileName); }

    QTemporaryDir directory;
    DebugLog log;
    ConfigurationTable table{&log};
    Registry registry;
    MessageService messageService;
    FileDialogService fileDialogService;
    SimulatedTimers simulatedTimers;
    PacketSender sender{this, nullptr, &log};
    RecordWriteQueue queue{sender, simulatedTimers};
    Receiver receiver;
    bool online = true;
    QStringList shownSelections;
    QStringList recentFiles;
    // (ExNum, ACL index) of every opening of the ACL generator.
    QList<std::pair<int, int>> aclGeneratorOpenings;
    QList<SentPacket> sent;
};
