#include "editor/RecordEditCommand.h"

#include "editor/DocumentEditor.h"

#include <utility>

RecordEditCommand::RecordEditCommand(DocumentEditor &editor, RecordJournal::Step step, const QString &text)
    : QUndoCommand(text)
    , m_editor(editor)
    , m_step(std::move(step))
{
}

void RecordEditCommand::undo()
{
    m_editor.restore(m_step, RecordJournal::Side::Before);
}

void RecordEditCommand::redo()
{
    if (std::exchange(m_done, false))
        return;
    m_editor.restore(m_step, RecordJournal::Side::After);
}
