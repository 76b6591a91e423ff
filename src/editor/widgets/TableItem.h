#pragma once

#include <QString>
#include <QTreeWidgetItem>

// A node of the tree of tables. A configuration can list thousands of
// records, so a record node keeps only its text and its index, and works its
// key out from its branch when asked.
class TableItem : public QTreeWidgetItem
{
public:
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    // A branch or the root: key and no record index.
    TableItem(const QString &key, const QString &text);
    // A record node, whose key is its branch's record prefix and the index.
    TableItem(int tag, const QString &text);

    QVariant data(int column, int role) const override;

private:
    QString m_key;
    int m_tag = -1;
};
