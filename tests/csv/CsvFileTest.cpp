#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "support/TestSupport.h"

namespace {
// Each row as "line: cell|cell".
QStringList described(const QList<CsvReader::Row> &rows)
{
    QStringList lines;
    for (const CsvReader::Row &row : rows)
        lines.append(QString::number(row.line) + QStringLiteral(": ") + row.cells.join(QLatin1Char('|')));
    return lines;
}
} // namespace

TEST(CsvReader, ReadsQuotedCommasQuotesAndLineBreaksWhateverTheLineEndsAndAByteOrderMark)
{
    for (const QByteArray &end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        for (const QByteArray &mark : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
            const QByteArray file = mark + "record,Name,Flag" + end + "0,\"Smith, J\",0;1" + end
                + "1,\"say \"\"hi\"\"\",\"\"" + end + "2,\"two" + end + "lines\",7" + end + end + "3,M\xC3\xBCller, x "
                + end;
            CsvReader reader;
            ASSERT_TRUE(reader.read(file)) << reader.errorString().toStdString();
            const QString lineEnd = QString::fromLatin1(end);
            EXPECT_EQ(described(reader.rows()),
                      (QStringList{QStringLiteral("1: record|Name|Flag"), QStringLiteral("2: 0|Smith, J|0;1"),
                                   QStringLiteral("3: 1|say \"hi\"|"),
                                   QStringLiteral("4: 2|two") + lineEnd + QStringLiteral("lines|7"),
                                   QStringLiteral("6: "), QStringLiteral("7: 3|M\u00FCller| x ")}));
            // Without the last line end the last row is the same.
            ASSERT_TRUE(reader.read(file.chopped(end.size())));
            EXPECT_EQ(described(reader.rows()).constLast(), QStringLiteral("7: 3|M\u00FCller| x "));
        }
    }
}

TEST(CsvReader, RefusesBrokenQuotingAndBytesThatAreNotUtf8NamingTheLine)
{
    const struct
    {
        QByteArray file;
        int line;
        const char *reason;
    } cases[] = {
        {"a,\"b\"c\r\n", 1, "text follows the closing quote of a cell"},
        {"a\r\n\"x\r\ny\"z\r\n", 3, "text follows the closing quote of a cell"},
        {"a,b\"c\r\n", 1, "a quote inside a cell that does not begin with one"},
        {"a\r\n\"b,\r\nc\r\n", 2, "a quoted cell is not closed"},
        {"a\r\nb\r\nM\xFCller\r\n", 3, "the file is not UTF-8 text"},
    };
    for (const auto &c : cases) {
        CsvReader reader;
        EXPECT_FALSE(reader.read(c.file)) << c.file.toStdString();
        EXPECT_EQ(reader.errorLine(), c.line) << c.file.toStdString();
        EXPECT_EQ(reader.errorString(), QString::fromUtf8(c.reason));
        EXPECT_TRUE(reader.rows().isEmpty());
    }
}

TEST(CsvWriter, QuotesOnlyTheCellsThatNeedItAndEndsEveryRowWithCrlf)
{
    CsvWriter writer;
    writer.addRow({QStringLiteral("0"), QStringLiteral("Smith, J"), QStringLiteral("say \"hi\""),
                   QStringLiteral(" pad"), QStringLiteral("two\nlines"), QStringLiteral("M\u00FCller"), QString()});
    writer.addRow({QStringLiteral("1")});
    EXPECT_EQ(writer.data(),
              QByteArray("0,\"Smith, J\",\"say \"\"hi\"\"\",\" pad\",\"two\nlines\",M\xC3\xBCller,\r\n1\r\n"));
}
