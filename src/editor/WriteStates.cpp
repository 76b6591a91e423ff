#include "editor/WriteStates.h"

#include "editor/TableTree.h"

void WriteStates::set(int member, int index, State state)
{
    std::array<int, StateCount> &counts = m_structureCounts[TableTree::structureKey(member)];
    const std::pair<int, int> record{member, index};
    if (const auto previous = m_records.constFind(record); previous != m_records.cend())
        --counts[std::size_t(*previous)];
    ++counts[std::size_t(state)];
    m_records.insert(record, state);
    const QString key = TableTree::recordKey(member, index);
    if (!key.isEmpty())
        m_recordNodes.insert(key, state);
}

std::optional<WriteStates::State> WriteStates::atNode(const QString &key) const
{
    if (const auto record = m_recordNodes.constFind(key); record != m_recordNodes.cend())
        return *record;
    const auto counts = m_structureCounts.constFind(key);
    if (counts == m_structureCounts.cend())
        return std::nullopt;
    for (State state : {State::Failed, State::Waiting, State::Confirmed}) {
        if ((*counts)[std::size_t(state)] > 0)
            return state;
    }
    return std::nullopt;
}
