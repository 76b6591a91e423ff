#include "editor/widgets/NumberEditDelegate.h"

#include <QLineEdit>

NumberEditDelegate::NumberEditDelegate(int column, QObject *parent, Started started, Finished finished)
    : QStyledItemDelegate(parent)
    , m_column(column)
    , m_started(std::move(started))
    , m_finished(std::move(finished))
{
}

QWidget *NumberEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    if (index.column() != m_column)
        return nullptr;
    m_started(index);
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void NumberEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const
{
    if (const auto *line = qobject_cast<QLineEdit *>(editor))
        m_finished(line->text());
}
