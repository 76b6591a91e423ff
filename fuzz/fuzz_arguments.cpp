#include "FuzzSupport.h"
#include "cli/CommandArguments.h"
#include "cli/CommandLineTool.h"
#include "model/NativeFileName.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

// Any command line: every byte of a file name survives its way into the
// program and back; the parser takes or refuses it with a reason; the tool
// exits 0, 1 or 2 with one line per failure (two for a usage error, the
// second the usage line). Commands that open ports or serve run no further
// than their arguments, and no name may leave an empty working directory.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool inEmptyDirectory = [] {
        static QTemporaryDir directory;
        return QDir::setCurrent(directory.path());
    }();
    require(inEmptyDirectory);

    QStringList arguments;
    for (const QByteArray &part : fuzzInput(data, size).split('\0')) {
        const QString argument = NativeFileName::decode(part);
        require(NativeFileName::encode(argument) == part);
        arguments.append(argument);
    }

    CommandArguments parsed({QStringLiteral("--json")}, {QStringLiteral("FILE.QBF")},
                            {QStringLiteral("--out"), QStringLiteral("--speed")});
    int speed = 0;
    if (parsed.parse(arguments) && parsed.number(QStringLiteral("--speed"), 1, 38400, speed))
        require(!parsed.hasValue(QStringLiteral("--speed")) || speed >= 1);
    else
        require(!parsed.errorString().isEmpty());

    // Names are shown as given, so a line break in one would split its line.
    const QString all = arguments.join(QString());
    if (arguments.isEmpty() || all.contains(QLatin1Char('/')) || all.contains(QLatin1Char('\n'))
        || all.contains(QLatin1Char('\r')))
        return 0;
    for (const QString &argument : arguments) {
        for (const char *unsafe : {"simulate", "get", "send"}) {
            if (argument == QLatin1String(unsafe))
                return 0;
        }
    }
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = CommandLineTool(outStream, errStream).run(arguments);
    outStream.flush();
    errStream.flush();
    require(code >= 0 && code <= 2);
    if (code == 1)
        require(err.count(QLatin1Char('\n')) == 1 && err.endsWith(QLatin1Char('\n')));
    if (code == 2)
        require(err.count(QLatin1Char('\n')) == 2 && err.contains(QStringLiteral("\nusage: ")));
    return 0;
}
