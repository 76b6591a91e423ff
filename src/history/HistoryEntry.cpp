#include "history/HistoryEntry.h"

QString HistoryEntry::kindName(Kind kind)
{
    return kind == Kind::Get ? QStringLiteral("get") : QStringLiteral("send");
}
