#include "csv/CsvProblem.h"

QString CsvProblem::text() const
{
    QString text = QStringLiteral("line ") + QString::number(line);
    if (!column.isEmpty())
        text += QStringLiteral(", column ") + column;
    return text + QStringLiteral(": ") + reason;
}
