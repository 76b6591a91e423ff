#include "analysis/ConfigurationComparison.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <functional>

namespace {
QString changeText(const ConfigurationChange &change)
{
    QString what;
    if (change.kind == ConfigurationChange::Kind::Field)
        what = change.field + QLatin1Char(' ');
    else if (change.kind == ConfigurationChange::Kind::Record)
        what = QStringLiteral("bytes ");
    return change.recordLabel + QStringLiteral(": ") + what + change.oldText() + QStringLiteral(" -> ")
        + change.newText();
}

QStringList describe(const ConfigurationComparison &comparison)
{
    QStringList lines;
    for (const LayoutChange &change : comparison.layoutChanges()) {
        lines.append(QLatin1String(ExchClass::info(change.member).name) + QStringLiteral(" layout ") + change.item
                     + QStringLiteral(": ") + change.oldText + QStringLiteral(" -> ") + change.newText);
    }
    for (const ConfigurationChange &change : comparison.changes())
        lines.append(changeText(change));
    return lines;
}

struct ComparisonCase
{
    const char *name;
    std::function<void(ExchClass &)> edit;
    QStringList expected;
};
} // namespace

TEST(ConfigurationComparison, ReportsEachKindOfChangeThroughTheLayoutsFieldNames)
{
    const ComparisonCase cases[] = {
        {"identical", [](ExchClass &) {}, {}},
        {"integer and bit set",
         [](ExchClass &c) {
             c.VirtualPorts().SetInteger("RXGain", 0, 5);
             c.VirtualPorts().SetBoolean("ClassCode", 0, 9, true);
         },
         {QStringLiteral("Virtual Ports 0 (Reception): RXGain 3 -> 5"),
          QStringLiteral("Virtual Ports 0 (Reception): ClassCode 03 00 00 00 00 00 00 00 (bits 0, 1) -> "
                         "03 02 00 00 00 00 00 00 (bits 0, 1, 9)")}},
        {"bytes after a text's end",
         [](ExchClass &c) {
             RecordClass &acl = c.ACL();
             QByteArray image = acl.record(2);
             // Past "Dist 1" and the NUL that ends it.
             image[acl.field(acl.fieldIndex("Name")).StartPosn - 1 + 7] = 'X';
             acl.PutData(replyPacket(acl.RequestCode(), 2, image));
         },
         {QStringLiteral("ACL 2 (Dist 1): Name raw 44 69 73 74 20 31 00 00 00 00 00 00 00 00 00 00 -> "
                         "raw 44 69 73 74 20 31 00 58 00 00 00 00 00 00 00 00")}},
        {"used map only",
         [](ExchClass &c) { c.VirtualPorts().SetRecordUsed(1, false); },
         {QStringLiteral("Virtual Ports 1 (Reception 2): used -> used but not marked in the used map")}},
        {"taken into use by its flag alone",
         [](ExchClass &c) { c.Groups().SetBoolean("Flag", 6, RecordSlots::FreeBit, false); },
         {QStringLiteral("Groups 6 (") + QString(16, QChar(0xFF))
          + QStringLiteral("): free -> used but not marked in the used map")}},
        {"bytes no field holds",
         [](ExchClass &c) {
             RecordClass &tones = c.Tones();
             QByteArray image = tones.record(1);
             image[image.size() - 2] = '\x5A';
             tones.PutData(replyPacket(tones.RequestCode(), 1, image));
         },
         {QStringLiteral("Tones 1 (ENGAGED): bytes FF FF 55 55 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02 02 FF "
                         "00 00 00 00 00 00 00 00 00 00 00 00 00 0D 1F 00 00 00 00 00 00 00 00 00 00 00 00 00 00 45 "
                         "4E 47 41 47 45 44 00 00 FF FF FF FF FF -> FF FF 55 55 00 00 00 00 00 00 00 00 00 00 00 00 "
                         "00 00 02 02 FF 00 00 00 00 00 00 00 00 00 00 00 00 00 0D 1F 00 00 00 00 00 00 00 00 00 00 "
                         "00 00 00 00 45 4E 47 41 47 45 44 00 00 FF FF FF 5A FF")}},
        {"record added",
         [](ExchClass &c) { c.ClassList().PutBlank(12); },
         {QStringLiteral("Class List 12: absent -> free")}},
        {"layout",
         [](ExchClass &c) {
             c.ClassList().SetString("Name", 1, "Mgmt");
             c.ClassList().setField(2, "Flags", 0, 1, 17, 3);
         },
         {QStringLiteral("ClassList layout field \"Flag\": type 3, size 1, items 0, start 17 -> absent"),
          QStringLiteral("ClassList layout field \"Flags\": absent -> type 3, size 1, items 0, start 17"),
          QStringLiteral("Class List 1 (Management): bytes "
                         "4D 61 6E 61 67 65 6D 65 6E 74 00 00 00 00 00 00 01 01 -> "
                         "4D 67 6D 74 00 00 00 00 00 00 00 00 00 00 00 00 01 01")}},
    };

    ExchClass original;
    SampleConfiguration::build(original);
    for (const ComparisonCase &c : cases) {
        ExchClass changed;
        SampleConfiguration::build(changed);
        c.edit(changed);
        const ConfigurationComparison comparison(original, changed);
        EXPECT_EQ(describe(comparison), c.expected) << c.name;
        EXPECT_EQ(comparison.identical(), c.expected.isEmpty()) << c.name;
    }
}

TEST(ConfigurationComparison, NamesEachChangedStructureOnceInMemberOrder)
{
    ExchClass original;
    SampleConfiguration::build(original);
    ExchClass changed;
    SampleConfiguration::build(changed);
    changed.ExtToVirtual().SetDigit("ExtNumberA", 1, "201");
    changed.ACL().SetString("Name", 2, "Changed Name");
    changed.ACL().SetString("Name", 4, "Front Desk");
    changed.Tones().setField(4, "Label", 8, 1, 51, 4);

    const QList<int> expected = {ExchClass::ACLMember, ExchClass::ExtToVirtualMember, ExchClass::TonesMember};
    EXPECT_EQ(ConfigurationComparison(original, changed).changedMembers(), expected);
}
