#include "history/HistoryStore.h"

#include "core/ProductInfo.h"
#include "core/Registry.h"
#include "history/Clock.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

namespace {
const QString HistoryFolder = QStringLiteral("history");
const QString UnnamedSite = QStringLiteral("unnamed");
const QString Extension = QStringLiteral(".QBF");
const QString DateFormat = QStringLiteral("yyyyMMdd");
const QString TimeFormat = QStringLiteral("HHmmss.zzz");
constexpr int MaxSiteNameLength = 64;
constexpr int SystemRecord = 0;
constexpr HistoryEntry::Kind Kinds[] = {HistoryEntry::Kind::Get, HistoryEntry::Kind::Send, HistoryEntry::Kind::Import};

// "20250131T140509.123Z-get.QBF"
const QRegularExpression &entryName()
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8})T(\\d{6}\\.\\d{3})Z-(get|send|import)\\.QBF$"));
    return pattern;
}

QString entryFileName(const QDateTime &time, HistoryEntry::Kind kind)
{
    return time.date().toString(DateFormat) + QLatin1Char('T') + time.time().toString(TimeFormat) + QStringLiteral("Z-")
        + HistoryEntry::kindName(kind) + Extension;
}

bool newerFirst(const HistoryEntry &a, const HistoryEntry &b)
{
    if (a.time != b.time)
        return a.time > b.time;
    return a.path > b.path;
}
} // namespace

HistoryStore::HistoryStore(const QString &root, const Clock &clock, int keep)
    : m_root(root)
    , m_clock(clock)
{
    setKeep(keep);
}

void HistoryStore::setKeep(int keep)
{
    m_keep = qMax(keep, 1);
}

// The program's AppDataLocation, worked out so that quillbridge-cli, which
// runs under its own application name, finds the same folder.
QString HistoryStore::defaultRoot()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString()
                          : data + QLatin1Char('/') + ProductInfo::ApplicationTitle + QLatin1Char('/') + HistoryFolder;
}

int HistoryStore::keepSetting(const Registry &registry)
{
    return qMax(
        1, registry.GetNumber(SettingsKeys::Settings, SettingsKeys::HistoryKeep, SettingsKeys::DefaultHistoryKeep));
}

QString HistoryStore::siteName(const ExchClass &config)
{
    const RecordClass &system = config.System();
    if (system.Records() <= SystemRecord || system.GetType(FieldNames::Name) != FieldType::String)
        return UnnamedSite;
    return safeName(QString::fromLatin1(system.GetString(FieldNames::Name, SystemRecord)));
}

QString HistoryStore::safeName(const QString &text)
{
    QString name;
    bool gap = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool kept = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'-'
            || (u == u'.' && !name.isEmpty());
        if (!kept) {
            gap = true;
            continue;
        }
        if (gap && !name.isEmpty())
            name += QLatin1Char('_');
        gap = false;
        name += c;
    }
    name.truncate(MaxSiteNameLength);
    return name.isEmpty() ? UnnamedSite : name;
}

bool HistoryStore::add(const ExchClass &config, HistoryEntry::Kind kind)
{
    if (m_root.isEmpty())
        return fail(QStringLiteral("There is no folder for the history"));
    const QString site = siteName(config);
    const QDir folder(m_root + QLatin1Char('/') + site);
    if (!folder.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("Cannot create the folder \"%1\"").arg(folder.path()));

    // One name per millisecond and site, whatever the kind, so the order of
    // entries is the order of their names.
    QDateTime time = m_clock.currentUtc().toUTC();
    const auto taken = [&folder](const QDateTime &at) {
        return std::any_of(std::begin(Kinds), std::end(Kinds),
                           [&](HistoryEntry::Kind kind) { return folder.exists(entryFileName(at, kind)); });
    };
    while (taken(time))
        time = time.addMSecs(1);
    const QString path = folder.filePath(entryFileName(time, kind));

    ConfigFile file;
    if (!file.save(config, path))
        return fail(file.errorString());
    m_lastPath = path;
    m_error.clear();
    prune(site, path);
    return true;
}

// A file that cannot be removed now is removed by a later add.
void HistoryStore::prune(const QString &site, const QString &kept)
{
    int count = 1;
    for (const HistoryEntry &entry : list(site, false)) {
        if (entry.path == kept)
            continue;
        if (count < m_keep)
            ++count;
        else
            QFile::remove(entry.path);
    }
}

QStringList HistoryStore::sites() const
{
    if (m_root.isEmpty())
        return {};
    QStringList names = QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    names.removeIf([](const QString &name) { return safeName(name) != name; });
    return names;
}

QList<HistoryEntry> HistoryStore::entries(const QString &site, bool countRecords) const
{
    return list(site, countRecords);
}

QList<HistoryEntry> HistoryStore::entries() const
{
    QList<HistoryEntry> all;
    for (const QString &site : sites())
        all.append(list(site, true));
    std::sort(all.begin(), all.end(), newerFirst);
    return all;
}

QList<HistoryEntry> HistoryStore::list(const QString &site, bool countRecords) const
{
    QList<HistoryEntry> found;
    if (m_root.isEmpty() || safeName(site) != site)
        return found;
    const QDir folder(m_root + QLatin1Char('/') + site);
    for (const QString &name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = entryName().match(name);
        if (!match.hasMatch())
            continue;
        HistoryEntry entry;
        entry.path = folder.filePath(name);
        entry.time = QDateTime(QDate::fromString(match.captured(1), DateFormat),
                               QTime::fromString(match.captured(2), TimeFormat), Qt::UTC);
        if (!entry.time.isValid())
            continue;
        entry.site = site;
        for (HistoryEntry::Kind kind : Kinds) {
            if (match.captured(3) == HistoryEntry::kindName(kind))
                entry.kind = kind;
        }
        if (countRecords) {
            ExchClass config;
            ConfigFile file;
            if (file.load(config, entry.path))
                entry.recordCount = config.recordCount();
        }
        found.append(entry);
    }
    std::sort(found.begin(), found.end(), newerFirst);
    return found;
}

bool HistoryStore::fail(const QString &message)
{
    m_error = message;
    return false;
}
