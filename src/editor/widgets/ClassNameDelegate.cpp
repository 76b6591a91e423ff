#include "editor/widgets/ClassNameDelegate.h"

#include <QLineEdit>

ClassNameDelegate::ClassNameDelegate(int nameColumn, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_nameColumn(nameColumn)
{
}

QWidget *ClassNameDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                         const QModelIndex &index) const
{
    if (index.column() != m_nameColumn)
        return nullptr;
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor); line && m_nameLength > 0) {
        // A stored name that already fills the field is not cut short by opening it.
        line->setMaxLength(qMax(m_nameLength, int(index.data(Qt::EditRole).toString().size())));
    }
    return editor;
}
