#include "link/LineSettings.h"
#include "support/TestSupport.h"

TEST(LineSettings, SettingsTextsAreReadFieldByFieldAndNonsenseIsRefused)
{
    EXPECT_EQ(LineSettings::text(38400), QStringLiteral("38400,n,8,1"));
    const auto standard = LineSettings::parse(LineSettings::text(9600));
    ASSERT_TRUE(standard);
    EXPECT_EQ(standard->speed, 9600);
    const auto even = LineSettings::parse(QStringLiteral("1200,E,7,2"));
    ASSERT_TRUE(even);
    EXPECT_EQ(std::tuple(even->speed, even->parity, even->dataBits, even->stopBits),
              std::tuple(1200, LineSettings::Parity::Even, 7, LineSettings::StopBits::Two));

    for (const char *bad :
         {"", "38400,n,8", "38400,n,8,1,1", "fast,n,8,1", "0,n,8,1", "38400,x,8,1", "38400,n,9,1", "38400,n,8,3"})
        EXPECT_FALSE(LineSettings::parse(QString::fromLatin1(bad))) << bad;
}
