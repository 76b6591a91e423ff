#pragma once

#include "app/ProblemWatch.h"

#include <QDockWidget>

class ProblemsModel;
class QModelIndex;
class QToolButton;
class QTreeView;
class TimerFactory;

// View → Problems: what the configuration check finds in the active
// document, kept current as the engineer edits, with its count on a
// status-bar button that opens the list. Double-clicking a problem (or Enter
// on it) asks for its record to be put on show.
class ProblemsDock : public QDockWidget
{
    Q_OBJECT

public:
    ProblemsDock(TimerFactory &timers, ProblemWatch::Source source, QWidget *parent = nullptr);

    // For the status bar, which takes it over.
    QToolButton *countButton() const { return m_countButton; }
    // Looks at the active document now, as when another one becomes active.
    void refresh();

signals:
    void recordChosen(int member, int record);

private:
    void showProblems();
    void problemChosen(const QModelIndex &index);
    void openList();

    ProblemWatch *m_watch;
    ProblemsModel *m_model;
    QTreeView *m_list;
    QToolButton *m_countButton;
};
