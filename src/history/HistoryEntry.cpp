#include "history/HistoryEntry.h"

QString HistoryEntry::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Get:
        return QStringLiteral("get");
    case Kind::Send:
        return QStringLiteral("send");
    case Kind::Import:
        return QStringLiteral("import");
    }
    return QString();
}
