#pragma once

#include <QStyledItemDelegate>

// Edits a class's name in place, no longer than the record holds; the bit
// position beside it is not the engineer's to type.
class ClassNameDelegate : public QStyledItemDelegate
{
public:
    ClassNameDelegate(int nameColumn, QObject *parent = nullptr);

    void setNameLength(int length) { m_nameLength = length; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_nameColumn;
    int m_nameLength = 0;
};
