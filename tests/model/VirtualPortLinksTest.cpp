#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/VirtualPortLinks.h"
#include "simulator/sample/SampleConfiguration.h"

#include <gtest/gtest.h>

namespace {
QString text(const char *latin1)
{
    return QLatin1String(latin1);
}

class VirtualPortLinksTest : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    ExchClass config;
};

TEST_F(VirtualPortLinksTest, NumbersListEnabledNumbersOfThePortWithPrefixesSetApart)
{
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 0), text("0; 200; 81 4400"));
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 2), text("202; 81 4402"));
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 29), QString()) << "its one number is disabled";
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 39), QString());
}

TEST_F(VirtualPortLinksTest, AFreeNumberSlotIsNotListed)
{
    config.ExtToVirtual().SetBoolean(FieldNames::Flag, 1, 7, true);
    EXPECT_EQ(VirtualPortLinks::ListVPNumbers(config, 0), text("0; 81 4400"));
}

TEST_F(VirtualPortLinksTest, PortsListEveryPhysicalPortBoundToThePort)
{
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 0), text("Ext 1 - Port 1"));
    config.PortToVirtual().SetInteger(FieldNames::VirtPort, 37, 0);
    config.PortToVirtual().SetInteger(FieldNames::VirtPort, 98, 0);
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 0), text("Ext 1 - Port 1; Ext 3 - Port 6; Tie - Port 3"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 28), text("PA - Port 1"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 30), text("Aux - Port 1"));
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 23), QString());
    EXPECT_EQ(VirtualPortLinks::ListVPPorts(config, 255), QString()) << "255 marks a position without a port";
}

} // namespace
