#pragma once

#include <QByteArray>
#include <QStringList>

// Rows of a CSV file as RFC 4180 has them: UTF-8, commas between cells, CRLF
// after every row. A cell is quoted when it holds a comma, a quote or a line
// break, or begins or ends with a space or an invisible character.
class CsvWriter
{
public:
    void addRow(const QStringList &cells);
    const QByteArray &data() const { return m_data; }

    static QString cell(const QString &text);

private:
    QByteArray m_data;
};
