#include "app/SendGuard.h"

#include "analysis/ConfigurationCheck.h"
#include "app/ListedLines.h"
#include "model/ExchClass.h"
#include "shell/MessageService.h"

#include <QStringList>

namespace {
const QString ErrorsQuestion =
    QStringLiteral("%1 has %2 that would make the exchange misbehave or cut callers off:\n\n"
                   "%3\n\n"
                   "View \u2192 Problems lists every problem; double-clicking one opens its record.");
constexpr QMessageBox::StandardButton ProceedAnswer = QMessageBox::Yes;
constexpr QMessageBox::StandardButton CancelAnswer = QMessageBox::Cancel;
} // namespace

bool SendGuard::confirm(QWidget *parent, MessageService &messages, const ExchClass &config, const QString &documentName,
                        const QString &title, const QString &proceedText)
{
    const QList<ConfigurationProblem> problems = ConfigurationCheck(config).problems();
    QStringList errors;
    for (const ConfigurationProblem &p : problems) {
        if (p.severity == ConfigurationProblem::Severity::Error)
            errors.append(p.text());
    }
    if (errors.isEmpty())
        return true;
    const QString count =
        errors.size() == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors.size());
    const QString text = ErrorsQuestion.arg(documentName, count, listedLines(errors, MaxListed));
    return messages.show(parent, QMessageBox::Warning, title, text, ProceedAnswer | CancelAnswer, CancelAnswer,
                         {{ProceedAnswer, proceedText}})
        == ProceedAnswer;
}
