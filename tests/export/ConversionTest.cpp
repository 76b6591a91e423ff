#include "export/ConfigurationConverter.h"
#include "export/ExportTestSupport.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QFileInfo>

namespace {
using namespace FieldNames;
enum Action { WarmLine = 3, Intercom = 4, NightBell = 8 };

// The sample site with what it lacks for a conversion that sees every kind:
// an intercom extension, a public-address output in intercom, a tie line
// that rings an SCF group and an unnamed auto-conference group.
class Conversion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SampleConfiguration::build(config);
        RecordClass &ports = config.VirtualPorts();
        ports.SetInteger(ActionType, 22, Intercom);
        ports.SetInteger(ActionType, 28, Intercom);
        ports.SetInteger(ActionType, 25, 0);
        ports.SetInteger(GroupID, 25, 5);
        ports.SetBoolean(Flag, 25, 1, true);
        RecordClass &groups = config.Groups();
        RecordSlots::takeIntoUse(groups, 6);
        groups.SetString(Name, 6, QByteArray());
        groups.SetBoolean(Flag, 6, RecordSlots::EnabledBit, true);
        groups.SetInteger(GroupType, 6, 2);
        groups.SetInteger(GroupNumbers, 6, 0);
        for (int k = 0; k < groups.GetItems(MembersUsed); ++k)
            groups.ClearAllBoolean(MembersUsed, 6, k);
    }

    // The refusal of a conversion: its message, with nothing written.
    QString refusal()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ConfigurationConverter converter(config, &conversionTime);
        EXPECT_FALSE(converter.convert(buffer));
        EXPECT_TRUE(buffer.data().isEmpty());
        EXPECT_FALSE(converter.namesChanged());
        return converter.errorString();
    }

    ExchClass config;
};
} // namespace

TEST_F(Conversion, TheSiteGivesItsExpectedFile)
{
    expectGolden(convertToBytes(config), "conversion-site.xml");
    EXPECT_EQ(ConfigurationConverter::UpdateStamp(QDateTime(QDate(987, 12, 31), QTime(0, 0))),
              QByteArrayLiteral("<updated>00:00 31/12/0987</updated>"));
}

TEST_F(Conversion, ASiteWithNoRecordInUseGivesTheHeadClassZeroTheSpecialUsersAndEmptySections)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        for (int i = 0; i < config.member(m).Records(); ++i)
            config.member(m).PutBlank(i);
    }
    config.System().SetString(Name, 0, "Site");
    expectGolden(convertToBytes(config), "conversion-empty.xml");
}

TEST_F(Conversion, ABitSetStoredAsOneElementOfManyBytesConvertsAsManyElementsOfOneByte)
{
    const std::pair<ExchClass::Member, QByteArray> fields[] = {{ExchClass::ACLMember, Rights},
                                                               {ExchClass::ACLMember, ClassAccess},
                                                               {ExchClass::VirtualPortsMember, ClassCode},
                                                               {ExchClass::GroupsMember, MembersUsed}};
    for (const auto &[member, name] : fields) {
        SCOPED_TRACE(name.constData());
        ExchClass wide = config;
        RecordClass &s = wide.member(member);
        const FieldDef f = s.field(s.fieldIndex(name));
        s.setField(s.fieldIndex(name), name, 0, f.Items, f.StartPosn, FieldType::Boolean);
        expectGolden(convertToBytes(wide), "conversion-site.xml");
    }
}

TEST_F(Conversion, PortUserAndGroupNamesAreCleanedInTheConfigurationAndTheFile)
{
    const QByteArray unclean = QByteArrayLiteral("A&B <1>, 2");
    config.VirtualPorts().SetString(Name, 0, unclean);
    config.ACL().SetString(Name, 4, unclean);
    config.ACL().SetString(Name, 13, "Off & <away>");
    config.Groups().SetString(Name, 0, unclean);
    ConfigurationConverter converter(config, &conversionTime);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(converter.convert(buffer));
    EXPECT_TRUE(converter.namesChanged());

    const QByteArray cleaned = QByteArrayLiteral("A-B (1) 2");
    EXPECT_EQ(config.VirtualPorts().GetString(Name, 0), cleaned);
    EXPECT_EQ(config.ACL().GetString(Name, 4), cleaned);
    EXPECT_EQ(config.Groups().GetString(Name, 0), cleaned);
    EXPECT_EQ(config.ACL().GetString(Name, 13), QByteArray("Off & <away>"));
    const QByteArray out = buffer.data();
    EXPECT_EQ(out.count("<name>A-B (1) 2</name>"), 3);
    EXPECT_TRUE(out.contains("<rights user=\"A-B (1) 2\">"));
    EXPECT_TRUE(out.contains("<hunt>A-B (1) 2</hunt>"));
    EXPECT_FALSE(out.contains("away"));
}

