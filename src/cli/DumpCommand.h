#pragma once

#include "cli/Command.h"

// Lists every structure, field and record of a configuration file, as text or
// as one JSON document.
class DumpCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
