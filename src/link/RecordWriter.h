#pragma once

class ExchClass;

// Where a record write outside a configuration transfer goes: the write
// queue, behind whatever the program checks first.
class RecordWriter
{
public:
    virtual ~RecordWriter() = default;

    // Queues the record of member as it stands when its turn comes. False
    // when nothing was queued (the engineer declined writing this
    // configuration to the exchange).
    virtual bool writeRecord(ExchClass &config, int member, int index) = 0;
};
