#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <limits>

// The flags, options and operands of one command. Flags are long options
// ("--json"); options take the next argument as their value ("--port 3");
// "--" ends them, so a file whose name starts with a dash can still be given.
// The operands are checked against the names the usage line gives them.
class CommandArguments
{
public:
    CommandArguments(const QStringList &flags, const QStringList &operandNames, const QStringList &options = {});

    bool parse(const QStringList &arguments);
    QString errorString() const { return m_error; }

    bool isSet(const QString &flag) const { return m_set.contains(flag); }
    QString operand(qsizetype i) const { return m_operands.value(i); }
    bool hasValue(const QString &option) const { return m_values.contains(option); }
    QString value(const QString &option, const QString &defaultValue = QString()) const
    {
        return m_values.value(option, defaultValue);
    }
    // The option's value as a whole number from minimum to maximum, or the
    // default when the option is absent; false (with errorString()) when it is
    // no such number.
    bool number(const QString &option, int minimum, int defaultValue, int &result,
                int maximum = std::numeric_limits<int>::max());

private:
    bool fail(const QString &message);

    QSet<QString> m_flags;
    QSet<QString> m_options;
    QHash<QString, QString> m_values;
    QStringList m_operandNames;
    QSet<QString> m_set;
    QStringList m_operands;
    QString m_error;
};
