#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "export/ConfigurationReport.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

// Any loadable file gives a report of every section, each row with one cell
// per column, and the same report when built again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    if (!file.fromBytes(config, fuzzInput(data + 1, size - 1), QStringLiteral("fuzz.QBF")))
        return 0;
    ConfigurationReport::Options options;
    options.caption = QStringLiteral("fuzz.QBF");
    options.showCodes = data[0] & 1;
    options.includeTones = data[0] & 2;

    const ReportContent content = ConfigurationReport::build(config, options);
    require(content.heading.startsWith(ConfigurationReport::HeadingPrefix));
    require(content.sections.size() == (options.includeTones ? 10 : 9));
    for (const ReportSection &section : content.sections) {
        for (const QStringList &row : section.rows)
            require(row.size() == section.columns.size());
    }
    const ReportContent again = ConfigurationReport::build(config, options);
    require(again.sections == content.sections);
    return 0;
}
