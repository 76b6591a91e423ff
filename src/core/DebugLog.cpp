#include "core/DebugLog.h"

namespace {
const QString NewLine = QStringLiteral("\r\n");
}

DebugLog::DebugLog(QObject *parent)
    : QObject(parent)
{
}

DebugLog &DebugLog::shared()
{
    static DebugLog log;
    return log;
}

void DebugLog::Add(const QString &text)
{
    append(text);
}

void DebugLog::AddNL(const QString &text)
{
    append(NewLine + text);
}

void DebugLog::Error(const QString &source, const QString &message)
{
    emit errorReported(source, message);
}

void DebugLog::clear()
{
    m_text.clear();
    emit textReset();
}

void DebugLog::setLimit(qsizetype characters)
{
    m_limit = qMax<qsizetype>(characters, 1);
    if (m_text.size() > m_limit) {
        m_text.remove(0, m_text.size() - m_limit);
        emit textReset();
    }
}

void DebugLog::append(const QString &text)
{
    if (text.isEmpty())
        return;
    if (m_text.size() + text.size() <= m_limit) {
        m_text += text;
        emit textAdded(text);
        return;
    }
    // Keep the newest text; drop the oldest at a line start where possible so
    // the window never begins mid-line. Dropping a quarter at a time keeps a
    // busy line from forcing a full reload of the window on every append.
    m_text += text;
    qsizetype cut = m_text.size() - m_limit + m_limit / 4;
    const qsizetype lineStart = m_text.indexOf(NewLine, cut);
    if (lineStart >= 0 && lineStart - cut < m_limit / 4)
        cut = lineStart;
    m_text.remove(0, cut);
    emit textReset();
}
