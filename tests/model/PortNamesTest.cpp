#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/PhysicalPortNames.h"
#include "model/RecordSlots.h"
#include "model/VirtualPortLinks.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

namespace {

TEST(PortLinks, APortsLinksListItsEnabledNumbersWithPrefixesSetApartAndEveryPhysicalPortBoundToIt)
{
    ExchClass config;
    SampleConfiguration::build(config);
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 0), QStringLiteral("0; 200; 81 4400"));
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 29), QString()) << "its one number is disabled";
    config.ExtToVirtual().SetBoolean(FieldNames::Flag, 1, RecordSlots::FreeBit, true);
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 0), QStringLiteral("0; 81 4400")) << "a free slot is not listed";

    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 0), QStringLiteral("Ext 1 - Port 1"));
    config.PortToVirtual().SetInteger(FieldNames::VirtPort, 37, 0);
    config.PortToVirtual().SetInteger(FieldNames::VirtPort, 98, 0);
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 0), QStringLiteral("Ext 1 - Port 1; Ext 3 - Port 6; Tie - Port 3"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 23), QString());
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 255), QString()) << "255 marks a position without a port";
}

TEST(PhysicalPortNames, NameTheBoardPositionTerminalAndLink)
{
    const std::tuple<int, const char *, const char *, const char *> ports[] = {
        {0, "Board 1; Port 1", "Ext 1", "Ext 1 - Port 1"},
        // The upper half of an extension board repeats the lower half's names.
        {45, "Board 3; Port 14", "Ext 22", "Ext 3 - Port 14"},
        {79, "Board 5; Port 16", "Ext 40", "Ext 5 - Port 16"},
        {80, "Board Aux; Port 1", "Aux 1", "Aux - Port 1"},
        {84, "Board Aux; Port 5", "Aux 5", "Aux - Port 5"},
        {98, "Board Tie; Port 3", "Tie 3", "Tie - Port 3"},
        {100, "Board Tie; Port 5", "PA 1", "PA - Port 1"},
        {101, "Board Tie; Port 6", "PA 2", "PA - Port 2"},
        {112, "Board 7?; Port 1", "7?", "7?"},
        {160, "Board 10?; Port 1", "10?", "10?"}};
    for (const auto &[port, position, terminal, link] : ports) {
        EXPECT_EQ(PhysicalPortNames::boardPosition(port) + QLatin1Char('|') + PhysicalPortNames::terminalName(port)
                      + QLatin1Char('|') + PhysicalPortNames::linkName(port),
                  QStringLiteral("%1|%2|%3").arg(QLatin1String(position), QLatin1String(terminal), QLatin1String(link)))
            << port;
    }
}

} // namespace
