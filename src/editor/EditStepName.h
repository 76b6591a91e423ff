#pragma once

#include "model/RecordJournal.h"

#include <QString>

class ExchClass;

// How Edit → Undo and Redo name a step the engineer did not name otherwise:
// "Rename Virtual Ports 12 (Front Desk)", "Add Ext To Virtual 4",
// "Edit 3 records of ACL".
class EditStepName
{
public:
    // config holds the step's after side.
    static QString of(const RecordJournal::Step &step, const ExchClass &config);
};
