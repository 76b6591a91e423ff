#pragma once

#include <QString>

// The exchange's clock as the system-time window shows it: two digits for
// each field, four for the year.
struct ClockReading
{
    QString seconds;
    QString minutes;
    QString hours;
    QString day;
    QString month;
    QString year;
};
