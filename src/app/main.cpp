#include "app/CommandLine.h"
#include "app/DemoExchange.h"
#include "app/DrawnIcons.h"
#include "app/MainWindow.h"
#include "core/DebugLog.h"
#include "core/ProductInfo.h"
#include "core/QtTimerFactory.h"
#include "core/Registry.h"
#include "link/QtSerialPort.h"
#include "shell/FileDialogService.h"
#include "shell/MessageService.h"
#include "shell/SplashWindow.h"

#include <QApplication>
#include <QPointer>
#include <QTextStream>

#include <cstdio>
#include <optional>

namespace {
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// The exit code after help, the version or a usage error; nothing when the program is to run.
std::optional<int> answer(const CommandLine &commandLine, QTextStream &out, QTextStream &err)
{
    switch (commandLine.action()) {
    case CommandLine::Action::ShowHelp:
        out << CommandLine::usage();
        return ExitSuccess;
    case CommandLine::Action::ShowVersion:
        out << CommandLine::versionLine() << Qt::endl;
        return ExitSuccess;
    case CommandLine::Action::UsageError:
        err << CommandLine::ProgramName << QStringLiteral(": ") << commandLine.errorString() << Qt::endl;
        err << CommandLine::usage();
        return ExitUsage;
    case CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}
} // namespace

int main(int argc, char *argv[])
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Help and the version work without a display.
    const CommandLine early(argumentsOf(argc, argv));
    if (early.action() == CommandLine::Action::ShowHelp || early.action() == CommandLine::Action::ShowVersion)
        return *answer(early, out, err);

    QApplication application(argc, argv);
    QApplication::setApplicationName(ProductInfo::ApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(QB_VERSION));
    QApplication::setWindowIcon(DrawnIcons::exchange());
    QApplication::setDesktopFileName(QStringLiteral(QB_APP_ID));

    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const CommandLine commandLine(QCoreApplication::arguments().mid(1));
    if (const std::optional<int> exitCode = answer(commandLine, out, err))
        return *exitCode;

    DebugLog &log = DebugLog::shared();
    std::unique_ptr<DemoExchange> demo;
    QString portOverride = commandLine.port();
    if (commandLine.demo()) {
        demo = std::make_unique<DemoExchange>(log);
        if (!demo->start()) {
            err << CommandLine::ProgramName << QStringLiteral(": the demonstration exchange cannot start: ")
                << demo->errorString() << Qt::endl;
            return ExitFailure;
        }
        portOverride = demo->devicePath();
    }

    QtTimerFactory &timers = QtTimerFactory::shared();
    QPointer<SplashWindow> splash = new SplashWindow(timers);
    // The splash closes itself; it must not keep the program running after the main window.
    splash->setAttribute(Qt::WA_QuitOnClose, false);
    splash->show();
    QApplication::processEvents();

    log.setDebugDisplay(false);

    MainWindow window({Registry::shared(), MessageService::instance(), FileDialogService::instance(), timers, log},
                      std::make_unique<QtSerialPort>(timers, &log));
    if (!portOverride.isEmpty())
        window.setPortOverride(portOverride);
    window.load(commandLine.filePath());

    if (splash) {
        splash->show();
        splash->raise();
    }
    const int result = QApplication::exec();
    delete splash.data();
    return result;
}
