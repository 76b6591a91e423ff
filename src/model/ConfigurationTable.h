#pragma once

#include "model/ExchClass.h"

#include <memory>
#include <vector>

class DebugLog;

// The program's open configurations, indexed by the documents' ExNum. Entries
// are made empty on first use and never removed while the program runs;
// entry 0 is never handed out by NewSlot.
class ConfigurationTable
{
public:
    explicit ConfigurationTable(DebugLog *log = nullptr);

    int NewSlot();
    // The configuration at index; an index not yet used gets an empty one.
    ExchClass &at(int index);
    int count() const { return int(m_entries.size()) - 1; }

private:
    DebugLog *m_log;
    std::vector<std::unique_ptr<ExchClass>> m_entries;
};
