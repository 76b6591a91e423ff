#include "cli/CommandLineTool.h"
#include "model/NativeFileName.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    // A write beyond the file size limit then fails with its reason instead
    // of ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);

    // File names reach the files as they were given, even when not UTF-8.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(NativeFileName::decode(QByteArray(argv[i])));
    std::unique_ptr<QCoreApplication> app;
    if (CommandLineTool::needsGuiApplication(arguments)) {
        // The report's pages need fonts, not a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(Command::ProgramName);
    QCoreApplication::setApplicationVersion(QStringLiteral(QB_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(out, err);
    return tool.run(arguments);
}
