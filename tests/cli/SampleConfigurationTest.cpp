#include "ConfigFile.h"
#include "ExchClass.h"
#include "FieldDef.h"
#include "SampleConfiguration.h"
#include "TestSupport.h"

#include <QFile>
#include <QSet>

namespace {
const QString SamplePath = QStringLiteral(QB_DATA_DIR "/sample.QBF");
constexpr int EnabledBit = 0;
constexpr int GroupBit = 1;
constexpr int PrefixBit = 1;
constexpr int PickupBit = 3;
constexpr int FreeBit = 7;
constexpr int Unbound = 255;
constexpr int PickupGroup = 4;
constexpr int GroupSlots = 16;
constexpr int BitsPerByte = 8;

const ExchClass::Member FlaggedMembers[] = {ExchClass::ClassListMember, ExchClass::ACLMember,
                                            ExchClass::VirtualPortsMember, ExchClass::GroupsMember,
                                            ExchClass::ExtToVirtualMember};

ExchClass loadSample()
{
    ExchClass config;
    ConfigFile file;
    EXPECT_TRUE(file.load(config, SamplePath)) << file.errorString().toStdString();
    return config;
}

bool isFree(const RecordClass &s, int rec)
{
    return s.GetBoolean("Flag", rec, FreeBit);
}

bool isTaken(const RecordClass &s, int rec)
{
    return rec >= 0 && rec < s.Records() && !isFree(s, rec);
}

bool isActive(const RecordClass &s, int rec)
{
    return isTaken(s, rec) && s.GetBoolean("Flag", rec, EnabledBit);
}

FieldDef fieldNamed(const RecordClass &s, const QByteArray &name)
{
    for (int i = 1; i <= s.Items(); ++i) {
        if (s.field(i).Name == name)
            return s.field(i);
    }
    return FieldDef();
}
} // namespace

TEST(SampleConfiguration, CommittedFileIsWhatTheGeneratorBuildsNow)
{
    DiagnosticRecorder diagnostics(DebugLog::shared());
    ExchClass first, second;
    SampleConfiguration::build(first);
    SampleConfiguration::build(second);
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.lastSource().toStdString() << ": "
                                     << diagnostics.lastMessage().toStdString();
    const QByteArray generated = ConfigFile::toBytes(first);
    EXPECT_TRUE(generated == ConfigFile::toBytes(second)) << "the generator is not deterministic";

    QFile committed(SamplePath);
    ASSERT_TRUE(committed.open(QIODevice::ReadOnly)) << SamplePath.toStdString();
    EXPECT_TRUE(committed.readAll() == generated)
        << "data/sample.QBF differs from what the generator builds; regenerate it with "
           "`qb-make-sample data/sample.QBF` (or build the update-sample target) and commit it";
}

TEST(SampleConfiguration, StructuresHoldWholeRecordsTextFieldsAreReadableAndRightsAreDistinctBits)
{
    ExchClass config = loadSample();
    for (int m = 0; m < ExchClass::MemberCount; ++m) {
        const RecordClass &s = config.member(m);
        SCOPED_TRACE(ExchClass::info(m).name);
        ASSERT_TRUE(s.hasLayout());
        if (m != ExchClass::RightsMember) {
            EXPECT_GT(s.Records(), 0);
        }
        for (int rec = 0; rec < s.Records(); ++rec)
            ASSERT_EQ(s.record(rec).size(), s.StructSize()) << "record " << rec;
        // The text and digit readers refuse a field with fewer than two bytes after it. Tones keeps the
        // program's own layout.
        for (int i = 1; m != ExchClass::TonesMember && i <= s.Items(); ++i) {
            const FieldDef f = s.field(i);
            if (f.Type == FieldType::String || f.Type == FieldType::Digit || f.Type == FieldType::IntegerOrDigit) {
                EXPECT_LT(f.StartPosn + f.byteLength(), s.StructSize()) << f.Name.constData();
            }
        }
    }

    const RecordClass &rights = config.Rights();
    EXPECT_EQ(rights.Records(), 0);
    EXPECT_GE(rights.Items(), 20);
    QSet<int> positions;
    const int rightBits = fieldNamed(config.ACL(), "Rights").byteLength() * BitsPerByte;
    for (int i = 1; i <= rights.Items(); ++i) {
        const QByteArray name = rights.ItemsNames(i);
        EXPECT_EQ(rights.GetType(name), FieldType::Boolean) << name.constData();
        const int position = rights.GetItems(name);
        EXPECT_TRUE(position >= 0 && position < rightBits && !positions.contains(position)) << name.constData();
        positions.insert(position);
    }
}

TEST(SampleConfiguration, UsedMapsMarkExactlyTheSlotsInUseAndUnusedRecordsAreBlank)
{
    ExchClass config = loadSample();
    for (ExchClass::Member m : FlaggedMembers) {
        const RecordClass &s = config.member(m);
        SCOPED_TRACE(ExchClass::info(m).name);
        EXPECT_EQ(s.usedMap().size(), (s.Records() + 7) / 8);
        int free = 0;
        for (int rec = 0; rec < s.Records(); ++rec) {
            EXPECT_EQ(s.GetRecordUsed(rec), !isFree(s, rec)) << "record " << rec;
            if (!s.GetRecordUsed(rec)) {
                EXPECT_EQ(s.record(rec), QByteArray(s.StructSize(), char(0xFF))) << "record " << rec;
                ++free;
            }
        }
        EXPECT_GT(free, 0);
    }
    for (int rec = 0; rec < config.Tones().Records(); ++rec)
        EXPECT_TRUE(config.Tones().GetRecordUsed(rec) && !isFree(config.Tones(), rec));
    // The exchange sends no used map for these two.
    EXPECT_TRUE(config.System().usedMap().isEmpty());
    EXPECT_TRUE(config.PortToVirtual().usedMap().isEmpty());
}

