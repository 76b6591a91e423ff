#pragma once

class RecordClass;

// The slot convention of every structure with a Flag field: bit 7 set marks
// a record slot that holds nothing.
class RecordSlots
{
public:
    static constexpr int FreeBit = 7;

    static bool isFree(const RecordClass &structure, int index);
    // The lowest free slot, or -1 when every slot is in use.
    static int firstFree(const RecordClass &structure);
};
