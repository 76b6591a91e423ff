#include "CommandLineTool.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
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
    return tool.run(QCoreApplication::arguments().mid(1));
}
