#include "history/Baseline.h"

#include "history/HistoryStore.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

#include <QFileInfo>
#include <QLocale>

namespace {
const QString DateFormat = QStringLiteral("d MMM yyyy HH:mm");
} // namespace

Baseline::Baseline(const ExchClass &config, Source source, const QDateTime &time, const QString &path)
    : m_config(std::make_shared<const ExchClass>(config))
    , m_source(source)
    , m_time(time)
    , m_path(path)
{
}

Baseline Baseline::fromTransfer(const ExchClass &config, HistoryEntry::Kind kind, const QDateTime &time,
                                const QString &path)
{
    return Baseline(config, kind == HistoryEntry::Kind::Get ? Source::ReadFromExchange : Source::SentToExchange, time,
                    path);
}

Baseline Baseline::fromFile(const ExchClass &config, const QString &path)
{
    return Baseline(config, Source::File, QFileInfo(path).lastModified(), path);
}

Baseline Baseline::forOpenedFile(const HistoryStore &history, const ExchClass &opened, const QString &path)
{
    for (const HistoryEntry &entry : history.entries(HistoryStore::siteName(opened), false)) {
        ExchClass kept(opened.log());
        if (ConfigFile().load(kept, entry.path) && sameLayouts(kept, opened))
            return fromTransfer(kept, entry.kind, entry.time, entry.path);
    }
    return fromFile(opened, path);
}

bool Baseline::sameLayouts(const ExchClass &a, const ExchClass &b)
{
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        const RecordClass &x = a.member(member);
        const RecordClass &y = b.member(member);
        if (x.StructType() != y.StructType() || x.DefinitionData() != y.DefinitionData())
            return false;
    }
    return true;
}

QString Baseline::description() const
{
    const QString when = QLocale::c().toString(m_time.toLocalTime(), DateFormat);
    switch (m_source) {
    case Source::ReadFromExchange:
        return QStringLiteral("the configuration read from the exchange on %1").arg(when);
    case Source::SentToExchange:
        return QStringLiteral("the configuration sent to the exchange on %1").arg(when);
    case Source::File:
        break;
    }
    return QStringLiteral("the file %1 saved on %2").arg(m_path, when);
}
