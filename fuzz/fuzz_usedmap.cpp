#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "model/RecordClass.h"

// Any records-used packet gives a map that answers every index without
// reading outside it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    RecordClass s(&log);
    const QByteArray packet = fuzzInput(data, size);
    s.PutUsed(packet);
    const qsizetype mapBits = s.usedMap().size() * 8;
    for (int i = -8; i < mapBits + 24 && i < 70000; ++i) {
        const bool used = s.GetRecordUsed(i);
        if (s.usedMap().isEmpty())
            require(used);
        else if (i >= mapBits || i < 0)
            require(!used);
    }
    return 0;
}
