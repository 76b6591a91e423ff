#include "TestSupport.h"

#include "ReplyPacket.h"
#include "StructureDefinition.h"

#include <QEventLoop>
#include <QTimer>

QByteArray bytes(const char *hexText)
{
    return QByteArray::fromHex(QByteArray(hexText).replace(' ', QByteArray()));
}

QString hex(const QByteArray &data)
{
    return QString::fromLatin1(data.toHex(' ').toUpper());
}

DiagnosticRecorder::DiagnosticRecorder(DebugLog &log)
    : m_log(log)
{
    m_connection = QObject::connect(&log, &DebugLog::errorReported, [this](const QString &source, const QString &message) {
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

QByteArray definitionPacket(int structureId, const QByteArray &name, int records, std::initializer_list<TestField> fields)
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
