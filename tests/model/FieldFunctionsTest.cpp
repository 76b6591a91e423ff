#include "model/FieldFunctions.h"
#include "support/TestSupport.h"

TEST(FieldFunctions, IntegersAreLittleEndianTwosComplementCutToTheirSizeAndZeroPastTheEnd)
{
    EXPECT_EQ(PInt(bytes("34 12"), 1, 2), 0x1234u);
    EXPECT_EQ(PInt(bytes("00 34 12"), 2, 2), 0x1234u);
    EXPECT_EQ(PInt(bytes("FF FF FF FF"), 1, 4), 0xFFFFFFFFu);
    EXPECT_EQ(PInt(bytes("34 12"), 2, 2), 0u);
    EXPECT_EQ(PInt(bytes("34 12"), 0, 1), 0u);
    EXPECT_EQ(PInt(QByteArray(), 1, 1), 0u);
    EXPECT_EQ(EVal(-1, 2), bytes("FF FF"));
    EXPECT_EQ(EVal(300, 1), bytes("2C"));
    EXPECT_EQ(EVal(0x1234, 3), bytes("34 12 00"));
    EXPECT_TRUE(EVal(5, 0).isEmpty());
}

TEST(FieldFunctions, CStringStopsAtTheFirstNulOrTheEnd)
{
    const QByteArray s("AB\0CD", 5);
    EXPECT_EQ(CString(s, 1, 5), QByteArray("AB"));
    EXPECT_EQ(CString(s, 4, 5), QByteArray("CD"));
    EXPECT_EQ(CString(s, 4, 1), QByteArray("C"));
    EXPECT_EQ(CString(s, 5, 1), QByteArray("D"));
    EXPECT_EQ(CString(s, 9, 2), QByteArray());
    EXPECT_EQ(CString(QByteArray("\xFF\xFE"), 1, 2), QByteArray("\xFF\xFE"));
}

TEST(FieldFunctions, HexBytesShowsTheLastByteFirstOrHashesPastTheEnd)
{
    EXPECT_EQ(HexBytes(bytes("34 12 0A"), 1, 3), QStringLiteral("0A1234"));
    EXPECT_EQ(HexBytes(bytes("34 12"), 2, 2), QStringLiteral("##"));
    EXPECT_EQ(HexBytes(bytes("ab"), 1, 1), QStringLiteral("AB"));
}
