#include "ConfigurationBuilder.h"
#include "ExchClass.h"
#include "VirtualPortLookup.h"

#include <gtest/gtest.h>

namespace {
using Location = VirtualPortLookup::PortLocation;

void expectLocation(const Location &actual, int kind, int board, int port, int result)
{
    EXPECT_EQ(actual.kind, kind);
    EXPECT_EQ(actual.result, result);
    if (result == VirtualPortLookup::Found) {
        EXPECT_EQ(actual.board, board);
        EXPECT_EQ(actual.port, port);
    }
}
} // namespace

TEST(VirtualPortLookup, PhysicalPortsCountInBlocksOfSixteenBoardsOneToFiveThenTheExternalLineBlock)
{
    ExchClass config;
    ConfigurationBuilder(config).bind(0, 1).bind(5, 1).bind(79, 2).bind(80, 3).bind(96, 4).bind(111, 5).bind(112, 6);
    const VirtualPortLookup lookup(config);
    expectLocation(lookup.FindVPPort(1), VirtualPortLookup::ExtensionPort, 1, 1, VirtualPortLookup::Found);
    expectLocation(lookup.FindVPPort(2), VirtualPortLookup::ExtensionPort, 5, 16, VirtualPortLookup::Found);
    expectLocation(lookup.FindVPPort(3), VirtualPortLookup::NoPort, 0, 0, VirtualPortLookup::UnusedBlock);
    expectLocation(lookup.FindVPPort(4), VirtualPortLookup::ExternalLine, 0, 1, VirtualPortLookup::Found);
    expectLocation(lookup.FindVPPort(5), VirtualPortLookup::ExternalLine, 0, 16, VirtualPortLookup::Found);
    expectLocation(lookup.FindVPPort(6), VirtualPortLookup::NoPort, 0, 0, VirtualPortLookup::BeyondBoards);
    expectLocation(lookup.FindVPPort(7), VirtualPortLookup::NoPort, 0, 0, VirtualPortLookup::NotMapped);
}

TEST(VirtualPortLookup, DialledNumbersInUseAreListedInTableOrderWithTheirPrefix)
{
    ExchClass config;
    ConfigurationBuilder(config)
        .addNumber(3, "201", 1)
        .addNumber(1, "200", 1)
        .addNumber(2, "4400", 1, "81")
        .addNumber(4, "299", 1, QByteArray(), false)
        .addNumber(5, "300", 2);
    const VirtualPortLookup lookup(config);
    EXPECT_EQ(lookup.ListVPNumbers(1), QByteArray("200; 81 4400; 201"));
    EXPECT_EQ(lookup.ListVPNumbers(2), QByteArray("300"));
    EXPECT_EQ(lookup.ListVPNumbers(0), QByteArray());
}
