#include "export/ConfigurationReport.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

namespace {
// The report as text: each section's title, then its columns and rows with cells between bars.
QByteArray text(const ReportContent &content)
{
    QString out = content.heading + QLatin1Char('\n');
    for (const ReportSection &section : content.sections) {
        out += QStringLiteral("\n== ") + section.title + QStringLiteral("\n| ")
            + section.columns.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
        for (const QStringList &row : section.rows)
            out += QStringLiteral("| ") + row.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
    }
    return out.toUtf8();
}

class ConfigurationReportTest : public ::testing::Test
{
protected:
    void SetUp() override { SampleConfiguration::build(config); }

    ReportContent build(bool showCodes = false, bool includeTones = false) const
    {
        return ConfigurationReport::build(config, {QStringLiteral("/sites/kestrel.QBF"), showCodes, includeTones});
    }

    ExchClass config;
};
} // namespace

// Codes masked; free slots (ACL 12, group 6) left out, disabled records (ACL 13) listed; bit sets read over every
// byte: member 12 of "Sales" is bit 3 of the second byte of MembersUsed, "Guests" the first bit of the second byte
// of the class access, rights from the fifth and seventh bytes and a set bit no right is named for; physical ports
// named by board and terminal; 255 means no port.
TEST_F(ConfigurationReportTest, TheSampleGivesItsExpectedReport)
{
    config.ACL().SetBoolean(FieldNames::Rights, 11, 63, true);
    for (int p : {37, 84, 98, 100, 101})
        config.PortToVirtual().SetInteger(FieldNames::VirtPort, p, 31);
    expectGolden(text(build()), "report-site.txt");
}

TEST_F(ConfigurationReportTest, ShowingCodesChangesOnlyThePinsAndPassCodesAndTonesComeOnlyWhenAskedFor)
{
    const QList<QByteArray> masked = text(build()).split('\n');
    const QList<QByteArray> shown = text(build(true)).split('\n');
    ASSERT_EQ(masked.size(), shown.size());
    QList<QByteArray> changed;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (masked[i] != shown[i])
            changed.append(shown[i]);
    }
    EXPECT_EQ(changed.first(), QByteArray("| 0 | Default | Yes | 1000 | 0000 | 0 | 0 |  |"));
    EXPECT_EQ(changed.size(), 13);

    EXPECT_FALSE(text(build()).contains("== Tones"));
    EXPECT_TRUE(text(build(false, true)).contains("\n== Tones\n"));
    EXPECT_TRUE(text(build(false, true)).contains("665 0.25 s; 665 0.25 s silent; 860 0.25 s; 665 4.25 s silent; End"));
}

TEST(ConfigurationReport, NamesTheDocumentWithoutASystemNameAndGivesEmptySectionsWithoutTables)
{
    ExchClass empty;
    DiagnosticRecorder diagnostics(DebugLog::shared());
    const ReportContent content = ConfigurationReport::build(empty, {QStringLiteral("Document 2"), false, true});
    EXPECT_EQ(content.heading, QStringLiteral("Configuration for Document 2"));
    ASSERT_EQ(content.sections.size(), 10);
    for (const ReportSection &section : content.sections)
        EXPECT_TRUE(section.rows.isEmpty()) << section.title.toStdString();
    EXPECT_TRUE(diagnostics.empty());
}
