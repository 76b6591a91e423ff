#pragma once

class RecordClass;

// The slot convention of every structure with a Flag field: bit 7 set marks
// a record slot that holds nothing, bit 0 a record that is enabled.
class RecordSlots
{
public:
    static constexpr int EnabledBit = 0;
    static constexpr int FreeBit = 7;

    static bool isFree(const RecordClass &structure, int index);
    // In use and enabled: what lists of records to choose from offer.
    static bool isInUseAndEnabled(const RecordClass &structure, int index);
    // The lowest free slot, or -1 when every slot is in use.
    static int firstFree(const RecordClass &structure);
    // Marks a slot in use or free, keeping the records-used map in step so a
    // saved file and the exchange agree with the Flag.
    static void takeIntoUse(RecordClass &structure, int index, bool *changed = nullptr);
    static void release(RecordClass &structure, int index, bool *changed = nullptr);
};
