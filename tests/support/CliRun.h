#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>

// What one run of the command-line tool left: its exit code and its two streams.
struct Outcome
{
    int code;
    QString out;
    QString err;
};

// Runs a program as its own process; the bound only stops a run that hangs.
inline Outcome runProcess(const QString &program, const QStringList &arguments, int boundMilliseconds = 30000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(boundMilliseconds) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Runs the built quillbridge-cli, as a shell script would.
inline Outcome runCli(const QStringList &arguments, int boundMilliseconds = 30000)
{
    return runProcess(QStringLiteral(QB_CLI_PATH), arguments, boundMilliseconds);
}

// Runs the tool's commands in this process, with both streams captured.
template<typename Tool>
Outcome runInProcess(const QStringList &arguments)
{
    Outcome run{0, QString(), QString()};
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.code = Tool(out, err).run(arguments);
    out.flush();
    err.flush();
    return run;
}
