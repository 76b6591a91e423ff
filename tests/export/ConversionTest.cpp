#include "ConfigFile.h"
#include "ConfigurationBuilder.h"
#include "ConfigurationConverter.h"
#include "ExchClass.h"
#include "ExportTestSupport.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
enum PortType { Extension = 0, TieLine = 1, PublicAddress = 2, Talkback = 4 };
enum Action { ActExtension = 0, PortDisabled = 1, HotLine = 2, WarmLine = 3, Intercom = 4, TieIncoming = 5, Disa = 6,
              NightBell = 8 };
enum GroupType { Hunt = 0, Mcf = 1, AutoConference = 2, Scf = 3, Pickup = 4 };

const QByteArray SpecialUsers = xmlLines({
    "1<users type=\"special\">",
    "2<user ID=\"0\" type=\"Unknown\">",
    "3<updated>09:30 25/06/2012</updated>",
    "3<name>Not Used</name>",
    "3<publicid>None</publicid>",
    "3<passcode>None</passcode>",
    "3<level>-99</level>",
    "3<priority>0</priority>",
    "3<ringtype>0</ringtype>",
    "3<icon>0</icon>",
    "3<class Default=\"Banned\">",
    "4<allowed/>",
    "4<banned/>",
    "3</class>",
    "3<rights Default=\"Banned\">",
    "4<allowed/>",
    "4<banned/>",
    "3</rights>",
    "3<notes>",
    "4<note>This is required to as a protection record in the exchange</note>",
    "3</notes>",
    "2</user>",
    "2<user ID=\"1\" type=\"vrs\">",
    "3<updated>09:30 25/06/2012</updated>",
    "3<name>VRS</name>",
    "3<publicid>7214</publicid>",
    "3<passcode>KQWML</passcode>",
    "3<level>-10</level>",
    "3<priority>99</priority>",
    "3<ringtype>3</ringtype>",
    "3<icon>0</icon>",
    "3<class Default=\"Allowed\">",
    "4<allowed/>",
    "4<banned/>",
    "3</class>",
    "3<rights Override=\"yes\" Default=\"Allowed\">",
    "4<allowed/>",
    "4<banned>Inhibit priority Intrude</banned>",
    "3</rights>",
    "3<notes>",
    "4<note>Gives the access to the vrs only functions</note>",
    "4<note>Currently there are no VRS only functions</note>",
    "3</notes>",
    "2</user>",
    "2<user ID=\"2\" type=\"distributor\">",
    "3<updated>09:30 25/06/2012</updated>",
    "3<name>Dist 1</name>",
    "3<publicid>6083</publicid>",
    "3<passcode>9471</passcode>",
    "3<level>0</level>",
    "3<priority>99</priority>",
    "3<ringtype>0</ringtype>",
    "3<icon>0</icon>",
    "3<class Default=\"Banned\">",
    "4<allowed>|Not Used</allowed>",
    "4<banned/>",
    "3</class>",
    "3<rights Default=\"allowed\">",
    "4<allowed/>",
    "4<banned>VRS 1|VRS 2|Inhibit priority Intrude</banned>",
    "3</rights>",
    "3<notes>",
    "4<note>Gives the access to the Distributor level 1 functions</note>",
    "3</notes>",
    "2</user>",
    "2<user ID=\"3\" type=\"distributor\">",
    "3<updated>09:30 25/06/2012</updated>",
    "3<name>Dist 2</name>",
    "3<publicid>0629</publicid>",
    "3<passcode>8350</passcode>",
    "3<level>0</level>",
    "3<priority>99</priority>",
    "3<ringtype>0</ringtype>",
    "3<icon>0</icon>",
    "3<class Default=\"Banned\">",
    "4<allowed>|Not Used</allowed>",
    "4<banned/>",
    "3</class>",
    "3<rights Default=\"Allowed\">",
    "4<allowed/>",
    "4<banned>VRS 1|VRS 2|Distributor 1|Inhibit priority Intrude</banned>",
    "3</rights>",
    "3<notes>",
    "4<note>Gives the access to the Distributor level 2 functions</note>",
    "3</notes>",
    "2</user>",
    "1</users>",
});

