#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The rows of a CSV file as RFC 4180 writes them and spreadsheets save them:
// UTF-8 with or without a byte-order mark, commas between cells, rows ended
// by CRLF, LF or CR, the last one ended or not, and quoted cells holding
// commas, doubled quotes and line breaks. Anything else, such as a quote
// inside an unquoted cell, is refused rather than guessed at.
class CsvReader
{
public:
    // Far above a table of every record of the largest configuration.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    // The bytes of a regular file of at most MaxFileSize bytes; false with the reason.
    static bool readFile(const QString &path, QByteArray &data, QString *errorString);

    struct Row
    {
        // The line of the file the row starts on, counting from 1.
        int line = 0;
        QStringList cells;
    };

    bool read(QByteArrayView data);
    const QList<Row> &rows() const { return m_rows; }

    // After a failed read: the line the fault is on and what it is.
    int errorLine() const { return m_errorLine; }
    QString errorString() const { return m_error; }

private:
    bool parse(const QString &text);
    bool fail(int line, const QString &message);

    QList<Row> m_rows;
    int m_errorLine = 0;
    QString m_error;
};
