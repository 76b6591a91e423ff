#pragma once

#include <QString>

#include <array>

// The boards' serial information as the board-information window shows it,
// one row per slot.
struct BoardInformation
{
    static constexpr int RowCount = 7;

    struct Row
    {
        QString serialNumber;
        // Day/month/year, or empty when the serial number is missing.
        QString manufactureDate;
    };

    std::array<Row, RowCount> rows;
};
