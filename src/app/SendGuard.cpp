#include "app/SendGuard.h"

#include "analysis/ConfigurationCheck.h"
#include "model/ExchClass.h"
#include "shell/MessageService.h"

#include <QStringList>

namespace {
const QString ErrorsQuestion =
    QStringLiteral("%1 has %2 that would make the exchange misbehave or cut callers off:\n\n"
                   "%3\n\n"
                   "View \u2192 Problems lists every problem; double-clicking one opens its record.");
const QString MoreErrors = QStringLiteral("and %1 more");
constexpr QMessageBox::StandardButton ProceedAnswer = QMessageBox::Yes;
constexpr QMessageBox::StandardButton CancelAnswer = QMessageBox::Cancel;
} // namespace

bool SendGuard::confirm(QWidget *parent, MessageService &messages, const ExchClass &config, const QString &documentName,
                        const QString &title, const QString &proceedText)
{
    const QList<ConfigurationProblem> problems = ConfigurationCheck(config).problems();
    QStringList listed;
    qsizetype errors = 0;
    for (const ConfigurationProblem &p : problems) {
        if (p.severity != ConfigurationProblem::Severity::Error)
            continue;
        if (++errors <= MaxListed)
            listed.append(p.text());
    }
    if (errors == 0)
        return true;
    if (errors > MaxListed)
        listed.append(MoreErrors.arg(errors - MaxListed));
    const QString count = errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors);
    const QString text = ErrorsQuestion.arg(documentName, count, listed.join(QLatin1Char('\n')));
    return messages.show(parent, QMessageBox::Warning, title, text, ProceedAnswer | CancelAnswer, CancelAnswer,
                         {{ProceedAnswer, proceedText}})
        == ProceedAnswer;
}
