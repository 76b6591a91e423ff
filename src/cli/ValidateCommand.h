#pragma once

#include "cli/Command.h"

#include <QList>

struct ConfigurationProblem;

// Checks a configuration file for what would make the exchange misbehave and
// for what is probably a mistake: one line per problem, or one JSON document.
// Exits 1 when any problem is an error, so a script can stop a send.
class ValidateCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;

    // One line per problem, then "<label>: <summary>"; also what import-csv shows of its result.
    static void writeText(QTextStream &out, const QString &label, const QList<ConfigurationProblem> &problems);
};
