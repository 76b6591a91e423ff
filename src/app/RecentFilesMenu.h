#pragma once

#include "core/RecentFiles.h"
#include "core/Registry.h"

#include <QObject>

#include <array>

class QAction;
class QMenu;

// The File menu's recently used files, numbered, each opening its path.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // The items go into the menu where it ends now, followed by a separator.
    RecentFilesMenu(RecentFiles &recentFiles, QMenu &menu);

    // Shows the list as it is stored.
    void rebuild();
    // Puts the path first in the list and shows it.
    void add(const QString &path);

signals:
    void chosen(const QString &path);

private:
    RecentFiles &m_recentFiles;
    std::array<QAction *, SettingsKeys::MruMaxEntries> m_items{};
    QAction *m_separator;
};
