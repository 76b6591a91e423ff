#include "cli/HistoryCommand.h"

#include "cli/CommandArguments.h"
#include "cli/JsonStream.h"
#include "core/Registry.h"
#include "history/HistoryStore.h"
#include "history/SystemClock.h"

#include <QTextStream>

namespace {
const QString SiteOption = QStringLiteral("--site");
constexpr int KindWidth = 6;

QString timeText(const QDateTime &time)
{
    return time.toString(Qt::ISODateWithMs);
}

QString countText(int recordCount)
{
    return recordCount < 0 ? QStringLiteral("unreadable") : QStringLiteral("%1 records").arg(recordCount);
}
} // namespace

QString HistoryCommand::name() const
{
    return QStringLiteral("history");
}

QString HistoryCommand::synopsis() const
{
    return QStringLiteral("[%1 SITE] [%2]").arg(SiteOption, JsonFlag);
}

QString HistoryCommand::summary() const
{
    return QStringLiteral("List the configurations kept from every get, send and import, newest first");
}

int HistoryCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({JsonFlag}, {}, {SiteOption});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;

    const HistoryStore store(HistoryStore::defaultRoot(), SystemClock::shared(),
                             HistoryStore::keepSetting(Registry::shared()));
    QList<HistoryEntry> entries;
    if (args.hasValue(SiteOption)) {
        // The name as the exchange has it or as the folder spells it.
        entries = store.entries(HistoryStore::safeName(args.value(SiteOption)));
        if (entries.isEmpty()) {
            err << QStringLiteral("No history for the site \"%1\" in %2").arg(args.value(SiteOption), store.root())
                << Qt::endl;
            return ExitCode::Failure;
        }
    } else {
        entries = store.entries();
    }

    if (!args.isSet(JsonFlag)) {
        if (entries.isEmpty())
            out << QStringLiteral("No configurations are kept in %1 yet").arg(store.root()) << Qt::endl;
        for (const HistoryEntry &entry : entries) {
            out << timeText(entry.time) << QStringLiteral("  ")
                << HistoryEntry::kindName(entry.kind).leftJustified(KindWidth) << QStringLiteral("  ") << entry.site
                << QStringLiteral("  ") << countText(entry.recordCount) << QStringLiteral("  ") << entry.path
                << QLatin1Char('\n');
        }
        return ExitCode::Success;
    }

    JsonStream json(out);
    json.beginObject();
    json.key(QStringLiteral("entries"));
    json.beginArray();
    for (const HistoryEntry &entry : entries) {
        json.beginObject();
        json.key(QStringLiteral("kind"));
        json.string(HistoryEntry::kindName(entry.kind));
        json.key(QStringLiteral("path"));
        json.string(entry.path);
        json.key(QStringLiteral("recordCount"));
        if (entry.recordCount < 0)
            json.null();
        else
            json.number(entry.recordCount);
        json.key(QStringLiteral("site"));
        json.string(entry.site);
        json.key(QStringLiteral("time"));
        json.string(timeText(entry.time));
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return ExitCode::Success;
}
