#pragma once

#include "cli/Command.h"

#include <QMetaObject>
#include <QStringList>

#include <memory>
#include <vector>

class QTextStream;

// quillbridge-cli's dispatcher: the global options, the table of commands and
// the exit codes (0 success, 1 failure, 2 usage error).
class CommandLineTool
{
public:
    CommandLineTool(QTextStream &out, QTextStream &err);
    ~CommandLineTool();

    // arguments without the program name.
    int run(const QStringList &arguments);

    // Whether the command the arguments name paints (the report), and so
    // needs a QGuiApplication rather than a QCoreApplication.
    static bool needsGuiApplication(const QStringList &arguments);

private:
    void addCommand(std::unique_ptr<Command> command);
    Command *find(const QString &name) const;
    void showDiagnostics();
    void printHelp();
    void printCommandHelp(const Command &command);
    QString usageLine(const Command *command = nullptr) const;
    int usageError(const QString &message, const Command *command = nullptr);

    QTextStream &m_out;
    QTextStream &m_err;
    std::vector<std::unique_ptr<Command>> m_commands;
    QMetaObject::Connection m_diagnostics;
};
