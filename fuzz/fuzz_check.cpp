#include "FuzzSupport.h"
#include "analysis/ConfigurationCheck.h"
#include "core/DebugLog.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"

#include <QObject>

// Whatever a loadable file holds, however short its records, the check reads
// it without a single diagnostic and names each problem's rule, structure,
// record and field, in structure and record order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    ExchClass config(&log);
    ConfigFile file;
    if (!file.fromBytes(config, fuzzInput(data, size), QStringLiteral("fuzz.QBF")))
        return 0;
    int diagnostics = 0;
    QObject::connect(&log, &DebugLog::errorReported, [&diagnostics] { ++diagnostics; });

    const QList<ConfigurationProblem> problems = ConfigurationCheck(config).problems();
    require(diagnostics == 0);
    for (qsizetype i = 0; i < problems.size(); ++i) {
        const ConfigurationProblem &p = problems.at(i);
        require(!p.rule.isEmpty() && !p.field.isEmpty() && !p.message.isEmpty() && !p.memberName().isEmpty());
        require(p.record >= 0 && p.record < config.member(p.member).Records());
        if (i > 0) {
            const ConfigurationProblem &before = problems.at(i - 1);
            require(before.member < p.member || (before.member == p.member && before.record <= p.record));
        }
    }
    return 0;
}