// A site with something of every kind: classes with a gap, system users,
// ports of each convertible kind on every kind of physical port, dialled
// numbers and groups of each type.
class RichConfiguration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ConfigurationBuilder(config)
            .systemName("Harbour Office")
            .addClass(0, "General")
            .addClass(2, "Sales")
            .addClass(9, "Night")
            .addUser({.record = 1, .name = "VRS", .publicId = "7214", .passCode = "1111"})
            .addUser({.record = 4, .name = "Reception", .publicId = "1004", .passCode = "4821", .ringType = 2,
                      .classes = {0, 9}, .rights = {4, 16, 33, 48, 5}})
            .addUser({.record = 5, .name = "Lobby", .publicId = "1005", .passCode = "9999", .noPinEntry = true,
                      .classes = {2}})
            .addUser({.record = 6, .name = "Gone", .publicId = "1006", .passCode = "0000", .enabled = false})
            .addUser({.record = 7, .name = "Staff", .publicId = "1007", .passCode = "2468", .ringType = 1})
            .addPort({.record = 0, .name = "Reception", .acl = 4, .group = 0, .pickup = 2, .classes = {0, 9}})
            .addPort({.record = 1, .name = "Lift", .action = HotLine, .extra = 200, .acl = 5})
            .addPort({.record = 2, .name = "Spare", .action = PortDisabled, .acl = 7, .group = 1})
            .addPort({.record = 3, .name = "Line 1", .type = TieLine, .action = TieIncoming, .extraDigits = "200",
                      .acl = 4})
            .addPort({.record = 4, .name = "Line 2", .type = TieLine, .action = Disa, .extraDigits = "210", .acl = 4})
            .addPort({.record = 5, .name = "Tannoy", .type = PublicAddress, .action = Intercom, .acl = 4,
                      .pickup = 2})
            .addPort({.record = 6, .name = "Door", .action = Intercom, .acl = 4})
            .addPort({.record = 7, .name = "Line 3", .type = TieLine, .action = ActExtension, .acl = 4, .group = 3})
            .addPort({.record = 8, .name = "Unwired", .acl = 4})
            .addPort({.record = 9, .name = "Block Six", .acl = 4})
            .addPort({.record = 10, .name = "Beyond", .acl = 4})
            .addPort({.record = 11, .name = "Off", .acl = 4, .enabled = false})
            .bind(0, 0)
            .bind(1, 0)
            .bind(17, 1)
            .bind(79, 2)
            .bind(96, 3)
            .bind(97, 4)
            .bind(111, 5)
            .bind(33, 6)
            .bind(98, 7)
            .bind(80, 9)
            .bind(112, 10)
            .bind(40, 11)
            .addNumber(0, "200", 0)
            .addNumber(1, "4400", 0, "81")
            .addNumber(2, "201", 1)
            .addNumber(3, "299", 0, QByteArray(), false)
            .addNumber(5, "202", 2)
            .addNumber(6, "900", 5)
            .addGroup(0, "Operators", Hunt, {{0, 0, 10}, {1, 1, 14}, {5, 2, 6}})
            .addGroup(1, "Sales", Mcf, {{0, 2, 8}, {15, 0, 2}})
            .addGroup(2, "Pickup A", Pickup, {{0, 0, 0}})
            .addGroup(3, "Stop", Scf, {{3, 1, 3}})
            .addGroup(4, "", AutoConference, {})
            .addGroup(5, "Old", Hunt, {{0, 0, 4}}, false);
    }

    ExchClass config;
};
} // namespace

