#include "app/StatusPanels.h"

#include "link/ConnectionMonitor.h"
#include "link/RecordWriteQueue.h"
#include "link/SerialLink.h"
#include "model/ExchClass.h"
#include "model/RecordLabel.h"
#include "shell/MessageService.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

namespace {
const QString WaitingText = QStringLiteral("%1 waiting for the exchange");
const QString NotConfirmedText = QStringLiteral("%1 not confirmed \u2014");
const QString EchoMismatchText =
    QStringLiteral("The exchange stored %1 differently from what was sent; the change is marked not confirmed. "
                   "Retry Unconfirmed Writes sends it again; Get Configuration shows what the exchange holds.");

QString changes(int count)
{
    return count == 1 ? QStringLiteral("1 change") : QStringLiteral("%1 changes").arg(count);
}

QLabel *makePanel(const QString &name, QWidget *parent)
{
    auto *panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}
} // namespace

StatusPanels::StatusPanels(QStatusBar &bar, QWidget *problemsButton, const Sources &sources, QWidget *window)
    : QObject(window)
    , m_sources(sources)
    , m_window(window)
    , m_nodeKeyPanel(makePanel(QStringLiteral("pnlNodeKey"), &bar))
    , m_writesPanel(makePanel(QStringLiteral("pnlWrites"), &bar))
    , m_retryWritesButton(new QToolButton(&bar))
    , m_portPanel(makePanel(QStringLiteral("pnlPort"), &bar))
    , m_connectionPanel(makePanel(QStringLiteral("pnlConnection"), &bar))
{
    m_connectionPanel->setAlignment(Qt::AlignCenter);
    int widest = 0;
    for (const QString &text : ConnectionMonitor::panelTexts())
        widest = qMax(widest, m_connectionPanel->fontMetrics().horizontalAdvance(text));
    m_connectionPanel->setMinimumWidth(widest + m_connectionPanel->fontMetrics().averageCharWidth() * 2);
    m_retryWritesButton->setObjectName(QStringLiteral("cmdRetryWrites"));
    m_retryWritesButton->setText(tr("Retry"));
    m_retryWritesButton->setAutoRaise(true);

    bar.addWidget(m_nodeKeyPanel, 1);
    bar.addPermanentWidget(problemsButton);
    bar.addPermanentWidget(m_portPanel);
    bar.addPermanentWidget(m_connectionPanel);
    bar.addWidget(m_writesPanel);
    bar.addWidget(m_retryWritesButton);

    connect(m_retryWritesButton, &QToolButton::clicked, this, &StatusPanels::retryRequested);
    connect(&sources.monitor, &ConnectionMonitor::stateChanged, this, &StatusPanels::refreshConnection);
    // Queued: the link announces the text before it opens the device the panel also names.
    connect(&sources.link, &SerialLink::portPanelTextChanged, this, &StatusPanels::refreshPort, Qt::QueuedConnection);
    connect(&sources.writes, &RecordWriteQueue::echoMismatch, this, &StatusPanels::reportEchoMismatch);
    refreshPort();
    refreshConnection();
    refreshWrites();
}

void StatusPanels::showSelection(const QString &text)
{
    m_nodeKeyPanel->setText(text);
}

void StatusPanels::refreshPort()
{
    QString text = m_sources.link.portPanelText();
    const QString device = m_sources.link.port().deviceName();
    if (!text.isEmpty() && !device.isEmpty() && !text.contains(device))
        text += QStringLiteral(" (%1)").arg(device);
    m_portPanel->setText(text);
}

void StatusPanels::refreshConnection()
{
    m_connectionPanel->setText(m_sources.monitor.panelText());
}

void StatusPanels::refreshWrites()
{
    const int waiting = m_sources.writes.count(RecordWriteQueue::State::Waiting);
    const int failed = m_sources.writes.count(RecordWriteQueue::State::Failed);
    QStringList parts;
    if (waiting > 0)
        parts.append(WaitingText.arg(changes(waiting)));
    if (failed > 0)
        parts.append(NotConfirmedText.arg(changes(failed)));
    m_writesPanel->setText(parts.join(QStringLiteral("; ")));
    m_writesPanel->setVisible(!parts.isEmpty());
    m_retryWritesButton->setVisible(failed > 0);
}

void StatusPanels::reportEchoMismatch(const ExchClass *config, int member, int index)
{
    const QString text = EchoMismatchText.arg(RecordLabel::record(*config, member, index));
    // Told once the reply has been dealt with, not from inside the line's input.
    QMetaObject::invokeMethod(
        this, [this, text] { m_sources.messages.show(m_window, QMessageBox::Warning, QString(), text); },
        Qt::QueuedConnection);
}
