#include "TableTree.h"

#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"

namespace {
const QString NameSeparator = QStringLiteral(" - ");
const QString NoName = QStringLiteral("<No Name>");

TableNode branch(const QString &key, const QString &text)
{
    return {key, NodeKeys::Root, text};
}

TableNode rootNode()
{
    return {NodeKeys::Root, QString(), QStringLiteral("Orvex")};
}

QList<TableNode> branches()
{
    return {
        branch(NodeKeys::VirtualPorts, QStringLiteral("Virtual Ports")),
        branch(NodeKeys::Groups, QStringLiteral("Groups")),
        branch(NodeKeys::ExtToVirtual, QStringLiteral("Ext To Virtual")),
        branch(NodeKeys::PortToVirtual, QStringLiteral("Port To Virtual")),
        branch(NodeKeys::ACL, QStringLiteral("ACL")),
        branch(NodeKeys::ClassList, QStringLiteral("Class List")),
    };
}

TableNode tonesBranch()
{
    return branch(NodeKeys::Tones, QStringLiteral("Tones"));
}

void appendRecords(QList<TableNode> &nodes, const RecordClass &structure, int first, const QString &prefix,
                   const QString &parentKey)
{
    for (int i = first; i < structure.Records(); ++i) {
        if (!RecordSlots::isFree(structure, i))
            nodes.append(TableTree::recordNode(prefix, parentKey, i, structure.GetString(FieldNames::Name, i)));
    }
}
} // namespace

QList<TableNode> TableTree::initialNodes()
{
    QList<TableNode> nodes{rootNode()};
    nodes.append(branches());
    nodes.append(branch(NodeKeys::Advanced, QStringLiteral("Advanced")));
    nodes.append(tonesBranch());
    return nodes;
}

QList<TableNode> TableTree::configurationNodes(const ExchClass &config, bool viewTones)
{
    QList<TableNode> nodes{rootNode()};
    nodes.append(branches());
    appendRecords(nodes, config.ACL(), 1, NodeKeys::ACLRecord, NodeKeys::ACL);
    appendRecords(nodes, config.Groups(), 1, NodeKeys::GroupRecord, NodeKeys::Groups);
    appendRecords(nodes, config.VirtualPorts(), 0, NodeKeys::VirtualPortRecord, NodeKeys::VirtualPorts);
    if (viewTones) {
        nodes.append(tonesBranch());
        appendRecords(nodes, config.Tones(), 0, NodeKeys::ToneRecord, NodeKeys::Tones);
    }
    return nodes;
}

TableNode TableTree::recordNode(const QString &prefix, const QString &parentKey, int index, const QByteArray &name)
{
    const QString number = QString::number(index);
    const QString shownName = name.isEmpty() ? NoName : QString::fromLatin1(name);
    return {prefix + number, parentKey, number + NameSeparator + shownName, index};
}

bool TableTree::needsDefaultTones(const RecordClass &tones)
{
    if (tones.Records() < 1)
        return false;
    for (int i = 0; i < tones.Records(); ++i) {
        if (!RecordSlots::isFree(tones, i))
            return false;
    }
    return true;
}

std::optional<EditorPanel> TableTree::panelForKey(const QString &key)
{
    const QString prefix = key.left(NodeKeys::PrefixLength);
    if (prefix == NodeKeys::Root)
        return EditorPanel::System;
    if (prefix == NodeKeys::VirtualPortRecord)
        return EditorPanel::VirtualPorts;
    if (prefix == NodeKeys::GroupRecord)
        return EditorPanel::Groups;
    if (prefix == NodeKeys::ACLRecord)
        return EditorPanel::ACL;
    if (prefix == NodeKeys::PortToVirtual)
        return EditorPanel::PhysicalPorts;
    if (prefix == NodeKeys::ExtToVirtual)
        return EditorPanel::DialledNumbers;
    if (prefix == NodeKeys::ClassList)
        return EditorPanel::ClassList;
    if (prefix == NodeKeys::ToneRecord)
        return EditorPanel::Tones;
    return std::nullopt;
}

std::optional<TableTree::RecordBranch> TableTree::recordBranch(EditorPanel panel)
{
    switch (panel) {
    case EditorPanel::VirtualPorts:
        return RecordBranch{NodeKeys::VirtualPorts, NodeKeys::VirtualPortRecord};
    case EditorPanel::Groups:
        return RecordBranch{NodeKeys::Groups, NodeKeys::GroupRecord};
    case EditorPanel::ACL:
        return RecordBranch{NodeKeys::ACL, NodeKeys::ACLRecord};
    case EditorPanel::Tones:
        return RecordBranch{NodeKeys::Tones, NodeKeys::ToneRecord};
    default:
        return std::nullopt;
    }
}
