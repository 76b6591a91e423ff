#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The flags and operands of one command. Flags are long options ("--json");
// "--" ends them, so a file whose name starts with a dash can still be given.
// The operands are checked against the names the usage line gives them.
class CommandArguments
{
public:
    CommandArguments(const QStringList &flags, const QStringList &operandNames);

    bool parse(const QStringList &arguments);
    QString errorString() const { return m_error; }

    bool isSet(const QString &flag) const { return m_set.contains(flag); }
    QString operand(qsizetype i) const { return m_operands.value(i); }

private:
    bool fail(const QString &message);

    QSet<QString> m_flags;
    QStringList m_operandNames;
    QSet<QString> m_set;
    QStringList m_operands;
    QString m_error;
};
