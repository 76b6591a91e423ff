#include "shell/DebugWindow.h"

#include "core/DebugLog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {
const QChar CarriageReturn = QLatin1Char('\r');
const QChar LineFeed = QLatin1Char('\n');
constexpr QSize InitialSize(640, 420);

// The log separates lines with CR LF; the text box wants one LF.
QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QString(LineFeed));
    shown.replace(CarriageReturn, LineFeed);
    return shown;
}
} // namespace

DebugWindow::DebugWindow(DebugLog &log, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_log(log)
    , m_txtDebug(new QPlainTextEdit(this))
    , m_chkDebugDisplay(new QCheckBox(tr("Debug Display Active"), this))
    , m_cmdClear(new QPushButton(tr("Clear Debug Window"), this))
{
    setObjectName(QStringLiteral("frmDebug"));
    setWindowTitle(tr("Serial Port Debug Information"));

    m_txtDebug->setObjectName(QStringLiteral("txtDebug"));
    m_txtDebug->setReadOnly(true);
    m_txtDebug->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtDebug->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_chkDebugDisplay->setObjectName(QStringLiteral("chkDebugDisplay"));
    m_cmdClear->setObjectName(QStringLiteral("cmdClear"));

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_chkDebugDisplay);
    controls->addStretch();
    controls->addWidget(m_cmdClear);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_txtDebug);
    layout->addLayout(controls);
    resize(InitialSize);

    connect(m_chkDebugDisplay, &QCheckBox::clicked, this, &DebugWindow::chkDebugDisplay_Click);
    connect(m_cmdClear, &QPushButton::clicked, this, &DebugWindow::cmdClear_Click);
    connect(&m_log, &DebugLog::textAdded, this, &DebugWindow::appendText);
    connect(&m_log, &DebugLog::textReset, this, &DebugWindow::reloadText);
}

void DebugWindow::showEvent(QShowEvent *event)
{
    m_chkDebugDisplay->setChecked(m_log.debugDisplay());
    reloadText();
    QWidget::showEvent(event);
}

void DebugWindow::closeEvent(QCloseEvent *event)
{
    m_log.clear();
    QWidget::closeEvent(event);
}

void DebugWindow::chkDebugDisplay_Click(bool checked)
{
    m_log.setDebugDisplay(checked);
}

void DebugWindow::cmdClear_Click()
{
    m_log.clear();
}

void DebugWindow::appendText(const QString &text)
{
    // While hidden the log keeps the text; showing the window loads it whole.
    if (!isVisible())
        return;

    QString piece = text;
    if (m_endsWithCarriageReturn && piece.startsWith(LineFeed))
        piece.remove(0, 1);
    m_endsWithCarriageReturn = text.endsWith(CarriageReturn);

    QScrollBar *scrollBar = m_txtDebug->verticalScrollBar();
    const bool following = scrollBar->value() == scrollBar->maximum();
    QTextCursor cursor(m_txtDebug->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(displayText(piece));
    if (following)
        showLatest();
}

void DebugWindow::showLatest()
{
    // The last lines from their start: following the end of a long line of
    // sent marks would leave every shorter line after it out of view.
    m_txtDebug->verticalScrollBar()->setValue(m_txtDebug->verticalScrollBar()->maximum());
    m_txtDebug->horizontalScrollBar()->setValue(m_txtDebug->horizontalScrollBar()->minimum());
}

void DebugWindow::reloadText()
{
    if (!isVisible())
        return;
    const QString text = m_log.text();
    m_endsWithCarriageReturn = text.endsWith(CarriageReturn);
    m_txtDebug->setPlainText(displayText(text));
    showLatest();
}
