#include "editor/widgets/SortingListView.h"

#include <QHeaderView>

bool SortingListView::Item::operator<(const QTreeWidgetItem &other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const QVariant key = data(column, SortKeyRole);
    const QVariant otherKey = other.data(column, SortKeyRole);
    if (key.isValid() && otherKey.isValid())
        return key.toInt() < otherKey.toInt();
    return text(column) < other.text(column);
}

SortingListView::SortingListView(QWidget *parent)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, &SortingListView::sortOnColumn);
}

void SortingListView::sortOnColumn(int column)
{
    if (column == m_sortColumn)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        m_sortOrder = Qt::AscendingOrder;
    m_sortColumn = column;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(m_sortColumn, m_sortOrder);
    keepSorted();
}

void SortingListView::keepSorted()
{
    if (isSorted())
        sortItems(m_sortColumn, m_sortOrder);
}

QTreeWidgetItem *SortingListView::findKey(const QString &key) const
{
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            return topLevelItem(i);
    }
    return nullptr;
}
