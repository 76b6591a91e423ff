#pragma once

#include <QString>
#include <QStringList>

class CommandArguments;
class ExchClass;
class QTextStream;

namespace ExitCode {
constexpr int Success = 0;
constexpr int Failure = 1;
constexpr int Usage = 2;
} // namespace ExitCode

// One subcommand of quillbridge-cli. A command writes its results to out and,
// when it fails, one line saying why to err; on a usage error the tool adds
// the command's usage line after that one.
class Command
{
public:
    inline static const QString ProgramName = QStringLiteral("quillbridge-cli");

    virtual ~Command() = default;

    virtual QString name() const = 0;
    // The arguments as the usage line shows them, e.g. "[--json] FILE.QBF".
    virtual QString synopsis() const = 0;
    virtual QString summary() const = 0;
    // arguments follow the command name; returns an ExitCode value.
    virtual int run(const QStringList &arguments, QTextStream &out, QTextStream &err) = 0;
    // Whether the last run's ExitCode::Usage was a usage error, which the tool
    // follows with the usage line; where 2 also means trouble (diff) it may not be.
    virtual bool wasUsageError() const { return true; }

protected:
    // Spelled once so that every command's usage line and messages agree.
    inline static const QString FileOperand = QStringLiteral("FILE.QBF");
    inline static const QString OutOption = QStringLiteral("--out");
    inline static const QString JsonFlag = QStringLiteral("--json");

    // Parses the arguments into args, writing why they do not fit to err.
    bool parse(CommandArguments &args, const QStringList &arguments, QTextStream &err) const;
    // Loads a configuration file, writing the reason to err when it cannot.
    static bool loadConfiguration(const QString &path, ExchClass &config, QTextStream &err);
    // Whether two paths name one file, also through a link.
    static bool sameFile(const QString &a, const QString &b);
    // "1 record", "2 records": a count and its noun, plural unless the count is one.
    static QString counted(qsizetype count, const QString &noun);

    // The line a command writes before returning ExitCode::Usage.
    QString usageProblem(const QString &message) const
    {
        return ProgramName + QLatin1Char(' ') + name() + QStringLiteral(": ") + message;
    }
};