TEST_F(Conversion, ClassAndSystemNamesKeepTheirBytesWithMarkupCharactersAsEntities)
{
    config.System().SetString(Name, 0, "Smith & Sons <HQ> Caf\xe9");
    config.ClassList().SetString(Name, 0, "R&D <all>");
    config.ClassList().SetString(Name, 1, "Say \"hi\"");
    config.ClassList().SetString(Name, 2, "Two\r\nlines");
    config.ClassList().SetString(Name, 3, "\xc4rzte\xff");
    config.ACL().SetString(Name, 6, "Quote \"me\"");
    // Not UTF-8: xmllint would refuse what the exchange reads.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ConfigurationConverter(config, &conversionTime).convert(buffer));
    const QByteArray out = buffer.data();
    EXPECT_TRUE(out.contains("\t\t<Name>Smith &amp; Sons &lt;HQ&gt; Caf\xe9</Name>\r\n"));
    EXPECT_TRUE(out.contains("\t\t\t<name>R&amp;D &lt;all&gt;</name>\r\n"));
    EXPECT_TRUE(out.contains("\t\t\t<name>\xc4rzte\xff</name>\r\n"));
    EXPECT_TRUE(out.contains("<allowed>R&amp;D &lt;all&gt;|Say \"hi\"|Two&#13;&#10;lines|\xc4rzte\xff|"));
    EXPECT_TRUE(out.contains("<class member=\"R&amp;D &lt;all&gt;|Say &quot;hi&quot;\">"));
    EXPECT_TRUE(out.contains("<rights user=\"Quote &quot;me&quot;\">"));
    EXPECT_EQ(config.ClassList().GetString(Name, 0), QByteArray("R&D <all>"));
}

TEST_F(Conversion, APortTheNewFormatCannotHoldStopsTheConversionBeforeAnythingChanges)
{
    config.VirtualPorts().SetString(Name, 0, "Fine & dandy");
    const QByteArray before = config.VirtualPorts().record(0);
    const std::tuple<int, int, const char *> ports[] = {
        {4, 0, "the type \"Talkback\""},
        {7, 0, "the type \"7\""},
        {0, WarmLine, "the action \"Warm Line\""},
        {1, NightBell, "the action \"Night Bell\""},
    };
    for (const auto &[type, action, reason] : ports) {
        config.VirtualPorts().SetInteger(Type, 3, type);
        config.VirtualPorts().SetInteger(ActionType, 3, action);
        EXPECT_EQ(refusal(),
                  QStringLiteral("Not able to convert configuration automatically\nVirtual port 3 "
                                 "\"Accounts 1\" has %1, which a K7101/K7202 configuration cannot hold.")
                      .arg(QLatin1String(reason)));
        EXPECT_EQ(config.VirtualPorts().record(0), before);
    }
}

TEST_F(Conversion, SixtyFourClassesAreAllWrittenAndASixtyFifthIsRefused)
{
    RecordClass &classes = config.ClassList();
    for (int i = 0; i < 65; ++i) {
        classes.PutBlank(i);
        RecordSlots::takeIntoUse(classes, i);
        classes.SetString(Name, i, "Class " + QByteArray::number(i));
        classes.SetInteger(ClassCodePosn, i, i);
    }
    RecordSlots::release(classes, 64);
    const QByteArray out = convertToBytes(config);
    EXPECT_TRUE(out.contains("<class ID=\"64\">"));
    EXPECT_TRUE(out.contains("|Class 63|Not Used</allowed>"));
    RecordSlots::takeIntoUse(classes, 64);
    EXPECT_EQ(refusal(),
              QStringLiteral("Not able to convert configuration automatically\nThe configuration has 65 "
                             "classes; a K7101/K7202 configuration holds at most 64."));
}

TEST_F(Conversion, TheFileIsWrittenWholeOverAnExistingOneAndAFailureLeavesTheFolderAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("site.VRS"));
    ASSERT_TRUE(writeFile(path, QByteArray(100000, 'x')));
    ConfigurationConverter converter(config, &conversionTime);
    ASSERT_TRUE(converter.ConvertFile(path)) << converter.errorString().toStdString();
    expectGolden(fileContent(path), "conversion-site.xml");
    const QStringList onlyTheFile{QStringLiteral("site.VRS")};
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), onlyTheFile);

    config.VirtualPorts().SetString(Name, 0, "A&B");
    const QString missingFolder = dir.filePath(QStringLiteral("no such folder/site.VRS"));
    EXPECT_FALSE(converter.ConvertFile(missingFolder));
    EXPECT_TRUE(converter.errorString().startsWith(QStringLiteral("Not able to create the file ") + missingFolder))
        << converter.errorString().toStdString();
    EXPECT_EQ(config.VirtualPorts().GetString(Name, 0), QByteArray("A&B"));
    const QString folder = dir.filePath(QStringLiteral("taken.VRS"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.VRS")));
    EXPECT_FALSE(converter.ConvertFile(folder));
    EXPECT_TRUE(converter.errorString().contains(folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    config.VirtualPorts().SetInteger(ActionType, 0, WarmLine);
    EXPECT_FALSE(converter.ConvertFile(path));
    expectGolden(fileContent(path), "conversion-site.xml");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), onlyTheFile);

    QFile full(QStringLiteral("/dev/full"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    config.VirtualPorts().SetInteger(ActionType, 0, 0);
    EXPECT_FALSE(converter.convert(full));
    EXPECT_EQ(converter.errorString(), QStringLiteral("Not able to write the configuration: No space left on device"));
}
