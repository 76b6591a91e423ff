#include "core/RecentFiles.h"

#include "core/Registry.h"

using namespace SettingsKeys;

RecentFiles::RecentFiles(Registry &registry)
    : m_registry(registry)
{
}

int RecentFiles::count() const
{
    return m_registry.GetNumber(Mru, MruCount, DefaultMruCount);
}

QString RecentFiles::entry(int number) const
{
    return m_registry.GetSetting(Mru, MruEntryPrefix + QString::number(number), QString());
}

void RecentFiles::setEntry(int number, const QString &path)
{
    m_registry.SaveSetting(Mru, MruEntryPrefix + QString::number(number), Registry::TypeText, path);
}

void RecentFiles::CheckMRU(const QString &path)
{
    const int stored = count();
    if (stored < 1) {
        setEntry(1, path);
        m_registry.SaveSetting(Mru, MruCount, Registry::TypeNumber, 1);
        return;
    }
    // A hand-edited count above the list's length cannot name more entries.
    const int c = qMin(stored, MruMaxEntries);
    int match = 0;
    for (int k = 1; k <= c && match == 0; ++k) {
        const QString existing = entry(k);
        if (!existing.isEmpty() && existing == path)
            match = k;
    }
    if (match == 1)
        return;
    const int shiftFrom = match > 1 ? match - 1 : (c <= MruMaxEntries - 1 ? c + 1 : MruMaxEntries) - 1;
    for (int j = shiftFrom; j >= 1; --j)
        setEntry(j + 1, entry(j));
    setEntry(1, path);
    if (match == 0)
        m_registry.SaveSetting(Mru, MruCount, Registry::TypeNumber, qMin(c + 1, MruMaxEntries));
}

QList<RecentFiles::Item> RecentFiles::BuildMRU() const
{
    QList<Item> items;
    const int c = qMin(count(), MruMaxEntries);
    for (int i = 1; i <= c; ++i) {
        const QString path = entry(i);
        if (!path.isEmpty())
            items.append({i, QStringLiteral("&%1 %2").arg(i % 10).arg(path), path});
    }
    return items;
}
