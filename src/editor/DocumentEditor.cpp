#include "editor/DocumentEditor.h"

#include "editor/DocumentHost.h"
#include "editor/EditStepName.h"
#include "editor/RecordEditCommand.h"
#include "editor/TableTree.h"
#include "link/RecordWriter.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"

#include <QMetaObject>

#include <utility>

namespace {
const QByteArray NewVirtualPortName = QByteArrayLiteral("New VP ");
const QByteArray NewGroupName = QByteArrayLiteral("New Group ");

constexpr std::array<EditorPanel, 6> SaveOrder = {
    EditorPanel::VirtualPorts,   EditorPanel::ACL,           EditorPanel::Groups,
    EditorPanel::DialledNumbers, EditorPanel::PhysicalPorts, EditorPanel::System,
};

int slot(EditorPanel panel)
{
    return int(panel);
}

bool showsOneRecord(EditorPanel panel)
{
    return panel == EditorPanel::VirtualPorts || panel == EditorPanel::ACL || panel == EditorPanel::Groups
        || panel == EditorPanel::Tones;
}
} // namespace

DocumentEditor::DocumentEditor(DocumentHost &host)
    : m_host(host)
{
}

DocumentEditor::~DocumentEditor()
{
    // Commands refer to the journal's configuration; they go first.
    m_undoStack.clear();
}

bool DocumentEditor::isChanged(EditorPanel panel) const
{
    return m_changed[slot(panel)];
}

void DocumentEditor::setChanged(EditorPanel panel, bool changed)
{
    m_changed[slot(panel)] = changed;
}

int DocumentEditor::shownRecord(EditorPanel panel) const
{
    return showsOneRecord(panel) ? m_shownRecord[slot(panel)] : 0;
}

void DocumentEditor::setShownRecord(EditorPanel panel, int index)
{
    if (showsOneRecord(panel))
        m_shownRecord[slot(panel)] = index;
}

RecordClass &DocumentEditor::structureOf(ExchClass &config, EditorPanel panel)
{
    switch (panel) {
    case EditorPanel::VirtualPorts:
        return config.VirtualPorts();
    case EditorPanel::ACL:
        return config.ACL();
    case EditorPanel::System:
        return config.System();
    case EditorPanel::Groups:
        return config.Groups();
    case EditorPanel::DialledNumbers:
        return config.ExtToVirtual();
    case EditorPanel::PhysicalPorts:
        return config.PortToVirtual();
    case EditorPanel::Tones:
        return config.Tones();
    case EditorPanel::ClassList:
        break;
    }
    return config.ClassList();
}

void DocumentEditor::sendRecord(ExchClass &config, RecordClass &structure, int index)
{
    const int member = config.memberIndex(structure);
    if (member >= 0)
        m_host.recordWriter().writeRecord(config, member, index);
}

void DocumentEditor::leaveRecords(ExchClass &config)
{
    const bool online = m_host.updateOnlineSystem();
    for (int i = 0; i < ChangeTrackedPanelCount; ++i) {
        const auto panel = EditorPanel(i);
        if (!isChanged(panel))
            continue;
        if (online)
            sendRecord(config, structureOf(config, panel), shownRecord(panel));
        setChanged(panel, false);
    }
}

std::optional<EditorPanel> DocumentEditor::showNode(const QString &key, int tag)
{
    m_visible = TableTree::panelForKey(key);
    if (m_visible && showsOneRecord(*m_visible))
        m_shownRecord[slot(*m_visible)] = tag;
    return m_visible;
}

void DocumentEditor::saveRecord(ExchClass &config)
{
    for (EditorPanel panel : SaveOrder) {
        if (m_visible == panel) {
            sendRecord(config, structureOf(config, panel), shownRecord(panel));
            return;
        }
    }
}

std::optional<DocumentEditor::CopiedRecord> DocumentEditor::copyToFreeSlot(ExchClass &config, EditorPanel panel)
{
    RecordClass &structure = structureOf(config, panel);
    const int target = RecordSlots::firstFree(structure);
    if (target < 0)
        return std::nullopt;
    const QByteArray name =
        (panel == EditorPanel::Groups ? NewGroupName : NewVirtualPortName) + QByteArray::number(target);
    structure.CopyRecord(shownRecord(panel), target);
    RecordSlots::takeIntoUse(structure, target);
    structure.SetString(FieldNames::Name, target, name);
    sendRecord(config, structure, target);
    return CopiedRecord{target, name};
}

void DocumentEditor::startHistory(ExchClass &config)
{
    m_undoStack.clear();
    m_journal.reset();
    m_config = &config;
    m_journal = std::make_unique<RecordJournal>(config);
    m_journal->setStepOpened([this] { stepOpened(); });
    m_journal->setHistoryEnded([this] { m_undoStack.clear(); });
}

void DocumentEditor::stepOpened()
{
    if (m_namedDepth > 0)
        return;
    // Whatever one event changes is one action of the engineer's.
    QMetaObject::invokeMethod(
        &m_undoStack, [this] { closeStep(); }, Qt::QueuedConnection);
}

void DocumentEditor::beginStep(const QString &name)
{
    if (m_namedDepth == 0) {
        closeStep();
        m_stepName = name;
    }
    ++m_namedDepth;
}

void DocumentEditor::endStep()
{
    if (m_namedDepth == 0 || --m_namedDepth > 0)
        return;
    closeStep();
}

void DocumentEditor::closeStep()
{
    if (!m_journal || !m_journal->hasOpenStep() || m_namedDepth > 0) {
        if (m_namedDepth == 0)
            m_stepName.clear();
        return;
    }
    RecordJournal::Step step = m_journal->closeStep();
    const QString name = std::exchange(m_stepName, QString());
    if (step.isEmpty())
        return;
    const QString text = name.isEmpty() ? EditStepName::of(step, *m_config) : name;
    m_undoStack.push(new RecordEditCommand(*this, std::move(step), text));
}

void DocumentEditor::clearHistory()
{
    if (m_journal)
        m_journal->discardStep();
    m_undoStack.clear();
}

void DocumentEditor::markSaved()
{
    closeStep();
    m_undoStack.setClean();
}

bool DocumentEditor::hasUnsavedChanges() const
{
    return !m_undoStack.isClean() || (m_journal && m_journal->hasOpenStep());
}

void DocumentEditor::undo()
{
    closeStep();
    m_undoStack.undo();
}

void DocumentEditor::redo()
{
    closeStep();
    m_undoStack.redo();
}

void DocumentEditor::restore(const RecordJournal::Step &step, RecordJournal::Side side)
{
    if (!m_journal)
        return;
    m_journal->apply(step, side);
    if (m_host.updateOnlineSystem()) {
        for (const RecordJournal::RecordImages &images : step.records)
            m_host.recordWriter().writeRecord(*m_config, images.member, images.index);
    }
    if (m_restored)
        m_restored(step);
}
