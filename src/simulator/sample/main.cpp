#include "core/DebugLog.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {
constexpr int Failure = 1;
constexpr int UsageError = 2;
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        err << QStringLiteral("usage: qb-make-sample OUT.QBF") << Qt::endl;
        return UsageError;
    }

    // A refused write would leave a field at its blank bytes without a trace
    // in the file, so any diagnostic means the sample is not what it claims.
    int diagnostics = 0;
    QObject::connect(&DebugLog::shared(), &DebugLog::errorReported, [&](const QString &source, const QString &message) {
        err << source << QStringLiteral(": ") << message << Qt::endl;
        ++diagnostics;
    });

    ExchClass config;
    SampleConfiguration::build(config);
    if (diagnostics > 0) {
        err << QStringLiteral("The sample was not written.") << Qt::endl;
        return Failure;
    }
    ConfigFile file;
    if (!file.save(config, arguments.at(1))) {
        err << file.errorString() << Qt::endl;
        return Failure;
    }
    return 0;
}
