#pragma once

// One record of a configuration: its structure (an ExchClass member) and its index.
struct RecordRef
{
    int member = 0;
    int index = 0;

    bool operator==(const RecordRef &other) const = default;
};
