#pragma once

#include <QString>

// One way in which a structure's layout differs between two configurations.
struct LayoutChange
{
    int member = 0;
    // "name", "type", "record size", "fields" (their count) or "field N" (entry N).
    QString item;
    QString oldText;
    QString newText;
};