TEST(Conversion, AnEmptyConfigurationGivesTheHeadClassZeroTheSpecialUsersAndEmptySections)
{
    ExchClass config;
    ConfigurationBuilder(config).systemName("Site");
    const QByteArray expected = xmlLines({
                                    "0<?xml version=\"1.0\"?>",
                                    "0<?xml-stylesheet type=\"text/xsl\" href=\"TRV5Kconfig.xsl\"?>",
                                    "0<pabx system=\"ORVX\" Quillbridge=\"3\" XSL=\"1\">",
                                    "1<General>",
                                    "2<updated>14:05 03/07/2024</updated>",
                                    "2<Version>1</Version>",
                                    "2<Name>Site</Name>",
                                    "2<notes>",
                                    "3<note>Converted from a Orvex Digital configuration</note>",
                                    "2</notes>",
                                    "1</General>",
                                    "1<classes>",
                                    "2<class ID=\"0\">",
                                    "3<updated>09:30 25/06/2012</updated>",
                                    "3<name>Not Used</name>",
                                    "3<type>Unused</type>",
                                    "2</class>",
                                    "1</classes>",
                                })
        + SpecialUsers
        + xmlLines({
            "1<users type=\"system\">",
            "1</users>",
            "1<extensions>",
            "1</extensions>",
            "1<externals>",
            "1</externals>",
            "1<groups>",
            "1</groups>",
            "0</pabx>",
        });
    EXPECT_EQ(convertToBytes(config), expected);
}

TEST(Conversion, OutputIsCheckedByXmlLint)
{
    if (!haveXmlLint())
        GTEST_SKIP() << "xmllint (Debian package libxml2-utils) is not installed; outputs are not parsed";
    EXPECT_EQ(xmlLintErrors("<a>\r\n\t<b/>\r\n</a>\r\n"), QString());
    EXPECT_NE(xmlLintErrors("<a>\r\n\t<b>A & B</b>\r\n</a>\r\n"), QString());
}

TEST(Conversion, TheStampIsTheTimeAsHoursMinutesDayMonthAndFourDigitYear)
{
    EXPECT_EQ(ConfigurationConverter::UpdateStamp(QDateTime(QDate(2024, 7, 3), QTime(14, 5, 59))),
              QByteArrayLiteral("<updated>14:05 03/07/2024</updated>"));
    EXPECT_EQ(ConfigurationConverter::UpdateStamp(QDateTime(QDate(987, 12, 31), QTime(0, 0))),
              QByteArrayLiteral("<updated>00:00 31/12/0987</updated>"));
}

TEST(Conversion, IndentedLinesAreTabsTheTextAndCarriageReturnLineFeed)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(ConfigurationConverter::WriteIndented(buffer, 0, "<a>"));
    EXPECT_TRUE(ConfigurationConverter::WriteIndented(buffer, 4, "<b/>"));
    EXPECT_EQ(buffer.data(), QByteArrayLiteral("<a>\r\n\t\t\t\t<b/>\r\n"));
}

TEST_F(RichConfiguration, ClassesAreNumberedFromOneOverTheClassesInUseWhateverTheirRecords)
{
    const QByteArray out = convertToBytes(config);
    EXPECT_EQ(section(out, "\t\t<class ID=\"3\">", "\t\t</class>"),
              xmlLines({"2<class ID=\"3\">", "3<updated>14:05 03/07/2024</updated>", "3<name>Night</name>",
                        "3<type>Extension|External|Public Address</type>", "2</class>"}));
    EXPECT_TRUE(out.contains("\t\t\t\t<allowed>General|Sales|Night|Not Used</allowed>\r\n"));

    ConfigurationConverter converter(config, &conversionTime);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(converter.convert(buffer));
    const auto &table = converter.ClassTable();
    EXPECT_EQ(table[3].name, QByteArray("Night"));
    EXPECT_EQ(table[3].record, 9);
    EXPECT_TRUE(table[3].used);
    EXPECT_FALSE(table[4].used);
}

