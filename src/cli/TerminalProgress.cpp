#include "cli/TerminalProgress.h"

#include "transfer/TransferEngine.h"

#include <QTextStream>

namespace {
constexpr int BarWidth = 30;
}

TerminalProgress::TerminalProgress(QTextStream &err, bool interactive)
    : m_err(err)
    , m_interactive(interactive)
{
}

void TerminalProgress::printLine(const QString &line)
{
    if (m_lineOpen) {
        m_err << '\n';
        m_lineOpen = false;
    }
    m_err << line << '\n';
    m_err.flush();
}

void TerminalProgress::redraw()
{
    if (!m_interactive)
        return;
    const int filled = m_maximum > 0 ? qBound(0, m_current * BarWidth / m_maximum, BarWidth) : 0;
    QString line = QStringLiteral("\r\x1b[2K%1 [%2%3] %4/%5")
                       .arg(m_step, QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char('.')))
                       .arg(m_current)
                       .arg(m_maximum);
    if (!m_status.isEmpty())
        line += QStringLiteral("  ") + m_status;
    m_err << line;
    m_err.flush();
    m_lineOpen = true;
}

void TerminalProgress::stepInProgress(int step)
{
    m_step = TransferEngine::stepTitle(step);
    m_current = 0;
    if (m_interactive)
        redraw();
    else
        printLine(m_step + QStringLiteral("..."));
}

void TerminalProgress::stepDone(int step)
{
    if (!m_interactive)
        printLine(TransferEngine::stepTitle(step) + QStringLiteral(" done"));
}

void TerminalProgress::currentProgress(int value, int maximum)
{
    m_current = value;
    m_maximum = maximum;
    redraw();
}

void TerminalProgress::countChanged(int count)
{
    m_current = count;
    redraw();
}

void TerminalProgress::statusText(const QString &text)
{
    m_status = text;
    if (m_interactive)
        redraw();
    else if (!text.isEmpty())
        printLine(text);
}

// The last message of a transfer that fails is the command's own failure
// line, so each message waits until another follows or the transfer ends well.
void TerminalProgress::message(const QString &text)
{
    if (!m_lastMessage.isEmpty())
        printLine(m_lastMessage);
    m_lastMessage = text;
}

void TerminalProgress::finished(Outcome outcome)
{
    m_finished = true;
    m_outcome = outcome;
    if (outcome == Outcome::Completed && !m_lastMessage.isEmpty())
        printLine(m_lastMessage);
    else if (m_lineOpen)
        printLine(QString());
    if (m_onFinished)
        m_onFinished();
}
