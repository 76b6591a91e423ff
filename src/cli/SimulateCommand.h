#pragma once

#include "cli/Command.h"

// Runs an exchange simulator on a pseudo-terminal, for demonstrations and
// end-to-end tests without an exchange. Prints the device to open, serves
// until SIGINT or SIGTERM, then optionally saves what the PC wrote.
class SimulateCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
