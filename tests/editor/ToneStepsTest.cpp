#include "editor/ToneSteps.h"

#include <gtest/gtest.h>

namespace {

TEST(ToneLength, AcceptsDecimalNumbersUpTo120AndRaisesSmallOnesToOne)
{
    using Length = ToneSteps::Length;
    const struct
    {
        const char *text;
        Length::Verdict verdict;
        int value;
    } cases[] = {
        {"0", Length::Accepted, 1},       {"-3", Length::Accepted, 1},      {"1", Length::Accepted, 1},
        {" 12 ", Length::Accepted, 12},   {"2.4", Length::Accepted, 2},     {"119.5", Length::Accepted, 120},
        {"120", Length::Accepted, 120},   {"120.2", Length::TooLong, 0},    {"121", Length::TooLong, 0},
        {"", Length::NotANumber, 0},      {"abc", Length::NotANumber, 0},   {"nan", Length::NotANumber, 0},
    };
    for (const auto &c : cases) {
        const Length length = ToneSteps::checkLength(QLatin1String(c.text));
        EXPECT_EQ(length.verdict, c.verdict) << c.text;
        if (c.verdict == Length::Accepted) {
            EXPECT_EQ(length.value, c.value) << c.text;
        }
    }
}

} // namespace
