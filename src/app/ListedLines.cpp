#include "app/ListedLines.h"

QString listedLines(QStringList lines, qsizetype limit)
{
    const qsizetype more = lines.size() - limit;
    if (more > 0) {
        lines.resize(limit);
        lines.append(QStringLiteral("and %1 more").arg(more));
    }
    return lines.join(QLatin1Char('\n'));
}
