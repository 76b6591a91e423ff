#pragma once

#include <QTreeWidget>
#include <QTreeWidgetItem>

// A list view of records with columns. A click on a column heading sorts on
// that column, ascending; a second click on the same heading reverses the
// order. Once sorted, items added later take their place in the order.
class SortingListView : public QTreeWidget
{
    Q_OBJECT

public:
    // An item may carry a value to sort a column by instead of its text.
    static constexpr int SortKeyRole = Qt::UserRole + 1;

    class Item : public QTreeWidgetItem
    {
    public:
        using QTreeWidgetItem::QTreeWidgetItem;
        bool operator<(const QTreeWidgetItem &other) const override;
    };

    explicit SortingListView(QWidget *parent = nullptr);

    void sortOnColumn(int column);
    bool isSorted() const { return m_sortColumn >= 0; }
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // Puts the items back in the chosen order after items were added.
    void keepSorted();
    // The first item whose key role holds the key.
    QTreeWidgetItem *findKey(const QString &key) const;

private:
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
