#include "model/RecordJournal.h"

#include "model/ExchClass.h"

#include <utility>

RecordJournal::RecordJournal(ExchClass &config)
    : m_config(config)
{
    for (int i = 0; i < ExchClass::MemberCount; ++i)
        m_config.member(i).setJournal(this);
}

RecordJournal::~RecordJournal()
{
    for (int i = 0; i < ExchClass::MemberCount; ++i)
        m_config.member(i).setJournal(nullptr);
}

void RecordJournal::open()
{
    if (m_open)
        return;
    m_open = true;
    if (m_stepOpened)
        m_stepOpened();
}

void RecordJournal::recordChanging(const RecordClass &structure, int index)
{
    if (m_applying)
        return;
    const int member = m_config.memberIndex(structure);
    if (member < 0)
        return;
    bookkeepingChanging(structure);
    const QPair<int, int> key(member, index);
    if (!m_recordsBefore.contains(key))
        m_recordsBefore.insert(key, structure.record(index));
}

void RecordJournal::bookkeepingChanging(const RecordClass &structure)
{
    if (m_applying)
        return;
    const int member = m_config.memberIndex(structure);
    if (member < 0)
        return;
    if (!m_bookkeepingBefore.contains(member))
        m_bookkeepingBefore.insert(member, structure.bookkeeping());
    open();
}

void RecordJournal::layoutChanged()
{
    if (m_applying)
        return;
    discardStep();
    if (m_historyEnded)
        m_historyEnded();
}

RecordJournal::Step RecordJournal::closeStep()
{
    Step step;
    for (auto it = m_recordsBefore.cbegin(); it != m_recordsBefore.cend(); ++it) {
        const QByteArray after = m_config.member(it.key().first).record(it.key().second);
        if (after != it.value())
            step.records.append({it.key().first, it.key().second, it.value(), after});
    }
    for (auto it = m_bookkeepingBefore.cbegin(); it != m_bookkeepingBefore.cend(); ++it) {
        const RecordClass::Bookkeeping after = m_config.member(it.key()).bookkeeping();
        if (!(after == it.value()))
            step.bookkeeping.append({it.key(), it.value(), after});
    }
    discardStep();
    return step;
}

void RecordJournal::discardStep()
{
    m_open = false;
    m_recordsBefore.clear();
    m_bookkeepingBefore.clear();
}

void RecordJournal::apply(const Step &step, Side side)
{
    const bool before = side == Side::Before;
    m_applying = true;
    for (const RecordImages &images : step.records)
        m_config.member(images.member).restoreRecord(images.index, before ? images.before : images.after);
    for (const BookkeepingImages &images : step.bookkeeping)
        m_config.member(images.member).restoreBookkeeping(before ? images.before : images.after);
    m_applying = false;
}
