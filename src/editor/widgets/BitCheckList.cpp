#include "editor/widgets/BitCheckList.h"

#include "model/RecordClass.h"

namespace {
constexpr int PositionRole = Qt::UserRole;
}

BitCheckList::BitCheckList(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemChanged, this, &BitCheckList::itemToggled);
}

void BitCheckList::setEntries(const QList<BitEntry> &entries)
{
    m_showing = true;
    clear();
    for (const BitEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text, this);
        item->setData(PositionRole, entry.position);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_showing = false;
}

QList<BitEntry> BitCheckList::entries() const
{
    QList<BitEntry> result;
    for (int i = 0; i < count(); ++i)
        result.append({item(i)->text(), item(i)->data(PositionRole).toInt()});
    return result;
}

void BitCheckList::showBits(const RecordClass &structure, QByteArrayView field, int record)
{
    m_showing = true;
    const int bits = structure.BitCount(field);
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *entry = item(i);
        const int position = entry->data(PositionRole).toInt();
        if (position < 0 || position >= bits)
            continue;
        entry->setCheckState(structure.GetBit(field, record, position) ? Qt::Checked : Qt::Unchecked);
    }
    m_showing = false;
}

bool BitCheckList::isTicked(int position) const
{
    const QListWidgetItem *entry = itemForPosition(position);
    return entry && entry->checkState() == Qt::Checked;
}

QListWidgetItem *BitCheckList::itemForPosition(int position) const
{
    for (int i = 0; i < count(); ++i) {
        if (item(i)->data(PositionRole).toInt() == position)
            return item(i);
    }
    return nullptr;
}

void BitCheckList::itemToggled(QListWidgetItem *entry)
{
    if (m_showing)
        return;
    emit bitToggled(entry->data(PositionRole).toInt(), entry->checkState() == Qt::Checked);
}
