#include "editor/TableTree.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

namespace {
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

// Where a structure's records appear in the tree.
struct MemberNodes
{
    QString structureKey;
    QString prefix; // empty: no node per record
    int first = 0;  // the first record listed
};

MemberNodes memberNodes(int member)
{
    switch (member) {
    case ExchClass::VirtualPortsMember:
        return {NodeKeys::VirtualPorts, NodeKeys::VirtualPortRecord, 0};
    case ExchClass::GroupsMember:
        return {NodeKeys::Groups, NodeKeys::GroupRecord, 1};
    case ExchClass::ACLMember:
        return {NodeKeys::ACL, NodeKeys::ACLRecord, 1};
    case ExchClass::TonesMember:
        return {NodeKeys::Tones, NodeKeys::ToneRecord, 0};
    case ExchClass::RightsMember:
        return {NodeKeys::ACL, {}, 0};
    case ExchClass::ClassListMember:
        return {NodeKeys::ClassList, {}, 0};
    case ExchClass::ExtToVirtualMember:
        return {NodeKeys::ExtToVirtual, {}, 0};
    case ExchClass::PortToVirtualMember:
        return {NodeKeys::PortToVirtual, {}, 0};
    case ExchClass::SystemMember:
        return {NodeKeys::Root, {}, 0};
    default:
        return {};
    }
}

struct RecordSource
{
    const RecordClass *structure = nullptr;
    int first = 0;
    QString prefix;
};

RecordSource recordSource(const ExchClass &config, const QString &branchKey)
{
    for (int member :
         {ExchClass::ACLMember, ExchClass::GroupsMember, ExchClass::VirtualPortsMember, ExchClass::TonesMember}) {
        const MemberNodes nodes = memberNodes(member);
        if (nodes.structureKey == branchKey)
            return {&config.member(member), nodes.first, nodes.prefix};
    }
    return {};
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

QList<TableNode> TableTree::configurationBranches(bool viewTones)
{
    QList<TableNode> nodes{rootNode()};
    nodes.append(branches());
    if (viewTones)
        nodes.append(tonesBranch());
    return nodes;
}

QList<TableNode> TableTree::branchRecords(const ExchClass &config, const QString &branchKey)
{
    const RecordSource source = recordSource(config, branchKey);
    QList<TableNode> nodes;
    if (!source.structure)
        return nodes;
    for (int i = source.first; i < source.structure->Records(); ++i) {
        if (!RecordSlots::isFree(*source.structure, i))
            nodes.append(recordNode(source.prefix, branchKey, i, source.structure->GetString(FieldNames::Name, i)));
    }
    return nodes;
}

bool TableTree::hasRecords(const ExchClass &config, const QString &branchKey)
{
    const RecordSource source = recordSource(config, branchKey);
    if (!source.structure)
        return false;
    for (int i = source.first; i < source.structure->Records(); ++i) {
        if (!RecordSlots::isFree(*source.structure, i))
            return true;
    }
    return false;
}

bool TableTree::isRecordBranch(const QString &key)
{
    return key == NodeKeys::VirtualPorts || key == NodeKeys::Groups || key == NodeKeys::ACL || key == NodeKeys::Tones;
}

TableNode TableTree::recordNode(const QString &prefix, const QString &parentKey, int index, const QByteArray &name)
{
    return {prefix + QString::number(index), parentKey, RecordLabel::numbered(index, name), index};
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

QString TableTree::recordKey(int member, int index)
{
    const MemberNodes nodes = memberNodes(member);
    if (nodes.prefix.isEmpty() || index < nodes.first)
        return QString();
    return nodes.prefix + QString::number(index);
}

QString TableTree::structureKey(int member)
{
    return memberNodes(member).structureKey;
}
