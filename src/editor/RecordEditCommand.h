#pragma once

#include "model/RecordJournal.h"

#include <QUndoCommand>

class DocumentEditor;

// One engineer action on a document's records, as the journal saw it: undo
// puts the records back as they were before it, redo as they were after.
class RecordEditCommand : public QUndoCommand
{
public:
    RecordEditCommand(DocumentEditor &editor, RecordJournal::Step step, const QString &text);

    void undo() override;
    void redo() override;

private:
    DocumentEditor &m_editor;
    RecordJournal::Step m_step;
    // The action has made the changes already when the command is pushed.
    bool m_done = true;
};
