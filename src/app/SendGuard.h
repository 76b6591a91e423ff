#pragma once

#include <QString>

class ExchClass;
class MessageService;
class QWidget;

// Stands between a configuration with errors and the exchange: every command
// that sends a configuration on, or writes it for another exchange, asks
// here first.
class SendGuard
{
public:
    // Errors listed in the question; the Problems list has the rest.
    static constexpr int MaxListed = 10;

    // Checks the configuration. True when it has no error, or when the
    // engineer, shown the errors, chose to go on with the button that says
    // so (proceedText, "Send Anyway"); Cancel is the default.
    static bool confirm(QWidget *parent, MessageService &messages, const ExchClass &config, const QString &documentName,
                        const QString &title, const QString &proceedText);
};
