#pragma once

#include <QtGlobal>

// Whole numbers drawn at random. The program draws from the operating
// system's source, so no two sites get the same sequence; tests script their own.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // A number from 0 to bound - 1; bound is at least 1.
    virtual quint32 bounded(quint32 bound) = 0;

    static RandomSource &system();
};
