#pragma once

#include "editor/EditorPanel.h"
#include "model/RecordJournal.h"

#include <QByteArray>
#include <QString>
#include <QUndoStack>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class DocumentHost;
class ExchClass;
class RecordClass;

// A document's editing state apart from its widgets: the panel on show, the
// record each record panel shows, the panels holding unsent edits, and the
// sending of records to the exchange, and the undo history of its records.
class DocumentEditor
{
public:
    struct CopiedRecord
    {
        int index;
        QByteArray name;
    };

    explicit DocumentEditor(DocumentHost &host);
    ~DocumentEditor();

    bool isChanged(EditorPanel panel) const;
    void setChanged(EditorPanel panel, bool changed);
    // The record a virtual port, ACL, group or tone panel shows; 0 for the
    // panels of single-record or whole-table structures.
    int shownRecord(EditorPanel panel) const;
    void setShownRecord(EditorPanel panel, int index);
    std::optional<EditorPanel> visiblePanel() const { return m_visible; }

    // The engineer moves on: every panel with edits sends its record when the
    // exchange is updated online, and is clean afterwards either way.
    void leaveRecords(ExchClass &config);
    // Puts the node's panel on show; a record node's tag becomes the shown record.
    std::optional<EditorPanel> showNode(const QString &key, int tag);
    // Sends the visible panel's record whether or not the exchange is updated online.
    void saveRecord(ExchClass &config);
    // Copies the shown virtual port or group into the lowest free slot, names
    // and sends the copy. Nothing when no slot is free.
    std::optional<CopiedRecord> copyToFreeSlot(ExchClass &config, EditorPanel panel);

    static RecordClass &structureOf(ExchClass &config, EditorPanel panel);
    // Queues one record of the configuration for the exchange.
    void sendRecord(ExchClass &config, RecordClass &structure, int index);

    // Undo history. Every change to the configuration's records belongs to a
    // step; a step closes when the event that made it has been handled, or
    // at endStep() for a step begun by name, and becomes one command.
    void startHistory(ExchClass &config);
    QUndoStack &undoStack() { return m_undoStack; }
    // Every change until the matching endStep() is one step with this name.
    void beginStep(const QString &name);
    void endStep();
    void closeStep();
    // The configuration as it stands is where the history starts (loaded, read).
    void clearHistory();
    // The configuration as it stands is saved.
    void markSaved();
    bool hasUnsavedChanges() const;
    void undo();
    void redo();
    // Puts one side of a step back, sends its records when the exchange is
    // updated online, and tells the window.
    void restore(const RecordJournal::Step &step, RecordJournal::Side side);
    void setRestoredHandler(std::function<void(const RecordJournal::Step &)> handler)
    {
        m_restored = std::move(handler);
    }

private:
    void stepOpened();

    DocumentHost &m_host;
    ExchClass *m_config = nullptr;
    std::unique_ptr<RecordJournal> m_journal;
    QUndoStack m_undoStack;
    int m_namedDepth = 0;
    QString m_stepName;
    std::function<void(const RecordJournal::Step &)> m_restored;
    std::array<bool, EditorPanelCount> m_changed{};
    std::array<int, EditorPanelCount> m_shownRecord{};
    std::optional<EditorPanel> m_visible;
};
