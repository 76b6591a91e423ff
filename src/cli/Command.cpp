#include "cli/Command.h"

#include "cli/CommandArguments.h"
#include "model/ConfigFile.h"

#include <QFileInfo>
#include <QTextStream>

bool Command::parse(CommandArguments &args, const QStringList &arguments, QTextStream &err) const
{
    if (args.parse(arguments))
        return true;
    err << usageProblem(args.errorString()) << Qt::endl;
    return false;
}

bool Command::loadConfiguration(const QString &path, ExchClass &config, QTextStream &err)
{
    ConfigFile file;
    if (file.load(config, path))
        return true;
    err << file.errorLine() << Qt::endl;
    return false;
}

QString Command::counted(qsizetype count, const QString &noun)
{
    return QStringLiteral("%1 %2%3").arg(count).arg(noun, count == 1 ? QString() : QStringLiteral("s"));
}

bool Command::sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.absoluteFilePath() == second.absoluteFilePath()
        || (first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath());
}
