#include "app/SendChangesCommand.h"

#include "app/ListedLines.h"
#include "app/SendGuard.h"
#include "editor/widgets/DocumentWindow.h"
#include "history/widgets/HistoryCommands.h"
#include "shell/MessageService.h"
#include "transfer/ChangedRecords.h"

const QString SendChangesCommand::Title = QStringLiteral("Send Changes");

namespace {
const QString SendAnywayButton = QStringLiteral("Send Anyway");
const QString NoBaselineText = QStringLiteral(
    "%1 was neither read from the exchange, sent to it nor opened from a file, so there is nothing to compare it "
    "with: send the whole configuration.");
const QString NothingToSendText = QStringLiteral("%1: there is nothing to send.");
const QString Question = QStringLiteral("Send the changes of %1 to %2?\n\n%3:\n%4\n\n");
const QString OnlyTheseText =
    QStringLiteral("Only these %1 records are written; the rest of the exchange's configuration is left as it is.");
const QString OnlyThisText =
    QStringLiteral("Only this record is written; the rest of the exchange's configuration is left as it is.");
} // namespace

SendChangesCommand::SendChangesCommand(MessageService &messages, const HistoryCommands &history, QWidget *parent)
    : m_messages(messages)
    , m_history(history)
    , m_parent(parent)
{
}

QList<RecordRef> SendChangesCommand::confirm(DocumentWindow &document, const QString &exchange)
{
    const ExchClass &config = *document.configuration();
    const Baseline baseline = m_history.baseline(config);
    if (baseline.isNull()) {
        m_messages.show(m_parent, QMessageBox::Warning, Title, NoBaselineText.arg(document.caption()));
        return {};
    }
    const QString since = baseline.description();
    const ChangedRecords changes(baseline.configuration(), config);
    if (changes.layoutDifference() >= 0) {
        m_messages.show(m_parent, QMessageBox::Warning, Title, changes.layoutRefusal(since));
        return {};
    }
    if (changes.isEmpty()) {
        m_messages.show(m_parent, QMessageBox::Information, Title,
                        NothingToSendText.arg(ChangedRecords::nothingChanged(since)));
        return {};
    }
    if (!SendGuard::confirm(m_parent, m_messages, config, document.caption(), Title, SendAnywayButton))
        return {};

    const qsizetype count = changes.records().size();
    const QString question = Question.arg(document.caption(), exchange, ChangedRecords::heading(since),
                                          listedLines(changes.lines(), MaxListed))
        + (count == 1 ? OnlyThisText : OnlyTheseText.arg(count));
    if (m_messages.show(m_parent, QMessageBox::Warning, Title, question, QMessageBox::Yes | QMessageBox::No,
                        QMessageBox::No)
        != QMessageBox::Yes)
        return {};
    return changes.records();
}