TEST(SampleConfiguration, EveryReferencePointsAtAnActiveRecordOfTheRightKind)
{
    ExchClass config = loadSample();
    const RecordClass &ports = config.VirtualPorts();
    const RecordClass &groups = config.Groups();
    for (int v = 0; v < ports.Records(); ++v) {
        if (!isActive(ports, v))
            continue;
        SCOPED_TRACE(ports.GetString("Name", v).constData());
        EXPECT_TRUE(isActive(config.ACL(), ports.GetInteger("ACLID", v)));
        const int group = ports.GetInteger("GroupID", v);
        if (ports.GetBoolean("Flag", v, GroupBit)) {
            EXPECT_TRUE(isActive(groups, group) && groups.GetInteger("GroupType", group) != PickupGroup);
        }
        const int pickup = ports.GetInteger("PickupID", v);
        if (ports.GetBoolean("Flag", v, PickupBit)) {
            EXPECT_TRUE(isActive(groups, pickup) && groups.GetInteger("GroupType", pickup) == PickupGroup);
        }
        // The XML conversion refuses anything beyond these.
        EXPECT_LE(ports.GetInteger("Type", v), 2);
        EXPECT_LE(ports.GetInteger("ActionType", v), 6);
        EXPECT_NE(ports.GetInteger("ActionType", v), 3);
    }
    for (int g = 0; g < groups.Records(); ++g) {
        for (int m = 0; m < GroupSlots && !isFree(groups, g); ++m) {
            if (groups.GetBit("MembersUsed", g, m)) {
                EXPECT_TRUE(isTaken(ports, groups.GetInteger("GroupMembers", g, m))) << "group " << g << " member " << m;
            }
        }
    }
    for (int n = 0; n < config.ExtToVirtual().Records(); ++n) {
        if (!isFree(config.ExtToVirtual(), n)) {
            EXPECT_TRUE(isTaken(ports, config.ExtToVirtual().GetInteger("VirtualPortNo", n))) << "number " << n;
        }
    }
    for (int p = 0; p < config.PortToVirtual().Records(); ++p) {
        const int v = config.PortToVirtual().GetInteger("VIRTPORT", p);
        EXPECT_TRUE(v == Unbound || isTaken(ports, v)) << "physical port " << p;
    }
    for (int c = 0; c < config.ClassList().Records(); ++c) {
        if (!isFree(config.ClassList(), c)) {
            EXPECT_EQ(config.ClassList().GetInteger("ClassCodePosn", c), c);
        }
    }
}

TEST(SampleConfiguration, CoversWideGroupsPrefixedNumbersAndEveryConvertibleKind)
{
    ExchClass config = loadSample();
    const RecordClass &groups = config.Groups();
    bool memberPastEight = false;
    QSet<int> groupTypes;
    for (int g = 0; g < groups.Records(); ++g) {
        if (!isActive(groups, g))
            continue;
        groupTypes.insert(groups.GetInteger("GroupType", g));
        for (int m = BitsPerByte; m < GroupSlots; ++m)
            memberPastEight = memberPastEight || groups.GetBit("MembersUsed", g, m);
    }
    EXPECT_TRUE(memberPastEight);
    EXPECT_EQ(groupTypes, (QSet<int>{0, 1, 3, 4}));

    QSet<int> portTypes;
    bool disabledPort = false;
    for (int v = 0; v < config.VirtualPorts().Records(); ++v) {
        if (isActive(config.VirtualPorts(), v))
            portTypes.insert(config.VirtualPorts().GetInteger("Type", v));
        disabledPort = disabledPort || (isTaken(config.VirtualPorts(), v) && !isActive(config.VirtualPorts(), v));
    }
    EXPECT_EQ(portTypes, (QSet<int>{0, 1, 2}));
    EXPECT_TRUE(disabledPort);

    const RecordClass &numbers = config.ExtToVirtual();
    QList<QByteArray> active;
    bool prefixed = false;
    for (int n = 0; n < numbers.Records(); ++n) {
        if (!isActive(numbers, n))
            continue;
        const bool hasPrefix = numbers.GetBoolean("Flag", n, PrefixBit);
        const QByteArray number = numbers.GetDigit("ExtNumberA", n);
        const QByteArray prefix = hasPrefix ? numbers.GetDigit("ExtNumberB", n) : QByteArray();
        if (hasPrefix) {
            prefixed = true;
            EXPECT_FALSE(prefix.isEmpty());
            EXPECT_EQ(number.size(), 4);
        }
        active.append(prefix + number);
    }
    EXPECT_TRUE(prefixed);
    // No active number may be the start of another, or the exchange could never dial the longer one.
    for (qsizetype i = 0; i < active.size(); ++i) {
        for (qsizetype j = 0; j < active.size(); ++j)
            EXPECT_TRUE(i == j || !active[j].startsWith(active[i])) << active[i].constData() << " / " << active[j].constData();
    }
}
