#include "CommandArguments.h"

namespace {
const QString EndOfOptions = QStringLiteral("--");
} // namespace

CommandArguments::CommandArguments(const QStringList &flags, const QStringList &operandNames)
    : m_flags(flags.cbegin(), flags.cend())
    , m_operandNames(operandNames)
{
}

bool CommandArguments::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool CommandArguments::parse(const QStringList &arguments)
{
    m_set.clear();
    m_operands.clear();
    m_error.clear();

    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')))
            m_operands.append(argument);
        else if (argument == EndOfOptions)
            optionsEnded = true;
        else if (m_flags.contains(argument))
            m_set.insert(argument);
        else
            return fail(QStringLiteral("unknown option \"%1\"").arg(argument));
    }
    if (m_operands.size() < m_operandNames.size())
        return fail(QStringLiteral("missing %1").arg(m_operandNames.at(m_operands.size())));
    if (m_operands.size() > m_operandNames.size())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(m_operands.at(m_operandNames.size())));
    return true;
}