TEST_F(RichConfiguration, SystemUsersStartAtIdZeroAfterRecordsZeroToThreeAndTranslateClassesAndRights)
{
    const QByteArray out = convertToBytes(config);
    const QByteArray users = section(out, "\t<users type=\"system\">", "\t</users>");
    EXPECT_EQ(section(users, "\t\t<user ID=\"0\" type=\"user\">", "\t\t</user>"),
              xmlLines({
                  "2<user ID=\"0\" type=\"user\">",
                  "3<updated>14:05 03/07/2024</updated>",
                  "3<name>Reception</name>",
                  "3<publicid>1004</publicid>",
                  "3<passcode>4821</passcode>",
                  "3<level>10</level>",
                  "3<priority>1</priority>",
                  "3<ringtype>2</ringtype>",
                  "3<icon>0</icon>",
                  "3<class Default=\"Banned\">",
                  "4<allowed>General|Night</allowed>",
                  "4<banned/>",
                  "3</class>",
                  "3<rights Default=\"Banned\">",
                  "4<allowed>Engineering Mode|Readback Ext Number|Readback Connected Port|Readback User Number|"
                  "Set Time and Date|Set Time Zone|Readback Time|Clear all alarms|Clear all Call Forwards|"
                  "Play DISA message|Record DISA message|Transfer call|Set Remote Call Forwards|"
                  "Inhibit Priority Intrude</allowed>",
                  "4<banned/>",
                  "3</rights>",
                  "3<notes>",
                  "3</notes>",
                  "2</user>",
              }));
    EXPECT_TRUE(users.contains(xmlLines({"3<name>Lobby</name>", "3<publicid>none</publicid>",
                                         "3<passcode>none</passcode>"})));
    EXPECT_TRUE(users.contains(xmlLines({"2<user ID=\"2\" type=\"user\">", "3<updated>14:05 03/07/2024</updated>",
                                         "3<name>Staff</name>"})));
    EXPECT_FALSE(users.contains("<name>VRS</name>"));
    EXPECT_FALSE(users.contains("<name>Gone</name>"));
    EXPECT_FALSE(users.contains("<user ID=\"3\""));
}

TEST_F(RichConfiguration, ExtensionsAndExternalsAreNumberedFromZeroEachAndSkipPortsWithoutABoard)
{
    const QByteArray out = convertToBytes(config);
    const QByteArray extensions = section(out, "\t<extensions>", "\t</extensions>");
    const QByteArray externals = section(out, "\t<externals>", "\t</externals>");
    EXPECT_EQ(section(extensions, "\t\t<ext ID=\"0\">", "\t\t</ext>"),
              xmlLines({
                  "2<ext ID=\"0\">",
                  "3<updated>14:05 03/07/2024</updated>",
                  "3<name>Reception</name>",
                  "3<action>",
                  "4<mode>Extension</mode>",
                  "4<extension/>",
                  "4<delay/>",
                  "3</action>",
                  "3<position>1.1</position>",
                  "3<number>",
                  "4<std>200; 81 4400</std>",
                  "3</number>",
                  "3<flags></flags>",
                  "3<cli>",
                  "4<allow>All</allow>",
                  "4<style>UK</style>",
                  "3</cli>",
                  "3<logging>",
                  "4<from>False</from>",
                  "4<to>False</to>",
                  "3</logging>",
                  "3<txgain>0</txgain>",
                  "3<rxgain>-6</rxgain>",
                  "3<class member=\"General|Night\">",
                  "3</class>",
                  "3<rights user=\"Reception\">",
                  "3</rights>",
                  "3<notes>",
                  "3</notes>",
                  "3<groups>",
                  "4<hunt>Operators</hunt>",
                  "4<pickup>Pickup A</pickup>",
                  "3</groups>",
                  "2</ext>",
              }));
    EXPECT_TRUE(extensions.contains(xmlLines({"2<ext ID=\"1\">", "3<updated>14:05 03/07/2024</updated>",
                                              "3<name>Lift</name>", "3<action>", "4<mode>Hotline</mode>",
                                              "4<extension>200</extension>", "4<delay/>", "3</action>",
                                              "3<position>2.2</position>", "3<number>", "4<std>201</std>"})));
    EXPECT_TRUE(extensions.contains(xmlLines({"3<name>Spare</name>", "3<action>", "4<mode>Extension</mode>",
                                              "4<extension/>", "4<delay/>", "3</action>",
                                              "3<position>5.16</position>"})));
    EXPECT_TRUE(extensions.contains(xmlLines({"3<groups>", "4<ring>Sales</ring>", "3</groups>"})));
    EXPECT_TRUE(extensions.contains(xmlLines({"2<ext ID=\"3\">", "3<updated>14:05 03/07/2024</updated>",
                                              "3<name>Door</name>", "3<action>", "3</action>",
                                              "3<position>3.2</position>", "3<number>", "4<std></std>"})));
    EXPECT_FALSE(extensions.contains("<ext ID=\"4\">"));

    EXPECT_TRUE(externals.contains(xmlLines({"2<ext ID=\"0\">", "3<updated>14:05 03/07/2024</updated>",
                                             "3<name>Line 1</name>", "3<type>TieLine</type>", "3<action>",
                                             "4<mode>Incoming</mode>", "4<extension>200</extension>", "4<delay/>",
                                             "3</action>", "3<position>0.1</position>"})));
    EXPECT_TRUE(externals.contains(xmlLines({"3<name>Line 2</name>", "3<type>TieLine</type>", "3<action>",
                                             "4<mode>DISA</mode>", "4<extension>210</extension>",
                                             "4<delay>20</delay>", "3</action>", "3<position>0.2</position>"})));
    EXPECT_TRUE(externals.contains(xmlLines({"3<name>Tannoy</name>", "3<type>PublicAddress</type>", "3<action>",
                                             "4<mode>outgoing</mode>", "4<extension/>", "4<delay/>", "3</action>",
                                             "3<position>0.16</position>", "3<number>", "4<std>900</std>"})));
    EXPECT_TRUE(externals.contains(xmlLines({"3<txgain>6</txgain>", "3<rxgain>3</rxgain>"})));
    EXPECT_TRUE(externals.contains(xmlLines({"3<notes>", "3</notes>", "3<groups>", "4<pickup>Pickup A</pickup>",
                                             "3</groups>", "2</ext>"})));
    // A tie line in an SCF group rings it; a tie line in no convertible action has no action lines.
    EXPECT_TRUE(externals.contains(xmlLines({"3<name>Line 3</name>", "3<type>TieLine</type>", "3<action>",
                                             "3</action>", "3<position>0.3</position>"})));
    EXPECT_TRUE(externals.contains(xmlLines({"3<groups>", "4<ring>Stop</ring>", "3</groups>"})));
    EXPECT_TRUE(externals.contains("<ext ID=\"3\">"));
    EXPECT_FALSE(externals.contains("<ext ID=\"4\">"));

    for (const char *unwritten : {"Unwired", "Block Six", "Beyond", "Off"})
        EXPECT_FALSE(out.contains(QByteArray("<name>") + unwritten + "</name>")) << unwritten;
}

