#include "cli/CommandArguments.h"

namespace {
const QString EndOfOptions = QStringLiteral("--");
} // namespace

CommandArguments::CommandArguments(const QStringList &flags, const QStringList &operandNames,
                                   const QStringList &options)
    : m_flags(flags.cbegin(), flags.cend())
    , m_options(options.cbegin(), options.cend())
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
    m_values.clear();
    m_operands.clear();
    m_error.clear();

    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            m_operands.append(argument);
        } else if (argument == EndOfOptions) {
            optionsEnded = true;
        } else if (m_flags.contains(argument)) {
            m_set.insert(argument);
        } else if (m_options.contains(argument)) {
            if (i + 1 >= arguments.size())
                return fail(QStringLiteral("%1 needs a value").arg(argument));
            m_values.insert(argument, arguments.at(++i));
        } else {
            return fail(QStringLiteral("unknown option \"%1\"").arg(argument));
        }
    }
    if (m_operands.size() < m_operandNames.size())
        return fail(QStringLiteral("missing %1").arg(m_operandNames.at(m_operands.size())));
    if (m_operands.size() > m_operandNames.size())
        return fail(QStringLiteral("unexpected argument \"%1\"").arg(m_operands.at(m_operandNames.size())));
    return true;
}

bool CommandArguments::number(const QString &option, int minimum, int defaultValue, int &result, int maximum)
{
    if (!hasValue(option)) {
        result = defaultValue;
        return true;
    }
    bool ok = false;
    result = value(option).toInt(&ok);
    if (ok && result >= minimum && result <= maximum)
        return true;
    if (maximum == std::numeric_limits<int>::max())
        return fail(QStringLiteral("%1 needs a whole number of at least %2, not \"%3\"")
                        .arg(option)
                        .arg(minimum)
                        .arg(value(option)));
    return fail(QStringLiteral("%1 needs a whole number from %2 to %3, not \"%4\"")
                    .arg(option)
                    .arg(minimum)
                    .arg(maximum)
                    .arg(value(option)));
}
