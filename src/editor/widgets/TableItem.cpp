#include "editor/widgets/TableItem.h"

#include "editor/TableTree.h"

namespace {
QString recordPrefix(const QString &branchKey)
{
    if (branchKey == NodeKeys::VirtualPorts)
        return NodeKeys::VirtualPortRecord;
    if (branchKey == NodeKeys::Groups)
        return NodeKeys::GroupRecord;
    if (branchKey == NodeKeys::ACL)
        return NodeKeys::ACLRecord;
    if (branchKey == NodeKeys::Tones)
        return NodeKeys::ToneRecord;
    return QString();
}
} // namespace

TableItem::TableItem(const QString &key, const QString &text)
    : m_key(key)
{
    setText(0, text);
}

TableItem::TableItem(int tag, const QString &text)
    : m_tag(tag)
{
    setText(0, text);
}

QVariant TableItem::data(int column, int role) const
{
    if (column == 0 && role == KeyRole) {
        if (m_tag < 0)
            return m_key;
        const QTreeWidgetItem *branch = parent();
        return recordPrefix(branch ? branch->data(0, KeyRole).toString() : QString()) + QString::number(m_tag);
    }
    if (column == 0 && role == TagRole)
        return m_tag;
    return QTreeWidgetItem::data(column, role);
}
