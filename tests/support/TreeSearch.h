#pragma once

#include <QString>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

// Opens every branch of a document's tree, as the engineer does to reach
// its records: branches list their records once opened.
inline void openBranches(QTreeWidget *tree)
{
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *root = tree->topLevelItem(i);
        tree->expandItem(root);
        for (int j = 0; j < root->childCount(); ++j)
            tree->expandItem(root->child(j));
    }
}

// The node with the key, once every branch is open.
inline QTreeWidgetItem *findTreeNode(QTreeWidget *tree, const QString &key)
{
    openBranches(tree);
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}
