#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

// Any file either loads or is refused; what loads saves and reloads to the
// same configuration.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    if (!file.fromBytes(config, fuzzInput(data, size), QStringLiteral("fuzz.QBF"))) {
        require(!file.errorString().isEmpty());
        return 0;
    }
    const QByteArray saved = ConfigFile::toBytes(config);
    if (saved.isEmpty())
        return 0;
    ExchClass reloaded(&log);
    require(file.fromBytes(reloaded, saved, QStringLiteral("saved.QBF")));
    require(reloaded == config);
    require(ConfigFile::toBytes(reloaded) == saved);
    return 0;
}
