#include "csv/CsvWriter.h"

namespace {
const QString Quote = QStringLiteral("\"");
const QString DoubledQuote = QStringLiteral("\"\"");
const QByteArray RowEnd = QByteArrayLiteral("\r\n");

bool needsQuotes(const QString &text)
{
    if (text.isEmpty())
        return false;
    // A space at either end may be dropped, a mark at the start taken for the file's byte-order mark.
    const auto exposed = [](QChar c) { return c.isSpace() || !c.isPrint(); };
    if (exposed(text.front()) || exposed(text.back()))
        return true;
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}
} // namespace

QString CsvWriter::cell(const QString &text)
{
    if (!needsQuotes(text))
        return text;
    QString quoted = text;
    quoted.replace(Quote, DoubledQuote);
    return Quote + quoted + Quote;
}

void CsvWriter::addRow(const QStringList &cells)
{
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(',');
        line += cell(cells.at(i));
    }
    m_data += line.toUtf8();
    m_data += RowEnd;
}
