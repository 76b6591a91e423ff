#pragma once

#include <QString>

// One thing the configuration check found wrong with one record.
struct ConfigurationProblem
{
    enum class Severity {
        Error,   // the exchange would misbehave or a caller be cut off
        Warning, // probably a mistake
    };

    Severity severity = Severity::Error;
    // Stable and kebab-case, for scripts: "dialled-number-clash".
    QString rule;
    // ExchClass::Member of the record's structure.
    int member = 0;
    int record = 0;
    QString field;
    // The record's name as the engineer knows it: its Name, a dialled
    // number's digits, a physical port's board position; empty for none.
    QString name;
    // What is wrong, naming any other record involved by number and name.
    QString message;

    // "error", "warning"
    QString severityText() const;
    // The structure as dump names it: "VirtualPorts".
    QString memberName() const;
    // "Virtual Ports 12 (Front Desk)"
    QString label() const;
    static QString label(int member, int record, const QString &name);
    // "Virtual Ports 12 (Front Desk): its default ACL is ACL 14, which is free"
    QString text() const;

    bool operator==(const ConfigurationProblem &) const = default;
};
