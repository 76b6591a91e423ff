#pragma once

#include "cli/Command.h"

// Writes one structure of a configuration file as a CSV table, a row per
// record, for editing in a spreadsheet and importing with import-csv.
class ExportCsvCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
