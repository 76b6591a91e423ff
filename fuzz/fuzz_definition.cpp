#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "model/RecordClass.h"

namespace {
constexpr int ListedFieldLimit = 512;
}

// A structure built from any definition packet can be listed, filled and read
// field by field, and describes itself back as the same layout.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzInput(data, size);
    DebugLog log;
    log.setLimit(4096);
    RecordClass s(&log);
    s.BuildStructure(input);
    // The listing writes a line per declared field: thousands of them cost
    // seconds an input, so only layouts of a listable size are listed.
    if (s.Items() <= ListedFieldLimit) {
        log.setDebugDisplay(true);
        s.BuildStructure(input);
        s.ShowStructure();
    }

    const int records = qMin<int>(s.Records(), 4);
    for (int rec = 0; rec < records; ++rec)
        s.PutBlank(rec);
    for (int i = 1; i <= qMin<int>(s.Items(), 64); ++i) {
        const QByteArray name = s.field(i).Name;
        s.GetInteger(name, 0, 1);
        s.GetString(name, 0);
        s.GetDigit(name, 0);
        s.GetBoolean(name, 0, 3);
        s.GetBit(name, 0, 12);
        s.SetInteger(name, 0, -1, 1);
        s.SetString(name, 0, "AB");
        s.SetDigit(name, 0, "12*#");
        s.SetBoolean(name, 0, 9, false, 0);
        s.ClearAllBoolean(name, 0, 1);
        if (records > 0)
            require(s.record(0).size() == qMax<int>(s.StructSize(), 0));
    }

    RecordClass again(&log);
    again.BuildStructure(QByteArray(7, '\0') + s.DefinitionData());
    require(again.Items() == s.Items());
    for (int i = 0; i <= s.Items(); ++i)
        require(again.field(i) == s.field(i));
    return 0;
}
