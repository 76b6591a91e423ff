#pragma once

#include "model/RecordClass.h"
#include "model/RecordSlots.h"

#include <QList>

// A site far larger than any real one: 4096 records in every structure.
constexpr int LargeRecordCount = 4096;

// Every slot holds a record in use, copied from the sample's records in use,
// so that references between structures stay plausible.
inline void growToLargeCount(RecordClass &structure)
{
    const int sampleRecords = structure.Records();
    QList<int> sources;
    for (int i = 0; i < sampleRecords; ++i) {
        if (!RecordSlots::isFree(structure, i))
            sources.append(i);
    }
    if (sources.isEmpty() || sampleRecords >= LargeRecordCount)
        return;
    structure.PutBlank(LargeRecordCount - 1);
    for (int i = 0; i < LargeRecordCount; ++i) {
        if (i >= sampleRecords || RecordSlots::isFree(structure, i))
            structure.CopyRecord(sources[i % sources.size()], i);
        structure.SetRecordUsed(i, true);
    }
}
