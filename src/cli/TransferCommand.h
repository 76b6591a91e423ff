#pragma once

#include "cli/Command.h"
#include "transfer/TransferEngine.h"

class ExchClass;

// "get" reads a whole configuration from an exchange into a file; "send"
// writes a file's configuration into an exchange. Both run the transfer
// engine the program's transfer window runs, and keep what they read or sent
// in the history of its site unless told not to.
class TransferCommand : public Command
{
public:
    static constexpr int DefaultSpeed = 38400;
    static constexpr int DefaultTimeoutSeconds = 900;

    explicit TransferCommand(TransferEngine::Mode mode);

    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;

private:
    // Keeps the configuration as read or sent in the history of its site.
    void keepInHistory(const ExchClass &config, QTextStream &err) const;

    TransferEngine::Mode m_mode;
};
