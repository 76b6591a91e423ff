#include "simulator/sample/SampleConfiguration.h"
#include "model/ConfigFile.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "support/TestSupport.h"

#include <QSet>

namespace {
using namespace FieldNames;

bool taken(const RecordClass &s, int rec)
{
    return rec >= 0 && rec < s.Records() && !RecordSlots::isFree(s, rec);
}

class SampleConfigurationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(ConfigFile().load(config, samplePath())); }

    ExchClass config;
};
} // namespace

TEST_F(SampleConfigurationTest, TheCommittedFileIsWhatTheGeneratorBuildsNow)
{
    DiagnosticRecorder diagnostics(DebugLog::shared());
    ExchClass first;
    ExchClass second;
    SampleConfiguration::build(first);
    SampleConfiguration::build(second);
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.lastSource().toStdString() << ": "
                                     << diagnostics.lastMessage().toStdString();
    EXPECT_TRUE(ConfigFile::toBytes(first) == ConfigFile::toBytes(second)) << "the generator is not deterministic";
    EXPECT_TRUE(fileContent(samplePath()) == ConfigFile::toBytes(first))
        << "data/sample.QBF differs from what the generator builds; regenerate it with "
           "`qb-make-sample data/sample.QBF` (or build the update-sample target), refresh the expected outputs "
           "under tests/data with `QB_UPDATE_GOLDEN=1 ctest`, review and commit them";
}

TEST_F(SampleConfigurationTest, RecordsAreWholeTextFieldsReadableUsedMapsExactAndRightsDistinctBits)
{
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        const RecordClass &s = config.member(m);
        SCOPED_TRACE(ExchClass::info(m).name);
        ASSERT_TRUE(s.hasLayout());
        EXPECT_TRUE(s.Records() > 0 || m == ExchClass::RightsMember);
        for (int rec = 0; rec < s.Records(); ++rec)
            ASSERT_EQ(s.record(rec).size(), s.StructSize()) << "record " << rec;
        // The text and digit readers refuse a field with fewer than two bytes after it; Tones keeps the
        // program's own layout.
        for (int i = 1; m != ExchClass::TonesMember && i <= s.Items(); ++i) {
            const FieldDef f = s.field(i);
            if (f.Type == FieldType::String || f.Type == FieldType::Digit || f.Type == FieldType::IntegerOrDigit) {
                EXPECT_LT(f.StartPosn + f.byteLength(), s.StructSize()) << f.Name.constData();
            }
        }
        // The exchange sends no used map for the system and the physical ports.
        if (m == ExchClass::SystemMember || m == ExchClass::PortToVirtualMember || m == ExchClass::RightsMember) {
            EXPECT_TRUE(s.usedMap().isEmpty());
            continue;
        }
        EXPECT_EQ(s.usedMap().size(), (s.Records() + 7) / 8);
        for (int rec = 0; rec < s.Records(); ++rec) {
            EXPECT_EQ(s.GetRecordUsed(rec), !RecordSlots::isFree(s, rec)) << "record " << rec;
            if (!s.GetRecordUsed(rec)) {
                EXPECT_EQ(s.record(rec), QByteArray(s.StructSize(), char(0xFF))) << "record " << rec;
            }
        }
    }

    const RecordClass &rights = config.Rights();
    EXPECT_GE(rights.Items(), 20);
    QSet<int> positions;
    const int rightBits = config.ACL().BitCount(Rights);
    for (int i = 1; i <= rights.Items(); ++i) {
        const QByteArray name = rights.ItemsNames(i);
        EXPECT_EQ(rights.GetType(name), FieldType::Boolean) << name.constData();
        const int position = rights.GetItems(name);
        EXPECT_TRUE(position >= 0 && position < rightBits && !positions.contains(position)) << name.constData();
        positions.insert(position);
    }
}

TEST_F(SampleConfigurationTest, EveryReferencePointsAtARecordInUseOfTheRightKind)
{
    constexpr int PickupGroup = 4;
    const RecordClass &ports = config.VirtualPorts();
    const RecordClass &groups = config.Groups();
    for (int v = 0; v < ports.Records(); ++v) {
        if (!RecordSlots::isInUseAndEnabled(ports, v))
            continue;
        SCOPED_TRACE(ports.GetString(Name, v).constData());
        EXPECT_TRUE(RecordSlots::isInUseAndEnabled(config.ACL(), ports.GetInteger(ACLID, v)));
        for (const auto &[bit, field] : {std::pair(1, GroupID), std::pair(3, PickupID)}) {
            const int group = ports.GetInteger(field, v);
            if (ports.GetBoolean(Flag, v, bit)) {
                EXPECT_TRUE(RecordSlots::isInUseAndEnabled(groups, group));
                EXPECT_EQ(groups.GetInteger(GroupType, group) == PickupGroup, bit == 3);
            }
        }
        // The XML conversion refuses anything beyond these.
        EXPECT_LE(ports.GetInteger(Type, v), 2);
        EXPECT_LE(ports.GetInteger(ActionType, v), 6);
        EXPECT_NE(ports.GetInteger(ActionType, v), 3);
    }
    for (int g = 0; g < groups.Records(); ++g) {
        for (int m = 0; m < 16 && taken(groups, g); ++m) {
            if (groups.GetBit(MembersUsed, g, m)) {
                EXPECT_TRUE(taken(ports, groups.GetInteger(GroupMembers, g, m))) << "group " << g << " member " << m;
            }
        }
    }
    for (int n = 0; n < config.ExtToVirtual().Records(); ++n) {
        if (taken(config.ExtToVirtual(), n)) {
            EXPECT_TRUE(taken(ports, config.ExtToVirtual().GetInteger(VirtualPortNo, n))) << "number " << n;
        }
    }
    for (int p = 0; p < config.PortToVirtual().Records(); ++p) {
        const int v = config.PortToVirtual().GetInteger(VirtPort, p);
        EXPECT_TRUE(v == 255 || taken(ports, v)) << "physical port " << p;
    }
    for (int c = 0; c < config.ClassList().Records(); ++c) {
        if (taken(config.ClassList(), c)) {
            EXPECT_EQ(config.ClassList().GetInteger(ClassCodePosn, c), c);
        }
    }
}
