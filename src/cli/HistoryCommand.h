#pragma once

#include "cli/Command.h"

// Lists the configurations the history keeps, newest first: of every site or
// of one, as lines or as one JSON document.
class HistoryCommand : public Command
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
