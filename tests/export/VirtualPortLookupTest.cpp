#include "export/VirtualPortLookup.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

TEST(VirtualPortLookup, PhysicalPortsCountInBlocksOfSixteenBoardsOneToFiveThenTheExternalLineBlock)
{
    ExchClass config;
    SampleConfiguration::build(config);
    RecordClass &physical = config.PortToVirtual();
    physical.SetInteger(FieldNames::VirtPort, 79, 23);
    physical.PutBlank(112);
    physical.SetInteger(FieldNames::VirtPort, 112, 31);
    using L = VirtualPortLookup;
    const struct
    {
        int port;
        L::PortLocation expected;
    } cases[] = {
        {0, {L::ExtensionPort, 1, 1, L::Found}},   {15, {L::ExtensionPort, 2, 8, L::Found}},
        {23, {L::ExtensionPort, 5, 16, L::Found}}, {24, {L::ExternalLine, 0, 1, L::Found}},
        {28, {L::ExternalLine, 0, 5, L::Found}},   {30, {L::NoPort, 0, 0, L::UnusedBlock}},
        {31, {L::NoPort, 0, 0, L::BeyondBoards}},  {32, {L::NoPort, 0, 0, L::NotMapped}},
    };
    const VirtualPortLookup lookup(config);
    for (const auto &c : cases) {
        const L::PortLocation found = lookup.FindVPPort(c.port);
        EXPECT_EQ(std::make_tuple(found.kind, found.board, found.port, found.result),
                  std::make_tuple(c.expected.kind, c.expected.board, c.expected.port, c.expected.result))
            << c.port;
    }
}
