#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QMdiArea;
class QMenu;

// The Window menu: a new document window, the arrangements of the documents
// and their numbered list, the active one ticked, rebuilt each time the menu opens.
class WindowMenu : public QObject
{
    Q_OBJECT

public:
    WindowMenu(QMenu &menu, QMdiArea &documents, std::function<void()> newWindow);

    void refresh();

private:
    QMenu &m_menu;
    QMdiArea &m_documents;
    QAction *m_separator;
    QList<QAction *> m_items;
};
