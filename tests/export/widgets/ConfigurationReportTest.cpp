#include "ConfigurationReport.h"

#include "ExchClass.h"
#include "FieldNames.h"
#include "RecordSlots.h"
#include "SampleConfiguration.h"
#include "TestSupport.h"

namespace {
using namespace FieldNames;
using Report = ConfigurationReport;

class ConfigurationReportTest : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    ReportContent build(bool showCodes = false, bool includeTones = false) const
    {
        return Report::build(config, {QStringLiteral("/sites/kestrel.QBF"), showCodes, includeTones});
    }

    // The row whose first cell is key.
    static QStringList row(const ReportContent &content, const QString &title, const QString &key)
    {
        const ReportSection *section = content.section(title);
        EXPECT_NE(section, nullptr) << title.toStdString();
        if (!section)
            return {};
        for (const QStringList &cells : section->rows) {
            if (cells.value(0) == key)
                return cells;
        }
        return {};
    }

    static QString cell(const ReportContent &content, const QString &title, const QString &key, const QString &column)
    {
        const ReportSection *section = content.section(title);
        const qsizetype c = section ? section->columns.indexOf(column) : -1;
        EXPECT_GE(c, 0) << column.toStdString();
        return row(content, title, key).value(c);
    }

    ExchClass config;
};

TEST_F(ConfigurationReportTest, HeadingNamesTheSystemOrElseTheDocument)
{
    EXPECT_EQ(build().heading, QStringLiteral("Configuration for Kestrel Marine Offices"));
    EXPECT_EQ(build().runningText, QStringLiteral("Quillbridge " QB_VERSION));

    config.System().SetString(Name, 0, QByteArray());
    EXPECT_EQ(build().heading, QStringLiteral("Configuration for /sites/kestrel.QBF"));
}

TEST_F(ConfigurationReportTest, MasksPinsAndPassCodesUnlessAskedToShowThem)
{
    const ReportContent masked = build();
    EXPECT_EQ(cell(masked, Report::AclTitle, QStringLiteral("1"), QStringLiteral("Public ID")), Report::MaskedCode);
    EXPECT_EQ(cell(masked, Report::AclTitle, QStringLiteral("1"), QStringLiteral("Pass Code")), Report::MaskedCode);
    for (const ReportSection &section : masked.sections) {
        for (const QStringList &cells : section.rows) {
            EXPECT_FALSE(cells.contains(QStringLiteral("7214")));
            EXPECT_FALSE(cells.contains(QStringLiteral("5947")));
        }
    }

    const ReportContent shown = build(true);
    EXPECT_EQ(cell(shown, Report::AclTitle, QStringLiteral("1"), QStringLiteral("Public ID")), QStringLiteral("7214"));
    EXPECT_EQ(cell(shown, Report::AclTitle, QStringLiteral("1"), QStringLiteral("Pass Code")), QStringLiteral("5947"));
    // "Lobby" has no pass code: there is nothing to mask.
    EXPECT_EQ(cell(masked, Report::AclTitle, QStringLiteral("9"), QStringLiteral("Pass Code")), QString());
}

TEST_F(ConfigurationReportTest, BitSetsAreReadOverEveryByte)
{
    const ReportContent content = build();
    // Member 12 of "Sales" is bit 3 of the second byte of MembersUsed; member 10 is unticked.
    const QString members = cell(content, Report::GroupsTitle, QStringLiteral("1"),
                                 QStringLiteral("Members (Virtual Port, Time Before)"));
    EXPECT_TRUE(members.endsWith(QStringLiteral("11: 15 - Sales 11 (4 s); 12: 16 - Sales 12 (10 s)")))
        << members.toStdString();
    EXPECT_FALSE(members.contains(QStringLiteral("10: ")));

    // "Guests" sits at class position 8, the first bit of the second byte.
    EXPECT_TRUE(cell(content, Report::AclAccessTitle, QStringLiteral("1"), QStringLiteral("Class Access"))
                    .endsWith(QStringLiteral("Paging, Guests")));
    // Rights from the fifth and seventh bytes, and a set bit no right is named for.
    config.ACL().SetBoolean(Rights, 11, 63, true);
    EXPECT_EQ(cell(build(), Report::AclAccessTitle, QStringLiteral("11"), QStringLiteral("Rights")),
              QStringLiteral("Engineering Mode, Outside Line, Long Distance, International, Intercom, "
                             "Test Extension, Call Log, Bit 63"));
}

