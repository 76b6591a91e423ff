#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "export/ConfigurationConverter.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

#include <QBuffer>

namespace {
QDateTime fixedTime()
{
    return QDateTime(QDate(2024, 7, 3), QTime(14, 5));
}
} // namespace

// Any configuration that loads either converts into a complete file of CR LF
// lines, or is refused with a reason and nothing written; converting again
// gives the same bytes, since the names are clean after the first run.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    if (!file.fromBytes(config, fuzzInput(data, size), QStringLiteral("fuzz.QBF")))
        return 0;

    QBuffer first;
    first.open(QIODevice::WriteOnly);
    ConfigurationConverter converter(config, &fixedTime);
    if (!converter.convert(first)) {
        require(!converter.errorString().isEmpty());
        require(first.data().isEmpty());
        return 0;
    }
    const QByteArray out = first.data();
    require(out.startsWith("<?xml version=\"1.0\"?>\r\n"));
    require(out.endsWith("\t</groups>\r\n</pabx>\r\n"));
    require(out.count('\n') == out.count("\r\n"));

    QBuffer second;
    second.open(QIODevice::WriteOnly);
    ConfigurationConverter again(config, &fixedTime);
    require(again.convert(second));
    require(second.data() == out);
    require(!again.namesChanged());
    return 0;
}
