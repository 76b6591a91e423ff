#include "model/RecordSlots.h"

#include "model/FieldNames.h"
#include "model/RecordClass.h"

bool RecordSlots::isFree(const RecordClass &structure, int index)
{
    return structure.GetBoolean(FieldNames::Flag, index, FreeBit, 0);
}

bool RecordSlots::isInUseAndEnabled(const RecordClass &structure, int index)
{
    return !isFree(structure, index) && structure.GetBoolean(FieldNames::Flag, index, EnabledBit, 0);
}

void RecordSlots::takeIntoUse(RecordClass &structure, int index, bool *changed)
{
    structure.SetBoolean(FieldNames::Flag, index, FreeBit, false, 0, changed);
    structure.SetRecordUsed(index, true);
}

void RecordSlots::release(RecordClass &structure, int index, bool *changed)
{
    structure.SetBoolean(FieldNames::Flag, index, FreeBit, true, 0, changed);
    structure.SetRecordUsed(index, false);
}

int RecordSlots::firstFree(const RecordClass &structure)
{
    for (int i = 0; i < structure.Records(); ++i) {
        if (isFree(structure, i))
            return i;
    }
    return -1;
}