TEST_F(RichConfiguration, GroupsCarryTheirTypeModeAndMembersWithDelaysRoundedToEvenSeconds)
{
    const QByteArray groups = section(convertToBytes(config), "\t<groups>", "\t</groups>");
    EXPECT_EQ(groups, xmlLines({
                          "1<groups>",
                          "2<group ID=\"0\">",
                          "3<updated>14:05 03/07/2024</updated>",
                          "3<name>Operators</name>",
                          "3<type>Hunt</type>",
                          "3<number/>",
                          "3<lead />",
                          "3<member delay=\"2\">200; 81 4400</member>",
                          "3<member delay=\"4\">201</member>",
                          "3<member delay=\"2\">202</member>",
                          "2</group>",
                          "2<group ID=\"1\">",
                          "3<updated>14:05 03/07/2024</updated>",
                          "3<name>Sales</name>",
                          "3<type>Ring</type>",
                          "3<number/>",
                          "3<lead  mode=\"continue\"/>",
                          "3<member mode=\"continue\" delay=\"2\">202</member>",
                          "3<member mode=\"continue\" delay=\"0\">200; 81 4400</member>",
                          "2</group>",
                          "2<group ID=\"2\">",
                          "3<updated>14:05 03/07/2024</updated>",
                          "3<name>Pickup A</name>",
                          "3<type>Pickup</type>",
                          "3<number/>",
                          "3<lead />",
                          "3<member delay=\"0\">200; 81 4400</member>",
                          "2</group>",
                          "2<group ID=\"3\">",
                          "3<updated>14:05 03/07/2024</updated>",
                          "3<name>Stop</name>",
                          "3<type>None</type>",
                          "3<number/>",
                          "3<lead  mode=\"stop\"/>",
                          "3<member mode=\"stop\" delay=\"1\">201</member>",
                          "2</group>",
                          "2<group ID=\"4\">",
                          "3<updated>14:05 03/07/2024</updated>",
                          "3<name>Group No4</name>",
                          "3<number/>",
                          "3<lead />",
                          "2</group>",
                          "1</groups>",
                      }));
}

