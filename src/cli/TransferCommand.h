#pragma once

#include "Command.h"
#include "TransferEngine.h"

// "get" reads a whole configuration from an exchange into a file; "send"
// writes a file's configuration into an exchange. Both run the transfer
// engine the program's transfer window runs.
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
    TransferEngine::Mode m_mode;
};
