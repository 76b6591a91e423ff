#include "FuzzSupport.h"
#include "core/Registry.h"

#include <QFile>
#include <QTemporaryDir>

// Any settings file can be read section by section, and a value saved into
// it reads back as saved.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir directory;
    static int run = 0;
    FuzzReader in(data, size);
    const QString value = QString::fromLatin1(in.bytes(in.below(40)));
    const QString section = QString::fromLatin1(in.bytes(in.below(12)));
    // Each run its own file: QSettings keeps what it read of a path.
    const QString path = directory.filePath(QStringLiteral("settings%1.ini").arg(++run));
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly));
        file.write(in.rest());
    }

    Registry registry(path);
    for (const QString &s :
         {QStringLiteral("Settings"), QStringLiteral("Settings\\MRU"), QStringLiteral("Comms"), section}) {
        const Registry::ValueList values = registry.GetAllSettings(s);
        for (int i = 0; i < values.size(); ++i)
            registry.GetValueName(s, i);
        for (int i = 0; i < registry.GetSubKeyCount(s); ++i)
            registry.GetSubKeyName(s, i);
        registry.GetNumber(s, QStringLiteral("Port"), 1);
    }
    if (!value.trimmed().isEmpty()
        && registry.SaveSetting(QStringLiteral("Settings"), QStringLiteral("Fuzz"), Registry::TypeText, value)
            == Registry::StatusOk)
        require(registry.GetSetting(QStringLiteral("Settings"), QStringLiteral("Fuzz")) == value);
    if (registry.SaveSetting(QStringLiteral("Comms"), QStringLiteral("Speed"), Registry::TypeNumber, int(size))
        == Registry::StatusOk)
        require(registry.GetNumber(QStringLiteral("Comms"), QStringLiteral("Speed"), -1) == int(size));
    QFile::remove(path);
    return 0;
}
