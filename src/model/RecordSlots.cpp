#include "RecordSlots.h"

#include "FieldNames.h"
#include "RecordClass.h"

bool RecordSlots::isFree(const RecordClass &structure, int index)
{
    return structure.GetBoolean(FieldNames::Flag, index, FreeBit, 0);
}

bool RecordSlots::isInUseAndEnabled(const RecordClass &structure, int index)
{
    return !isFree(structure, index) && structure.GetBoolean(FieldNames::Flag, index, EnabledBit, 0);
}

int RecordSlots::firstFree(const RecordClass &structure)
{
    for (int i = 0; i < structure.Records(); ++i) {
        if (isFree(structure, i))
            return i;
    }
    return -1;
}
