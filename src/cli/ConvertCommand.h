#pragma once

#include "cli/Command.h"

// Writes the K7101/K7202 XML configuration of a configuration file; the
// configuration file itself is left as it is.
class ConvertCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
