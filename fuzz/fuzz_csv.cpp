#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "csv/CsvImport.h"
#include "csv/CsvReader.h"
#include "csv/CsvWriter.h"
#include "model/ExchClass.h"
#include "simulator/sample/SampleConfiguration.h"

#include <QObject>

// The first byte chooses a structure of the sample site, the rest is a CSV
// file. Rows the reader accepts are written and read back unchanged. The
// import either refuses with problems on the file's lines, leaving the
// configuration as it was, or applies exactly the result it planned,
// without a write the model refuses.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static DebugLog log;
    static const ExchClass site = [] {
        ExchClass config(&log);
        SampleConfiguration::build(config);
        return config;
    }();
    FuzzReader input(data, size);
    const int member = input.byte() % ExchClass::MemberCount;
    const QByteArray csv = input.rest();

    CsvReader reader;
    if (reader.read(csv)) {
        CsvWriter writer;
        for (qsizetype i = 0; i < reader.rows().size(); ++i) {
            require(!reader.rows().at(i).cells.isEmpty());
            require(i == 0 || reader.rows().at(i).line > reader.rows().at(i - 1).line);
            writer.addRow(reader.rows().at(i).cells);
        }
        CsvReader again;
        require(again.read(writer.data()) && again.rows().size() == reader.rows().size());
        for (qsizetype i = 0; i < again.rows().size(); ++i)
            require(again.rows().at(i).cells == reader.rows().at(i).cells);
    } else {
        require(reader.errorLine() >= 1 && !reader.errorString().isEmpty() && reader.rows().isEmpty());
    }

    ExchClass config = site;
    CsvImport import(config, member);
    if (!import.plan(csv)) {
        require(!import.problems().isEmpty() && config == site && !import.apply());
        for (const CsvProblem &problem : import.problems())
            require(problem.line >= 1 && problem.line <= csv.count('\n') + csv.count('\r') + 1
                    && !problem.reason.isEmpty());
        return 0;
    }
    int diagnostics = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&log, &DebugLog::errorReported, [&diagnostics] { ++diagnostics; });
    require(import.apply() && diagnostics == 0 && config == import.result());
    QObject::disconnect(counting);
    return 0;
}
