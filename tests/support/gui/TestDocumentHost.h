#pragma once

#include "core/DebugLog.h"
#include "core/Registry.h"
#include "editor/DocumentHost.h"
#include "link/FrameSink.h"
#include "link/PacketSender.h"
#include "link/RecordWriteQueue.h"
#include "link/RecordWriter.h"
#include "model/ConfigurationTable.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"
#include "support/SimulatedTimers.h"

#include <QStringList>
#include <QTemporaryDir>

#include <utility>

// (ExchClass member, record index) of a record written to the exchange.
using Writes = QList<std::pair<int, int>>;

// The main window as a document sees it: a table of configurations, settings
// in a temporary file, answers queued in the message and file-dialog services,
// simulated timers. Record writes are kept, not sent; the write queue sends
// its own into nothing.
class TestDocumentHost : public DocumentHost, public FrameSink, public RecordWriter
{
public:
    TestDocumentHost();

    ExchClass &configuration(int exNum) override { return table.at(exNum); }
    bool updateOnlineSystem() const override { return online; }
    void showSelection(const QString &text) override { shownSelections.append(text); }
    RecordWriter &recordWriter() override { return *this; }
    RecordWriteQueue &writeQueue() override { return queue; }
    bool writeRecord(ExchClass &, int member, int index) override;
    Registry &settings() override { return registry; }
    MessageService &messages() override { return messageService; }
    FileDialogService &fileDialogs() override { return fileDialogService; }
    TimerFactory &timers() override { return simulatedTimers; }
    void addRecentFile(const QString &path) override { recentFiles.append(path); }
    void openAclGenerator(int exNum, int aclIndex) override { aclGeneratorOpenings.append({exNum, aclIndex}); }
    void PackSend(const QByteArray &) override {}

    void setViewTones(int value);
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
    bool online = true;
    QStringList shownSelections;
    QStringList recentFiles;
    Writes written;
    QList<std::pair<int, int>> aclGeneratorOpenings;
};
