#pragma once

#include <QString>

class ExchClass;
class FileDialogService;
class MessageService;
class RecordWriteQueue;
class RecordWriter;
class Registry;
class TimerFactory;

// What a document window needs of the main window that holds it.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;

    // The program's table of configurations; a document edits entry ExNum.
    virtual ExchClass &configuration(int exNum) = 0;
    // File → "Update Online System": send a changed record when the engineer moves on.
    virtual bool updateOnlineSystem() const = 0;
    // The first panel of the main window's status bar names the node on
    // show: "Virtual Ports › 2 - Front Desk", "Orvex", "Ext To Virtual".
    virtual void showSelection(const QString &text) = 0;
    // Record writes go out through this writer, one at a time, each confirmed
    // by the exchange; the queue behind it tells what became of each.
    virtual RecordWriter &recordWriter() = 0;
    virtual RecordWriteQueue &writeQueue() = 0;
    virtual Registry &settings() = 0;
    virtual MessageService &messages() = 0;
    virtual FileDialogService &fileDialogs() = 0;
    virtual TimerFactory &timers() = 0;
    // The recently used files list (CheckMRU).
    virtual void addRecentFile(const QString &path) = 0;
    // The ACL generator, modal, filling ACLs of configuration exNum from ACL aclIndex.
    virtual void openAclGenerator(int exNum, int aclIndex) = 0;
};
