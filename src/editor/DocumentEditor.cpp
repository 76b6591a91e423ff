#include "DocumentEditor.h"

#include "DocumentHost.h"
#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordWriter.h"
#include "RecordSlots.h"
#include "TableTree.h"

namespace {
const QByteArray NewVirtualPortName = QByteArrayLiteral("New VP ");
const QByteArray NewGroupName = QByteArrayLiteral("New Group ");

constexpr std::array<EditorPanel, 6> SaveOrder = {
    EditorPanel::VirtualPorts, EditorPanel::ACL,           EditorPanel::Groups,
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
    const QByteArray name
        = (panel == EditorPanel::Groups ? NewGroupName : NewVirtualPortName) + QByteArray::number(target);
    structure.CopyRecord(shownRecord(panel), target);
    RecordSlots::takeIntoUse(structure, target);
    structure.SetString(FieldNames::Name, target, name);
    sendRecord(config, structure, target);
    return CopiedRecord{target, name};
}
