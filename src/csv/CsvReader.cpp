#include "csv/CsvReader.h"

#include "model/InputFile.h"

#include <QFile>
#include <QStringDecoder>

namespace {
constexpr char16_t Quote = u'"';
constexpr char16_t Comma = u',';
constexpr char16_t CarriageReturn = u'\r';
constexpr char16_t LineFeed = u'\n';
const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

// The line of the first byte sequence that is not UTF-8, counting from 1.
int firstBadLine(QByteArrayView data)
{
    int line = 1;
    qsizetype start = 0;
    while (start <= data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(data.sliced(start, end - start));
        if (decoder.hasError())
            return line;
        ++line;
        start = end + 1;
    }
    return line;
}
} // namespace

bool CsvReader::readFile(const QString &path, QByteArray &data, QString *errorString)
{
    QFile file;
    if (!InputFile::open(file, path, errorString))
        return false;
    if (file.size() > MaxFileSize) {
        *errorString = QStringLiteral("the file is larger than %1 MB").arg(MaxFileSize / (1024 * 1024));
        return false;
    }
    data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *errorString = file.errorString();
        return false;
    }
    return true;
}

bool CsvReader::fail(int line, const QString &message)
{
    m_rows.clear();
    m_errorLine = line;
    m_error = message;
    return false;
}

bool CsvReader::read(QByteArrayView data)
{
    m_rows.clear();
    m_errorLine = 0;
    m_error.clear();
    if (data.startsWith(ByteOrderMark))
        data = data.sliced(ByteOrderMark.size());
    // A second mark is text, not a marker.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decoder.decode(data);
    if (decoder.hasError())
        return fail(firstBadLine(data), QStringLiteral("the file is not UTF-8 text"));
    return parse(text);
}

bool CsvReader::parse(const QString &text)
{
    int line = 1;
    Row row{line, {}};
    QString cell;
    // The current row has begun: a line end then ends it, and so does the end of the text.
    bool started = false;
    bool inQuotes = false;
    bool afterQuotes = false;
    const auto endRow = [&] {
        row.cells.append(cell);
        m_rows.append(row);
        cell.clear();
        row = Row{line, {}};
        started = false;
        afterQuotes = false;
    };

    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool lineEnd = c == LineFeed || (c == CarriageReturn && (i + 1 >= size || text.at(i + 1) != LineFeed));
        if (inQuotes) {
            if (c == Quote) {
                if (i + 1 < size && text.at(i + 1) == Quote) {
                    cell += QChar(Quote);
                    ++i;
                } else {
                    inQuotes = false;
                    afterQuotes = true;
                }
                continue;
            }
            cell += QChar(c);
            if (lineEnd)
                ++line;
            continue;
        }
        if (c == CarriageReturn && !lineEnd)
            continue;
        if (lineEnd) {
            ++line;
            endRow();
            continue;
        }
        started = true;
        if (c == Comma) {
            row.cells.append(cell);
            cell.clear();
            afterQuotes = false;
        } else if (afterQuotes) {
            return fail(line, QStringLiteral("text follows the closing quote of a cell"));
        } else if (c == Quote) {
            if (!cell.isEmpty())
                return fail(line, QStringLiteral("a quote inside a cell that does not begin with one"));
            inQuotes = true;
        } else {
            cell += QChar(c);
        }
    }
    if (inQuotes)
        return fail(row.line, QStringLiteral("a quoted cell is not closed"));
    if (started)
        endRow();
    return true;
}
