#pragma once

#include "link/RecordWriteQueue.h"

#include <QIcon>
#include <QString>

class QPainter;

// What a node of the tree of tables shows of its records' writes: a clock
// while waiting, a tick once confirmed, a cross when not confirmed, drawn on
// a 32 × 32 grid like the program's other pictures.
class WriteStateIcons
{
public:
    using State = RecordWriteQueue::State;

    WriteStateIcons();

    const QIcon &icon(State state) const;
    static QString toolTip(State state);

private:
    static void paintWaiting(QPainter &painter);
    static void paintConfirmed(QPainter &painter);
    static void paintFailed(QPainter &painter);

    QIcon m_waiting;
    QIcon m_confirmed;
    QIcon m_failed;
};
