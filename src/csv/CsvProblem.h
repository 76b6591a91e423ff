#pragma once

#include <QString>

// Why one cell, one row or the file as a whole cannot be imported.
struct CsvProblem
{
    // The file's line, counting from 1.
    int line = 0;
    // The column's name as the header gives it; empty for a whole row.
    QString column;
    QString reason;

    // "line 4, column Name: must be at most 15 characters, not 17"
    QString text() const;

    bool operator==(const CsvProblem &) const = default;
};
