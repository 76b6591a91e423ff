#pragma once

#include "cli/Command.h"

// Changes the records of one structure of a configuration file as a CSV
// table says, after checking every row: a table with any bad row changes
// nothing. The file is replaced whole, its old version kept in the history,
// unless the result goes to another file; a dry run only shows what would
// change and what the check would find.
class ImportCsvCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