TEST(Conversion, AMembersUsedFieldStoredAsOneTwoByteElementConvertsMembersNineToSixteen)
{
    ExchClass config;
    ConfigurationBuilder::Layout layout;
    layout.membersUsedSize = 2;
    layout.membersUsedItems = 0;
    ConfigurationBuilder(config, layout)
        .addNumber(0, "200", 0)
        .addNumber(1, "208", 8)
        .addNumber(2, "215", 15)
        .addGroup(0, "Wide", Hunt, {{0, 0, 4}, {8, 8, 8}, {15, 15, 12}});
    const QByteArray groups = section(convertToBytes(config), "\t<groups>", "\t</groups>");
    EXPECT_TRUE(groups.contains(xmlLines({"3<lead />", "3<member delay=\"1\">200</member>",
                                          "3<member delay=\"2\">208</member>", "3<member delay=\"3\">215</member>",
                                          "2</group>"})))
        << groups.toStdString();
}

TEST(Conversion, AClassAtRecordNineAppearsInTheUsersAllowedLineAndThePortsMemberList)
{
    ExchClass config;
    ConfigurationBuilder(config)
        .addClass(1, "Day")
        .addClass(9, "Late")
        .addUser({.record = 4, .name = "Night", .publicId = "1", .passCode = "2", .classes = {9}})
        .addPort({.record = 0, .name = "Desk", .acl = 4, .classes = {1, 9}})
        .bind(0, 0);
    const QByteArray out = convertToBytes(config);
    EXPECT_TRUE(out.contains("\t\t\t\t<allowed>Late</allowed>\r\n"));
    EXPECT_TRUE(out.contains("\t\t\t<class member=\"Day|Late\">\r\n"));
}

TEST(Conversion, ARightAtCodeThirtyThreeInOneSevenByteElementIsConverted)
{
    ExchClass config;
    ConfigurationBuilder::Layout layout;
    layout.rightsSize = 7;
    layout.rightsItems = 0;
    ConfigurationBuilder(config, layout)
        .addUser({.record = 4, .name = "Forwarder", .publicId = "1", .passCode = "2", .rights = {1, 33, 48}});
    EXPECT_TRUE(convertToBytes(config).contains(
        "\t\t\t\t<allowed>VRS 2|Set Remote Call Forwards|Inhibit Priority Intrude</allowed>\r\n"));
}

TEST(Conversion, PortUserAndGroupNamesAreCleanedInTheConfigurationAndTheFile)
{
    ExchClass config;
    ConfigurationBuilder(config)
        .addUser({.record = 4, .name = "A&B <1>, 2", .publicId = "1", .passCode = "2"})
        .addUser({.record = 5, .name = "Off & <away>", .publicId = "1", .passCode = "2", .enabled = false})
        .addPort({.record = 0, .name = "A&B <1>, 2", .acl = 4, .group = 0})
        .addGroup(0, "A&B <1>, 2", Hunt, {})
        .bind(0, 0);
    ConfigurationConverter converter(config, &conversionTime);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(converter.convert(buffer));
    EXPECT_TRUE(converter.namesChanged());

    const QByteArray cleaned = QByteArrayLiteral("A-B (1) 2");
    EXPECT_EQ(config.VirtualPorts().GetString("Name", 0), cleaned);
    EXPECT_EQ(config.ACL().GetString("Name", 4), cleaned);
    EXPECT_EQ(config.Groups().GetString("Name", 0), cleaned);
    EXPECT_EQ(config.ACL().GetString("Name", 5), QByteArray("Off & <away>"));
    const QByteArray out = buffer.data();
    EXPECT_EQ(out.count("<name>A-B (1) 2</name>"), 3);
    EXPECT_TRUE(out.contains("<rights user=\"A-B (1) 2\">"));
    EXPECT_TRUE(out.contains("<hunt>A-B (1) 2</hunt>"));
}

