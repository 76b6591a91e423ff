#include "TestSupport.h"

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
    QByteArray packet;
    packet += char(code);
    packet += EVal(data.size() + 2, 2);
    packet += "00";
    packet += EVal(portId, 2);
    packet += data;
    packet += QByteArray(4, '\0');
    return packet;
}

QByteArray definitionPacket(int structureId, int structSize, const QByteArray &name, int records,
                            std::initializer_list<TestField> fields)
{
    QByteArray data = EVal(structSize, 2) + name.leftJustified(16, '\0', true) + EVal(int(fields.size()), 2)
        + EVal(records, 2);
    for (const TestField &f : fields)
        data += EVal(f.size, 2) + QByteArray(f.name).leftJustified(16, '\0', true) + EVal(f.items, 2) + EVal(f.type, 2);
    return replyPacket(15, structureId, data);
}
