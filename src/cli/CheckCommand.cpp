#include "cli/CheckCommand.h"

#include "cli/CommandArguments.h"
#include "model/ExchClass.h"

#include <QTextStream>

QString CheckCommand::name() const
{
    return QStringLiteral("check");
}

QString CheckCommand::synopsis() const
{
    return FileOperand;
}

QString CheckCommand::summary() const
{
    return QStringLiteral("Check that a configuration file loads");
}

int CheckCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    CommandArguments args({}, {FileOperand});
    if (!parse(args, arguments, err))
        return ExitCode::Usage;

    const QString path = args.operand(0);
    ExchClass config;
    if (!loadConfiguration(path, config, err))
        return ExitCode::Failure;

    out << QStringLiteral("%1: %2 structures, %3 records")
               .arg(path, QString::number(ExchClass::MemberCount), QString::number(config.recordCount()))
        << Qt::endl;
    return ExitCode::Success;
}
