#include "app/RecentFilesMenu.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(RecentFiles &recentFiles, QMenu &menu)
    : QObject(&menu)
    , m_recentFiles(recentFiles)
{
    for (int i = 0; i < SettingsKeys::MruMaxEntries; ++i) {
        QAction *item = menu.addAction(QString());
        item->setObjectName(QStringLiteral("mnuFileMRU%1").arg(i + 1));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, item] {
            const QString path = item->data().toString();
            if (!path.isEmpty())
                emit chosen(path);
        });
        m_items[std::size_t(i)] = item;
    }
    m_separator = menu.addSeparator();
    m_separator->setVisible(false);
}

void RecentFilesMenu::rebuild()
{
    for (QAction *item : m_items) {
        item->setVisible(false);
        item->setData(QString());
    }
    const QList<RecentFiles::Item> items = m_recentFiles.BuildMRU();
    for (const RecentFiles::Item &entry : items) {
        QAction *item = m_items[std::size_t(entry.number - 1)];
        // Behind the accelerator the path is shown as it is, ampersands included.
        const qsizetype acceleratorLength = entry.caption.size() - entry.path.size();
        item->setText(entry.caption.left(acceleratorLength)
                      + QString(entry.path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(entry.path);
        item->setVisible(true);
    }
    m_separator->setVisible(!items.isEmpty());
}

void RecentFilesMenu::add(const QString &path)
{
    m_recentFiles.CheckMRU(path);
    rebuild();
}
