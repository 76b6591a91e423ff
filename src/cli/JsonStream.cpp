#include "cli/JsonStream.h"

#include <QTextStream>

namespace {
constexpr int SpacesPerLevel = 4;
const QString Separator = QStringLiteral(",\n");
} // namespace

JsonStream::JsonStream(QTextStream &out)
    : m_out(out)
{
}

void JsonStream::indent()
{
    m_out << QString(SpacesPerLevel * qsizetype(m_levels.size()), QLatin1Char(' '));
}

void JsonStream::beginValue()
{
    if (m_keyWritten) {
        m_keyWritten = false;
        return;
    }
    if (m_levels.empty())
        return;
    Level &level = m_levels.back();
    if (!level.empty)
        m_out << Separator;
    level.empty = false;
    indent();
}

void JsonStream::key(const QString &name)
{
    Level &level = m_levels.back();
    if (!level.empty)
        m_out << Separator;
    level.empty = false;
    indent();
    writeString(name);
    m_out << QStringLiteral(": ");
    m_keyWritten = true;
}

void JsonStream::open(bool object)
{
    beginValue();
    m_out << (object ? QStringLiteral("{\n") : QStringLiteral("[\n"));
    m_levels.push_back(Level{object});
}

void JsonStream::close()
{
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.empty)
        m_out << QLatin1Char('\n');
    indent();
    m_out << (level.object ? QLatin1Char('}') : QLatin1Char(']'));
    if (m_levels.empty())
        m_out << QLatin1Char('\n');
}

void JsonStream::beginObject()
{
    open(true);
}

void JsonStream::endObject()
{
    close();
}

void JsonStream::beginArray()
{
    open(false);
}

void JsonStream::endArray()
{
    close();
}

void JsonStream::number(qint64 value)
{
    beginValue();
    m_out << QString::number(value);
}

void JsonStream::boolean(bool value)
{
    beginValue();
    m_out << (value ? QStringLiteral("true") : QStringLiteral("false"));
}

void JsonStream::null()
{
    beginValue();
    m_out << QStringLiteral("null");
}

void JsonStream::string(const QString &text)
{
    beginValue();
    writeString(text);
}

void JsonStream::writeString(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped += QLatin1Char('"');
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'"':
            escaped += QStringLiteral("\\\"");
            break;
        case u'\\':
            escaped += QStringLiteral("\\\\");
            break;
        case u'\b':
            escaped += QStringLiteral("\\b");
            break;
        case u'\f':
            escaped += QStringLiteral("\\f");
            break;
        case u'\n':
            escaped += QStringLiteral("\\n");
            break;
        case u'\r':
            escaped += QStringLiteral("\\r");
            break;
        case u'\t':
            escaped += QStringLiteral("\\t");
            break;
        default:
            if (u < 0x20)
                escaped += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
            else
                escaped += c;
        }
    }
    escaped += QLatin1Char('"');
    m_out << escaped;
}
