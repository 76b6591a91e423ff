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

// Runs the built quillbridge-cli as a process of its own, as a shell script would; the bound only stops a
// run that hangs.
inline Outcome runCli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QB_CLI_PATH), arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, QString(), process.errorString()};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The data folder (XDG_DATA_HOME) of the commands run while it lives.
class DataHome
{
public:
    explicit DataHome(const QString &path) { qputenv("XDG_DATA_HOME", path.toLocal8Bit()); }
    ~DataHome() { qunsetenv("XDG_DATA_HOME"); }
    DataHome(const DataHome &) = delete;
    DataHome &operator=(const DataHome &) = delete;
};

// quillbridge-cli simulate in a process of its own, serving on a pseudo-terminal
// whose name it prints first.
class SimulatorProcess
{
public:
    explicit SimulatorProcess(const QStringList &options)
    {
        m_process.start(QStringLiteral(QB_CLI_PATH), QStringList{QStringLiteral("simulate")} + options);
        if (!m_process.waitForStarted(10000))
            return;
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {}
        m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~SimulatorProcess() { stop(); }
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    QString device() const { return m_device; }
    // Ends the simulator; true when it exited cleanly.
    bool stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            m_process.waitForFinished(10000);
        }
        return m_process.state() == QProcess::NotRunning && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }

private:
    QProcess m_process;
    QString m_device;
};

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
