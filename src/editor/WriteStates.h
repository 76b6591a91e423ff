#pragma once

#include "link/RecordWriteQueue.h"

#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <utility>

// The write states of one document's records as the write queue reports
// them, and the state each node of its tree of tables shows: a record node
// its record's, the node of a structure the worst of its records'.
class WriteStates
{
public:
    using State = RecordWriteQueue::State;

    void set(int member, int index, State state);
    // Failed is worse than waiting, waiting worse than confirmed; none for a
    // node none of whose records was written.
    std::optional<State> atNode(const QString &key) const;

private:
    static constexpr int StateCount = 3;

    QHash<std::pair<int, int>, State> m_records;
    QHash<QString, State> m_recordNodes;
    QHash<QString, std::array<int, StateCount>> m_structureCounts;
};
