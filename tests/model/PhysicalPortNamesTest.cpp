#include "model/PhysicalPortNames.h"

#include <gtest/gtest.h>

namespace {

struct Expected
{
    int port;
    const char *position;
    const char *terminal;
    const char *link;
};

void PrintTo(const Expected &expected, std::ostream *os)
{
    *os << "port " << expected.port;
}

class PhysicalPortNaming : public ::testing::TestWithParam<Expected>
{
};

TEST_P(PhysicalPortNaming, NamesTheBoardPositionTerminalAndLink)
{
    const Expected &e = GetParam();
    EXPECT_EQ(PhysicalPortNames::boardPosition(e.port), QLatin1String(e.position));
    EXPECT_EQ(PhysicalPortNames::terminalName(e.port), QLatin1String(e.terminal));
    EXPECT_EQ(PhysicalPortNames::linkName(e.port), QLatin1String(e.link));
}

INSTANTIATE_TEST_SUITE_P(Boards, PhysicalPortNaming,
                         ::testing::Values(Expected{0, "Board 1; Port 1", "Ext 1", "Ext 1 - Port 1"},
                                           Expected{37, "Board 3; Port 6", "Ext 22", "Ext 3 - Port 6"},
                                           // The upper half of an extension board repeats the lower half's names.
                                           Expected{45, "Board 3; Port 14", "Ext 22", "Ext 3 - Port 14"},
                                           Expected{79, "Board 5; Port 16", "Ext 40", "Ext 5 - Port 16"},
                                           Expected{80, "Board Aux; Port 1", "Aux 1", "Aux - Port 1"},
                                           Expected{84, "Board Aux; Port 5", "Aux 5", "Aux - Port 5"},
                                           Expected{98, "Board Tie; Port 3", "Tie 3", "Tie - Port 3"},
                                           Expected{99, "Board Tie; Port 4", "Tie 4", "Tie - Port 4"},
                                           Expected{100, "Board Tie; Port 5", "PA 1", "PA - Port 1"},
                                           Expected{101, "Board Tie; Port 6", "PA 2", "PA - Port 2"},
                                           Expected{112, "Board 7?; Port 1", "7?", "7?"},
                                           Expected{113, "Board 7?; Port 2", "7?", "7?"},
                                           Expected{160, "Board 10?; Port 1", "10?", "10?"}));

} // namespace
