#pragma once

#include "core/DebugLog.h"
#include "model/FieldFunctions.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <utility>

class RecordClass;

// Bytes from spaced hexadecimal: bytes("7E 04 00").
QByteArray bytes(const char *hex);
// Spaced upper-case hexadecimal of a byte string, for readable failures.
QString hex(const QByteArray &data);

// What the named fields of a record hold, joined by '|': numbers in decimal,
// texts and digits as they are, "Field.n" bit n as 1 or 0, "Field[k]" element k.
QString fieldsOf(const RecordClass &structure, int record, const char *fields);

// The bundled sample configuration file.
QString samplePath();
// A file's bytes; empty when it cannot be read.
QByteArray fileContent(const QString &path);
bool writeFile(const QString &path, const QByteArray &data);
// Compares an output with the expected one of that name under tests/data.
// With QB_UPDATE_GOLDEN set in the environment it writes the file instead,
// for an intended change of the output (review the difference before committing).
void expectGolden(const QByteArray &actual, const char *name);

// xmllint's complaints about an XML file, empty when it is well-formed or
// when xmllint (libxml2-utils) is not installed.
QString xmlLintErrors(const QByteArray &file);
// The text of each page of a PDF, through pdftotext (poppler-utils); empty when it fails.
QStringList pdfPages(const QString &path);
bool pdfToTextAvailable();
#define SKIP_WITHOUT_PDFTOTEXT()                                                                                       \
    do {                                                                                                               \
        if (!pdfToTextAvailable())                                                                                     \
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";                                              \
    } while (false)

// Collects the diagnostics a log receives.
class DiagnosticRecorder
{
public:
    explicit DiagnosticRecorder(DebugLog &log);
    ~DiagnosticRecorder();

    const QList<std::pair<QString, QString>> &entries() const { return m_entries; }
    bool empty() const { return m_entries.isEmpty(); }
    QString lastSource() const { return m_entries.isEmpty() ? QString() : m_entries.last().first; }
    QString lastMessage() const { return m_entries.isEmpty() ? QString() : m_entries.last().second; }
    // "source: message" of the last diagnostic.
    QString last() const { return lastSource() + QStringLiteral(": ") + lastMessage(); }
    void clear() { m_entries.clear(); }

private:
    DebugLog &m_log;
    QMetaObject::Connection m_connection;
    QList<std::pair<QString, QString>> m_entries;
};

// Runs the event loop until done() holds or boundMilliseconds pass (a bound
// only: nothing waits for it when done() comes first). Returns done().
bool runEventsUntil(const std::function<bool()> &done, int boundMilliseconds = 10000);

void PrintTo(const QByteArray &data, std::ostream *os);
void PrintTo(const QString &text, std::ostream *os);

// A packet as the receiver hands it over: code, length, sequence, the 16-bit
// port id (record index or structure number), data and a 4-byte trailer.
QByteArray replyPacket(int code, int portId, const QByteArray &data);

struct TestField
{
    const char *name;
    int type;
    int size;
    int items;
};
// A structure-definition packet (code 15) for the given layout; the record
// size is the sum of the fields.
QByteArray definitionPacket(int structureId, const QByteArray &name, int records,
                            std::initializer_list<TestField> fields);