TEST(Conversion, ClassNamesAndTheSystemNameAreWrittenWithMarkupCharactersAsEntities)
{
    ExchClass config;
    ConfigurationBuilder(config)
        .systemName("Smith & Sons <HQ>")
        .addClass(0, "R&D <all>")
        .addClass(1, "Say \"hi\"")
        .addClass(2, "Two\r\nlines")
        .addUser({.record = 4, .name = "Quote \"me\"", .publicId = "1", .passCode = "2", .classes = {0, 1}})
        .addPort({.record = 0, .name = "Desk", .acl = 4, .classes = {0, 1}})
        .bind(0, 0);
    const QByteArray out = convertToBytes(config);
    EXPECT_TRUE(out.contains("<Name>Smith &amp; Sons &lt;HQ&gt;</Name>"));
    EXPECT_TRUE(out.contains("<name>R&amp;D &lt;all&gt;</name>"));
    EXPECT_TRUE(out.contains("<allowed>R&amp;D &lt;all&gt;|Say \"hi\"|Two&#13;&#10;lines|Not Used</allowed>"));
    EXPECT_EQ(out.count('\n'), out.count("\r\n"));
    EXPECT_TRUE(out.contains("<allowed>R&amp;D &lt;all&gt;|Say \"hi\"</allowed>"));
    EXPECT_TRUE(out.contains("<class member=\"R&amp;D &lt;all&gt;|Say &quot;hi&quot;\">"));
    EXPECT_TRUE(out.contains("<rights user=\"Quote &quot;me&quot;\">"));
    EXPECT_EQ(config.ClassList().GetString("Name", 0), QByteArray("R&D <all>"));
}

TEST(Conversion, NameBytesAboveAsciiAreWrittenAsTheyAre)
{
    ExchClass config;
    ConfigurationBuilder(config).systemName("Caf\xe9").addClass(0, "\xc4rzte\xff");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ConfigurationConverter(config, &conversionTime).convert(buffer));
    const QByteArray out = buffer.data();
    EXPECT_TRUE(out.contains("\t\t<Name>Caf\xe9</Name>\r\n"));
    EXPECT_TRUE(out.contains("\t\t\t<name>\xc4rzte\xff</name>\r\n"));
    EXPECT_FALSE(out.startsWith("\xef\xbb\xbf"));
}

TEST(Conversion, APortTheNewFormatCannotHoldStopsTheConversionBeforeAnythingChanges)
{
    struct Case
    {
        int type;
        int action;
        const char *reason;
    };
    const Case cases[] = {
        {Talkback, ActExtension, "the type \"Talkback\""},
        {7, ActExtension, "the type \"7\""},
        {Extension, WarmLine, "the action \"Warm Line\""},
        {TieLine, NightBell, "the action \"Night Bell\""},
    };
    for (const Case &c : cases) {
        ExchClass config;
        ConfigurationBuilder(config)
            .addPort({.record = 0, .name = "Fine & dandy", .acl = 4})
            .addPort({.record = 2, .name = "Odd", .type = Talkback, .enabled = false})
            .addPort({.record = 3, .name = "Bad", .type = c.type, .action = c.action})
            .addPort({.record = 4, .name = "Worse", .type = Talkback})
            .bind(0, 0);
        const QByteArray before = config.VirtualPorts().record(0);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ConfigurationConverter converter(config, &conversionTime);
        EXPECT_FALSE(converter.convert(buffer));
        EXPECT_EQ(converter.errorString(), QStringLiteral("Not able to convert configuration automatically\n"
                                                          "Virtual port 3 \"Bad\" has %1, which a K7101/K7202 "
                                                          "configuration cannot hold.")
                                               .arg(QLatin1String(c.reason)));
        EXPECT_TRUE(buffer.data().isEmpty());
        EXPECT_EQ(config.VirtualPorts().record(0), before);
        EXPECT_FALSE(converter.namesChanged());
    }
}

TEST(Conversion, MoreThanSixtyFourClassesAreRefusedAndSixtyFourAreAllWritten)
{
    ExchClass config;
    ConfigurationBuilder builder(config);
    for (int i = 0; i < ConfigurationConverter::ClassTableSize; ++i)
        builder.addClass(i, "Class " + QByteArray::number(i));
    const QByteArray out = convertToBytes(config);
    EXPECT_TRUE(out.contains("<class ID=\"64\">"));
    EXPECT_TRUE(out.contains("|Class 63|Not Used</allowed>"));

    builder.addClass(70, "One too many");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ConfigurationConverter converter(config, &conversionTime);
    EXPECT_FALSE(converter.convert(buffer));
    EXPECT_EQ(converter.errorString(), QStringLiteral("Not able to convert configuration automatically\n"
                                                      "The configuration has 65 classes; a K7101/K7202 "
                                                      "configuration holds at most 64."));
    EXPECT_TRUE(buffer.data().isEmpty());
}

