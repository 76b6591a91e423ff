#pragma once

#include <QList>
#include <QString>

class Registry;

// The File menu's list of recently used configuration files, kept in the
// settings store as "Count" and "MRU1" (most recent) .. "MRU10".
class RecentFiles
{
public:
    struct Item
    {
        int number;      // 1 .. 10, the menu position
        QString caption; // "&" + (number mod 10) + " " + path
        QString path;
    };

    explicit RecentFiles(Registry &registry);

    // Moves path to the top, or adds it there and lets the eleventh fall off.
    void CheckMRU(const QString &path);
    // The items to show; an empty entry leaves its position out.
    QList<Item> BuildMRU() const;

private:
    int count() const;
    QString entry(int number) const;
    void setEntry(int number, const QString &path);

    Registry &m_registry;
};
