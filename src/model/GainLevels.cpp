#include "model/GainLevels.h"

namespace {
constexpr int LoudestGain = 3;
} // namespace

QString GainLevels::text(int place)
{
    return QString::number(LoudestGain - place) + QStringLiteral(" dB");
}
