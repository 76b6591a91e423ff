#include "cli/CommandLineTool.h"

#include "cli/CheckCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/DiffCommand.h"
#include "cli/DumpCommand.h"
#include "cli/ExportCsvCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/ImportCsvCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SimulateCommand.h"
#include "cli/TransferCommand.h"
#include "cli/ValidateCommand.h"
#include "core/DebugLog.h"

#include <QIODevice>
#include <QTextStream>

namespace {
const QString HelpOption = QStringLiteral("--help");
const QString ShortHelpOption = QStringLiteral("-h");
const QString VersionOption = QStringLiteral("--version");
const QString VerboseOption = QStringLiteral("--verbose");
const QString EndOfOptions = QStringLiteral("--");
} // namespace

CommandLineTool::CommandLineTool(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
    addCommand(std::make_unique<CheckCommand>());
    addCommand(std::make_unique<DumpCommand>());
    addCommand(std::make_unique<ValidateCommand>());
    addCommand(std::make_unique<DiffCommand>());
    addCommand(std::make_unique<ConvertCommand>());
    addCommand(std::make_unique<ExportCsvCommand>());
    addCommand(std::make_unique<ImportCsvCommand>());
    addCommand(std::make_unique<TransferCommand>(TransferEngine::Mode::Get));
    addCommand(std::make_unique<TransferCommand>(TransferEngine::Mode::Send));
    addCommand(std::make_unique<HistoryCommand>());
    addCommand(std::make_unique<SimulateCommand>());
    addCommand(std::make_unique<ReportCommand>());
}

CommandLineTool::~CommandLineTool()
{
    QObject::disconnect(m_diagnostics);
}

void CommandLineTool::addCommand(std::unique_ptr<Command> command)
{
    m_commands.push_back(std::move(command));
}

Command *CommandLineTool::find(const QString &name) const
{
    for (const auto &command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

// The model reports every failed field access; a damaged file would bury the
// listing in them, so they are shown only on request.
void CommandLineTool::showDiagnostics()
{
    if (m_diagnostics)
        return;
    m_diagnostics = QObject::connect(&DebugLog::shared(), &DebugLog::errorReported,
                                     [this](const QString &source, const QString &message) {
                                         m_err << source << QStringLiteral(": ") << message << Qt::endl;
                                     });
}

QString CommandLineTool::usageLine(const Command *command) const
{
    if (command)
        return QStringLiteral("usage: %1 %2 %3").arg(Command::ProgramName, command->name(), command->synopsis());
    return QStringLiteral("usage: %1 [--verbose] <command> [arguments]  (see %1 --help)").arg(Command::ProgramName);
}

int CommandLineTool::usageError(const QString &message, const Command *command)
{
    m_err << Command::ProgramName << QStringLiteral(": ") << message << Qt::endl;
    m_err << usageLine(command) << Qt::endl;
    return ExitCode::Usage;
}

void CommandLineTool::printHelp()
{
    m_out << QStringLiteral("usage: %1 [--verbose] <command> [arguments]\n\nCommands:\n").arg(Command::ProgramName);
    for (const auto &command : m_commands) {
        m_out << QStringLiteral("  %1 %2\n      %3\n").arg(command->name(), command->synopsis(), command->summary());
    }
    m_out << QStringLiteral("\nOptions:\n"
                            "  --help     Show this help\n"
                            "  --version  Show the version\n"
                            "  --verbose  Print the diagnostics of field reads on standard error\n"
                            "\nExit codes: 0 success, 1 failure, 2 usage error.\n");
    m_out.flush();
}

void CommandLineTool::printCommandHelp(const Command &command)
{
    m_out << usageLine(&command) << QLatin1Char('\n') << command.summary() << QLatin1Char('\n');
    m_out.flush();
}

bool CommandLineTool::needsGuiApplication(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument != VerboseOption)
            return argument == ReportCommand::Name;
    }
    return false;
}

int CommandLineTool::run(const QStringList &arguments)
{
    QStringList rest;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == VerboseOption)
            showDiagnostics();
        else
            rest.append(argument);
        if (argument == EndOfOptions)
            optionsEnded = true;
    }

    if (rest.isEmpty())
        return usageError(QStringLiteral("missing command"));
    const QString first = rest.takeFirst();
    if (first == HelpOption || first == ShortHelpOption) {
        printHelp();
        return ExitCode::Success;
    }
    if (first == VersionOption) {
        m_out << QStringLiteral("%1 %2").arg(Command::ProgramName, QStringLiteral(QB_VERSION)) << Qt::endl;
        return ExitCode::Success;
    }
    if (first.startsWith(QLatin1Char('-')))
        return usageError(QStringLiteral("unknown option \"%1\"").arg(first));

    Command *command = find(first);
    if (!command)
        return usageError(QStringLiteral("unknown command \"%1\"").arg(first));

    const qsizetype end = rest.indexOf(EndOfOptions);
    const QStringList options = end < 0 ? rest : rest.first(end);
    if (options.contains(HelpOption) || options.contains(ShortHelpOption)) {
        printCommandHelp(*command);
        return ExitCode::Success;
    }

    const int code = command->run(rest, m_out, m_err);
    if (code == ExitCode::Usage && command->wasUsageError())
        m_err << usageLine(command) << Qt::endl;
    // A listing cut short (a full disk behind a redirection) is a failure too.
    m_out.flush();
    if (code == ExitCode::Success && m_out.status() == QTextStream::WriteFailed) {
        const QString reason = m_out.device() ? m_out.device()->errorString() : QString();
        m_err << QStringLiteral("Cannot write to standard output: %1").arg(reason) << Qt::endl;
        return ExitCode::Failure;
    }
    return code;
}