TEST_F(ConfigurationReportTest, VirtualPortsListTheirNumbersPhysicalPortsAndLinks)
{
    const ReportContent content = build();
    EXPECT_EQ(row(content, Report::VirtualPortsTitle, QStringLiteral("0")),
              QStringList({QStringLiteral("0"), QStringLiteral("Reception"), QStringLiteral("Yes"),
                           QStringLiteral("Extension"), QStringLiteral("0; 200; 81 4400"),
                           QStringLiteral("Ext 1 - Port 1"), QStringLiteral("4 - Reception"),
                           QStringLiteral("0 - Operators"), QStringLiteral("3 - Office Pickup")}));
    EXPECT_EQ(cell(content, Report::VirtualPortsTitle, QStringLiteral("28"), QStringLiteral("Physical Ports")),
              QStringLiteral("PA - Port 1"));
    EXPECT_EQ(cell(content, Report::VirtualPortSettingsTitle, QStringLiteral("20"), QStringLiteral("Action")),
              QStringLiteral("Hot Line 200"));
    EXPECT_EQ(cell(content, Report::VirtualPortSettingsTitle, QStringLiteral("26"), QStringLiteral("Action")),
              QStringLiteral("DISA 210"));
    EXPECT_EQ(cell(content, Report::VirtualPortSettingsTitle, QStringLiteral("21"), QStringLiteral("Options")),
              QStringLiteral("Non Emergency, No Terminator"));
    EXPECT_EQ(cell(content, Report::DialledNumbersTitle, QStringLiteral("814421"), QStringLiteral("Virtual Port")),
              QStringLiteral("21 - Fax"));
}

TEST_F(ConfigurationReportTest, PhysicalPortsAreNamedByBoardAndTerminal)
{
    RecordClass &ports = config.PortToVirtual();
    for (int p : {37, 84, 98, 100, 101})
        ports.SetInteger(VirtPort, p, 31);
    const ReportContent content = build();
    const struct
    {
        const char *position;
        const char *terminal;
    } expected[] = {{"Board 3; Port 6", "Ext 22"}, {"Board Aux; Port 5", "Aux 5"}, {"Board Tie; Port 3", "Tie 3"},
                    {"Board Tie; Port 5", "PA 1"}, {"Board Tie; Port 6", "PA 2"}};
    for (const auto &port : expected) {
        EXPECT_EQ(cell(content, Report::PhysicalPortsTitle, QLatin1String(port.position), QStringLiteral("Term Name")),
                  QLatin1String(port.terminal));
    }
    EXPECT_EQ(cell(content, Report::VirtualPortsTitle, QStringLiteral("31"), QStringLiteral("Physical Ports")),
              QStringLiteral("Ext 3 - Port 6; Aux - Port 5; Tie - Port 3; PA - Port 1; PA - Port 2"));
    // Port 255 means no port: position 9 of the first board is not listed.
    EXPECT_TRUE(row(content, Report::PhysicalPortsTitle, QStringLiteral("Board 1; Port 9")).isEmpty());
}

TEST_F(ConfigurationReportTest, FreeSlotsAreLeftOutAndTonesComeOnlyWhenAskedFor)
{
    const ReportContent content = build();
    EXPECT_TRUE(row(content, Report::AclTitle, QStringLiteral("12")).isEmpty());
    EXPECT_EQ(row(content, Report::AclTitle, QStringLiteral("13")).value(2), QStringLiteral("No"));
    EXPECT_TRUE(row(content, Report::GroupsTitle, QStringLiteral("6")).isEmpty());
    EXPECT_EQ(content.section(Report::TonesTitle), nullptr);

    const ReportContent withTones = build(false, true);
    ASSERT_NE(withTones.section(Report::TonesTitle), nullptr);
    EXPECT_EQ(cell(withTones, Report::TonesTitle, QStringLiteral("3"), QStringLiteral("Steps (Frequency, Length)")),
              QStringLiteral("665 0.25 s; 665 0.25 s silent; 860 0.25 s; 665 4.25 s silent; End"));
}

TEST_F(ConfigurationReportTest, AConfigurationWithoutTablesGivesEmptySectionsAndNoDiagnostics)
{
    ExchClass empty;
    DiagnosticRecorder diagnostics(DebugLog::shared());
    const ReportContent content = Report::build(empty, {QStringLiteral("Document 2"), false, true});
    EXPECT_EQ(content.heading, QStringLiteral("Configuration for Document 2"));
    ASSERT_EQ(content.sections.size(), 10);
    for (const ReportSection &section : content.sections)
        EXPECT_TRUE(section.rows.isEmpty()) << section.title.toStdString();
    EXPECT_TRUE(diagnostics.empty());
}

} // namespace
