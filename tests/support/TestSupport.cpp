#include "support/TestSupport.h"

#include "link/ReplyPacket.h"
#include "model/FieldDef.h"
#include "model/RecordClass.h"
#include "simulator/sample/StructureDefinition.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTimer>

QByteArray bytes(const char *hexText)
{
    return QByteArray::fromHex(QByteArray(hexText).replace(' ', QByteArray()));
}

QString hex(const QByteArray &data)
{
    return QString::fromLatin1(data.toHex(' ').toUpper());
}

QString samplePath()
{
    return QStringLiteral(QB_DATA_DIR "/sample.QBF");
}

QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

void expectGolden(const QByteArray &actual, const char *name)
{
    const QString path = QStringLiteral(QB_TEST_DATA_DIR "/") + QLatin1String(name);
    if (qEnvironmentVariableIsSet("QB_UPDATE_GOLDEN")) {
        EXPECT_TRUE(writeFile(path, actual)) << path.toStdString();
        return;
    }
    const QList<QByteArray> expected = fileContent(path).split('\n');
    const QList<QByteArray> lines = actual.split('\n');
    qsizetype differs = 0;
    while (differs < qMin(lines.size(), expected.size()) && lines[differs] == expected[differs])
        ++differs;
    EXPECT_TRUE(lines == expected) << "tests/data/" << name << " differs from line " << differs + 1 << ": expected \""
                                   << expected.value(differs).toStdString() << "\", got \""
                                   << lines.value(differs).toStdString() << "\"";
}

namespace {
constexpr int ToolBoundMilliseconds = 30000;

QString run(const QString &tool, const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(ToolBoundMilliseconds))
        return tool + QStringLiteral(" did not finish");
    *output = process.readAllStandardOutput();
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return errors.isEmpty() ? QStringLiteral("%1 exit code %2").arg(tool).arg(process.exitCode()) : errors;
    return QString();
}

bool haveXmlLint()
{
    static const bool found = !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
    return found;
}
} // namespace

QString xmlLintErrors(const QByteArray &file)
{
    QTemporaryFile temporary;
    if (!haveXmlLint())
        return QString();
    if (!temporary.open() || temporary.write(file) != file.size() || !temporary.flush())
        return QStringLiteral("cannot write a temporary file");
    QByteArray output;
    return run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), temporary.fileName()}, &output);
}

bool pdfToTextAvailable()
{
    static const bool found = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    return found;
}

QStringList pdfPages(const QString &path)
{
    QByteArray output;
    if (!run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}, &output).isEmpty())
        return {};
    QStringList pages = QString::fromUtf8(output).split(QLatin1Char('\f'));
    // pdftotext ends the last page with a form feed too.
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

DiagnosticRecorder::DiagnosticRecorder(DebugLog &log)
    : m_log(log)
{
    m_connection =
        QObject::connect(&log, &DebugLog::errorReported, [this](const QString &source, const QString &message) {
            m_entries.append({source, message});
        });
}

DiagnosticRecorder::~DiagnosticRecorder()
{
    QObject::disconnect(m_connection);
}

void PrintTo(const QByteArray &data, std::ostream *os)
{
    *os << '[' << hex(data).toStdString() << ']';
}

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

QByteArray replyPacket(int code, int portId, const QByteArray &data)
{
    return ReplyPacket::make(code, portId, data);
}

QByteArray definitionPacket(int structureId, const QByteArray &name, int records,
                            std::initializer_list<TestField> fields)
{
    StructureDefinition definition(structureId, name, records);
    for (const TestField &f : fields)
        definition.field(f.name, qint16(f.type), f.size, f.items);
    return definition.packet();
}

bool runEventsUntil(const std::function<bool()> &done, int boundMilliseconds)
{
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(boundMilliseconds);
    while (!done() && bound.isActive())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

QString fieldsOf(const RecordClass &structure, int record, const char *fields)
{
    QStringList values;
    for (const QString &field : QString::fromLatin1(fields).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QByteArray name = field.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('['), 0, 0).toLatin1();
        const int element = field.section(QLatin1Char('['), 1).section(QLatin1Char(']'), 0, 0).toInt();
        qint16 type = FieldType::None;
        for (int i = 1; i <= structure.Items(); ++i) {
            if (QByteArrayView(structure.field(i).Name).compare(name, Qt::CaseInsensitive) == 0)
                type = structure.field(i).Type;
        }
        if (field.contains(QLatin1Char('.')))
            values.append(QString::number(
                structure.GetBoolean(name, record, field.section(QLatin1Char('.'), 1).toInt(), element)));
        else if (type == FieldType::String)
            values.append(QString::fromLatin1(structure.GetString(name, record)));
        else if (type == FieldType::Digit)
            values.append(QString::fromLatin1(structure.GetDigit(name, record, element)));
        else
            values.append(QString::number(structure.GetInteger(name, record, element)));
    }
    return values.join(QLatin1Char('|'));
}