TEST(Conversion, TheRightsTableHoldsSixteenKnownRightsInEntriesOneToSixteen)
{
    ExchClass config;
    ConfigurationConverter converter(config);
    converter.BuildRightsTable();
    const auto &table = converter.RightsTable();
    EXPECT_FALSE(table[0].used);
    EXPECT_EQ(table[1].name, QByteArray("VRS 1"));
    EXPECT_EQ(table[5].code, 4);
    EXPECT_EQ(table[5].name.count('|'), 10);
    EXPECT_EQ(table[16].name, QByteArray("Inhibit Priority Intrude"));
    EXPECT_EQ(table[16].code, 48);
    EXPECT_TRUE(table[16].used);
    EXPECT_FALSE(table[17].used);
}

TEST(ConversionFile, IsWrittenWholeOverAnExistingFileWithNothingElseLeftInItsFolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.VRS"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();

    ExchClass config;
    ConfigurationBuilder(config).systemName("Site");
    ConfigurationConverter converter(config, &conversionTime);
    ASSERT_TRUE(converter.ConvertFile(path)) << converter.errorString().toStdString();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), convertToBytes(config));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("site.VRS")});
}

TEST(ConversionFile, AFileThatCannotBeCreatedIsNamedInTheMessageAndLeavesNothingBehind)
{
    QTemporaryDir dir;
    ExchClass config;
    ConfigurationBuilder(config).addPort({.record = 0, .name = "A&B", .acl = 4}).bind(0, 0);

    const QString missingFolder = dir.filePath(QStringLiteral("no such folder/site.VRS"));
    ConfigurationConverter converter(config, &conversionTime);
    EXPECT_FALSE(converter.ConvertFile(missingFolder));
    EXPECT_TRUE(converter.errorString().startsWith(QStringLiteral("Not able to create the file ") + missingFolder))
        << converter.errorString().toStdString();
    EXPECT_EQ(config.VirtualPorts().GetString("Name", 0), QByteArray("A&B"));

    const QString folder = dir.filePath(QStringLiteral("taken.VRS"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.VRS")));
    EXPECT_FALSE(converter.ConvertFile(folder));
    EXPECT_TRUE(converter.errorString().contains(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(ConversionFile, ARefusedConversionLeavesAnExistingFileAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.VRS"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    ExchClass config;
    ConfigurationBuilder(config).addPort({.record = 0, .name = "Warm", .action = WarmLine});
    ConfigurationConverter converter(config, &conversionTime);
    EXPECT_FALSE(converter.ConvertFile(path));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("previous"));
}

TEST(Conversion, TheSampleSiteConvertsToWellFormedXml)
{
    ExchClass config;
    ConfigFile file;
    ASSERT_TRUE(file.load(config, QStringLiteral(QB_DATA_DIR "/sample.QBF")));
    const QByteArray out = convertToBytes(config);
    ASSERT_FALSE(out.isEmpty());
    EXPECT_TRUE(out.endsWith("</pabx>\r\n"));
    EXPECT_EQ(out.count("\r\n"), out.count('\n'));
}

namespace {
// A device that takes the first bytes and then reports the disk full.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 length) override
    {
        if (length > m_room) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        m_room -= length;
        return length;
    }

private:
    qint64 m_room;
};
} // namespace

TEST(ConversionFile, AWriteThatFailsPartWayIsReportedAsAFailure)
{
    ExchClass config;
    ConfigurationBuilder builder(config);
    for (int i = 0; i < ConfigurationBuilder::AclRecords; ++i)
        builder.addUser({.record = i, .name = "User " + QByteArray::number(i), .publicId = "1", .passCode = "2"});
    FullDevice device(100);
    device.open(QIODevice::WriteOnly);
    ConfigurationConverter converter(config, &conversionTime);
    EXPECT_FALSE(converter.convert(device));
    EXPECT_EQ(converter.errorString(), QStringLiteral("Not able to write the configuration: No space left on device"));
}
