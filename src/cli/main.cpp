#include "CommandLineTool.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(Command::ProgramName);
    QCoreApplication::setApplicationVersion(QStringLiteral(QB_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLineTool tool(out, err);
    return tool.run(QCoreApplication::arguments().mid(1));
}
