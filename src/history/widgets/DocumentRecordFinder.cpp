#include "DocumentRecordFinder.h"

#include "DocumentWindow.h"
#include "TableItem.h"
#include "TableTree.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {
QTreeWidgetItem *findNode(QTreeWidget *tree, const QString &key)
{
    if (key.isEmpty())
        return nullptr;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, TableItem::KeyRole).toString() == key)
            return *it;
    }
    return nullptr;
}
} // namespace

bool DocumentRecordFinder::show(DocumentWindow &document, int member, int record)
{
    QTreeWidget *tree = document.tree();
    QTreeWidgetItem *node = findNode(tree, TableTree::structureKey(member));
    if (!node)
        return false;
    // A branch lists its records once it is opened.
    tree->expandItem(node);
    if (QTreeWidgetItem *recordNode = findNode(tree, TableTree::recordKey(member, record)))
        node = recordNode;

    if (auto *window = qobject_cast<QMdiSubWindow *>(document.parentWidget())) {
        if (window->mdiArea())
            window->mdiArea()->setActiveSubWindow(window);
    }
    document.window()->raise();
    document.window()->activateWindow();
    tree->setCurrentItem(node);
    tree->scrollToItem(node);
    return true;
}
