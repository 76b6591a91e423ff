#include "model/ConfigurationTable.h"

ConfigurationTable::ConfigurationTable(DebugLog *log)
    : m_log(log)
{
    m_entries.resize(1);
}

int ConfigurationTable::NewSlot()
{
    m_entries.emplace_back();
    return count();
}

ExchClass &ConfigurationTable::at(int index)
{
    if (index < 0)
        index = 0;
    if (std::size_t(index) >= m_entries.size())
        m_entries.resize(std::size_t(index) + 1);
    std::unique_ptr<ExchClass> &entry = m_entries[std::size_t(index)];
    if (!entry)
        entry = std::make_unique<ExchClass>(m_log);
    return *entry;
}
