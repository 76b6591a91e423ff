#pragma once

#include "cli/Command.h"

// Says whether a configuration file loads, for scripts: one summary line and
// exit code 0, or the reason on standard error and exit code 1.
class CheckCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
