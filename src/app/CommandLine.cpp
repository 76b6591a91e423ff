#include "app/CommandLine.h"

#include "core/ProductInfo.h"

namespace {
const QString HelpOption = QStringLiteral("--help");
const QString ShortHelpOption = QStringLiteral("-h");
const QString VersionOption = QStringLiteral("--version");
const QString PortOption = QStringLiteral("--port");
const QString DemoOption = QStringLiteral("--demo");
const QString EndOfOptions = QStringLiteral("--");
const QChar Quote = QLatin1Char('"');

// A file association may hand the path over in the quotes that protect its blanks.
QString withoutSurroundingQuotes(const QString &argument)
{
    if (argument.size() >= 2 && argument.startsWith(Quote) && argument.endsWith(Quote))
        return argument.mid(1, argument.size() - 2);
    return argument;
}
} // namespace

const QString CommandLine::ProgramName = QStringLiteral("quillbridge");

CommandLine::CommandLine(const QStringList &arguments)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size() && m_action == Action::Run; ++i) {
        const QString &argument = arguments.at(i);
        const bool isOption = !optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1;
        if (!isOption) {
            if (!m_filePath.isEmpty())
                fail(QStringLiteral("only one configuration file can be opened at start-up"));
            else
                m_filePath = withoutSurroundingQuotes(argument);
        } else if (argument == EndOfOptions) {
            optionsEnded = true;
        } else if (argument == HelpOption || argument == ShortHelpOption) {
            m_action = Action::ShowHelp;
        } else if (argument == VersionOption) {
            m_action = Action::ShowVersion;
        } else if (argument == DemoOption) {
            m_demo = true;
        } else if (argument == PortOption) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                fail(QStringLiteral("%1 needs a port number (1-16) or a device path").arg(PortOption));
            else
                m_port = arguments.at(++i);
        } else {
            fail(QStringLiteral("unknown option %1").arg(argument));
        }
    }
    if (m_action == Action::Run && m_demo && !m_port.isEmpty())
        fail(QStringLiteral("%1 and %2 cannot be used together").arg(DemoOption, PortOption));
}

void CommandLine::fail(const QString &message)
{
    m_action = Action::UsageError;
    m_error = message;
}

QString CommandLine::usage()
{
    return QStringLiteral("usage: %1 [--port PORT | --demo] [FILE.QBF]\n"
                          "\n"
                          "Configures an Orvex exchange over its programming port.\n"
                          "\n"
                          "  FILE.QBF     configuration file to open at start-up\n"
                          "  --port PORT  use this port for this run: a number 1-16 or a device path\n"
                          "  --demo       answer as a built-in exchange with a sample site, no cable needed\n"
                          "  --help       show this text\n"
                          "  --version    show the version\n")
        .arg(ProgramName);
}

QString CommandLine::versionLine()
{
    return QStringLiteral("%1 %2").arg(ProductInfo::ApplicationTitle, QStringLiteral(QB_VERSION));
}
