#include "cli/Command.h"

#include "model/ConfigFile.h"

#include <QTextStream>

bool Command::loadConfiguration(const QString &path, ExchClass &config, QTextStream &err)
{
    ConfigFile file;
    if (file.load(config, path))
        return true;
    err << file.errorLine() << Qt::endl;
    return false;
}
