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

// Runs the built quillbridge-cli as its own process, as a shell script would.
inline Outcome runCliProcess(const QString &program, const QStringList &arguments)
{
    constexpr int RunBoundMilliseconds = 30000;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(RunBoundMilliseconds) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
