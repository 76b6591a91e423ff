#pragma once

#include "cli/Command.h"

class ConfigurationComparison;
class JsonStream;
class QTextStream;

// Lists what changed from one configuration file to another, one change a
// line or as one JSON document. Exits as diff(1) does: 0 when the two are
// the same, 1 when they differ, 2 for trouble.
class DiffCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
    bool wasUsageError() const override { return m_usageError; }

    // One change a line, as the command lists them; also what import-csv --dry-run shows.
    static void writeText(QTextStream &out, const ConfigurationComparison &comparison);

private:
    static void writeJson(QTextStream &out, const ConfigurationComparison &comparison);

    bool m_usageError = false;
};
