#include "device/NumericText.h"
#include "support/TestSupport.h"

using namespace NumericText;

TEST(NumericText, ReadsSignedDecimalsWithBlanksAroundAndNothingElse)
{
    EXPECT_EQ(value(QStringLiteral(" 12 ")), 12.0);
    EXPECT_EQ(value(QStringLiteral("-3.5")), -3.5);
    EXPECT_EQ(value(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(value(QStringLiteral("1e2")), 100.0);
    for (const char *text : {"", " ", ".", "12abc", "1,000", "0x10", "inf", "nan", "1e999", "- 3"})
        EXPECT_FALSE(value(QString::fromLatin1(text))) << text;
}

TEST(NumericText, RoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
}

TEST(NumericText, WholeNumbersMustBeWholeAndWithinTheirRange)
{
    EXPECT_EQ(wholeNumber(QStringLiteral("50.0"), 1, 255), 50);
    EXPECT_EQ(wholeNumber(QStringLiteral("255"), 1, 255), 255);
    EXPECT_FALSE(wholeNumber(QStringLiteral("256"), 1, 255));
    EXPECT_FALSE(wholeNumber(QStringLiteral("0"), 1, 255));
    EXPECT_FALSE(wholeNumber(QStringLiteral("50.5"), 1, 255));
    EXPECT_FALSE(wholeNumber(QStringLiteral("-1"), 0, 255));
    EXPECT_EQ(wholeNumberRequired(QStringLiteral("LD Low Min"), 0, 255),
              QStringLiteral("LD Low Min must be a whole number in the range 0 - 255"));
    EXPECT_EQ(numberRequired(QStringLiteral("Amplitude"), 0, 10),
              QStringLiteral("Amplitude must be a number in the range 0 - 10"));
}
