#pragma once

#include <QString>
#include <QStringList>

// What quillbridge was asked to do when it started:
//   quillbridge [--port PORT | --demo] [FILE.QBF]
//   quillbridge --help | --version
class CommandLine
{
public:
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };

    static const QString ProgramName;

    // arguments without the program name.
    explicit CommandLine(const QStringList &arguments);

    Action action() const { return m_action; }
    // The configuration file to open at start-up; empty when none was named.
    QString filePath() const { return m_filePath; }
    // A port number or device path that replaces the configured port.
    QString port() const { return m_port; }
    bool demo() const { return m_demo; }
    QString errorString() const { return m_error; }

    static QString usage();
    static QString versionLine();

private:
    void fail(const QString &message);

    Action m_action = Action::Run;
    QString m_filePath;
    QString m_port;
    bool m_demo = false;
    QString m_error;
};
