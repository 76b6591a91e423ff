#include "FuzzSupport.h"
#include "core/DebugLog.h"
#include "model/RecordClass.h"

// Any record packet is stored or refused, and every accessor copes with the
// image it leaves, whatever its length.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DebugLog log;
    log.setDebugDisplay(true);
    log.setLimit(4096);
    RecordClass s(&log);
    s.makeStruct("VirtualPorts", 6, 4, 24, 0);
    s.setField(1, "Name", 8, 1, 1, 4);
    s.setField(2, "Flag", 0, 1, 9, 3);
    s.setField(3, "ActionExtra", 2, 2, 10, 8);
    s.setField(4, "ClassCode", 4, 1, 14, 3);
    s.setField(5, "Number", 0, 2, 18, 6);
    s.setField(6, "Tail", 0, 4, 20, 2);

    const QByteArray packet = fuzzInput(data, size);
    s.ShowPacket(packet);
    s.PutData(packet);
    for (int rec = 0; rec < s.Records(); ++rec) {
        const QByteArray before = s.record(rec);
        s.GetString("Name", rec);
        s.GetDigit("Number", rec);
        s.GetDigit("ActionExtra", rec, 1);
        s.GetInteger("Tail", rec);
        for (int bit = 0; bit < 40; bit += 3)
            s.GetBit("ClassCode", rec, bit);
        s.SetString("Name", rec, "Reception");
        s.SetString("Name", rec, "Desk");
        s.SetDigit("Number", rec, "1234");
        s.SetInteger("ActionExtra", rec, 70000, 1);
        s.SetBoolean("ClassCode", rec, 31, true, 0);
        s.ClearAllBoolean("Flag", rec, 0);
        require(s.record(rec).size() == before.size());
        require(s.SendData(rec).size() == before.size() + 2);
        s.CalcChecksum(rec);
    }
    s.CopyRecord(0, 3);
    return 0;
}
