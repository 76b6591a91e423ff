#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Edits one column of a list in place without writing the edited text into
// the list: the owner is told when an edit starts and what text it ended
// with, checks it, and shows it only when it stored it.
class NumberEditDelegate : public QStyledItemDelegate
{
public:
    using Started = std::function<void(const QModelIndex &)>;
    using Finished = std::function<void(const QString &)>;

    NumberEditDelegate(int column, QObject *parent, Started started, Finished finished);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    int m_column;
    Started m_started;
    Finished m_finished;
};
