#pragma once

#include "cli/Command.h"

// Writes the configuration report of a file as a PDF. Painting the pages
// needs a QGuiApplication (on the offscreen platform; no display is used).
class ReportCommand : public Command
{
public:
    static const QString Name; // "report"

    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    int run(const QStringList &arguments, QTextStream &out, QTextStream &err) override;
};
