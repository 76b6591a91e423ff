#include "app/WindowMenu.h"

#include "app/DocumentArranger.h"

#include "editor/widgets/DocumentWindow.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

#include <utility>

WindowMenu::WindowMenu(QMenu &menu, QMdiArea &documents, std::function<void()> newWindow)
    : QObject(&menu)
    , m_menu(menu)
    , m_documents(documents)
{
    const auto addItem = [&menu](const char *name, const QString &caption) {
        QAction *item = menu.addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    connect(addItem("mnuWindowNewWindow", tr("&New Window")), &QAction::triggered, this, std::move(newWindow));
    menu.addSeparator();
    connect(addItem("mnuWindowCascade", tr("&Cascade")), &QAction::triggered, &documents, &QMdiArea::cascadeSubWindows);
    connect(addItem("mnuWindowTileHorizontal", tr("Tile &Horizontal")), &QAction::triggered, this,
            [&documents] { DocumentArranger::tile(documents, DocumentArranger::Tiling::Horizontal); });
    connect(addItem("mnuWindowTileVertical", tr("Tile &Vertical")), &QAction::triggered, this,
            [&documents] { DocumentArranger::tile(documents, DocumentArranger::Tiling::Vertical); });
    connect(addItem("mnuWindowArrangeIcons", tr("&Arrange Icons")), &QAction::triggered, this,
            [&documents] { DocumentArranger::arrangeIcons(documents); });
    m_separator = menu.addSeparator();
    connect(&menu, &QMenu::aboutToShow, this, &WindowMenu::refresh);
}

void WindowMenu::refresh()
{
    // Later: the item clicked is still being triggered when its activation rebuilds the list.
    for (QAction *item : std::exchange(m_items, {})) {
        m_menu.removeAction(item);
        item->setParent(nullptr);
        item->deleteLater();
    }
    const QMdiSubWindow *active = m_documents.currentSubWindow();
    int number = 0;
    for (QMdiSubWindow *window : m_documents.subWindowList()) {
        const auto *document = qobject_cast<DocumentWindow *>(window->widget());
        if (!document)
            continue;
        ++number;
        const QString accelerator = number < 10 ? QStringLiteral("&%1 ").arg(number) : QString();
        const QString caption = QString(document->caption()).replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto *item = new QAction(accelerator + caption, &m_menu);
        item->setObjectName(QStringLiteral("mnuWindowDocument%1").arg(number));
        item->setCheckable(true);
        item->setChecked(window == active);
        connect(item, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (target)
                m_documents.setActiveSubWindow(target);
        });
        m_menu.addAction(item);
        m_items.append(item);
    }
    m_separator->setVisible(number > 0);
}
