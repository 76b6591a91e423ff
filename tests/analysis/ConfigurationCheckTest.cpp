#include "analysis/ConfigurationCheck.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"
#include "simulator/sample/SampleConfiguration.h"
#include "support/TestSupport.h"

#include <QStringList>

#include <functional>

namespace {
using Edit = std::function<void(ExchClass &)>;

constexpr int HasPrefixBit = 1;
constexpr int InGroupBit = 1;
constexpr int InPickupBit = 3;
constexpr int NoPinEntryBit = 2;

// One problem as a line that names everything the check says about it.
QStringList described(const QList<ConfigurationProblem> &problems)
{
    QStringList lines;
    for (const ConfigurationProblem &p : problems)
        lines.append(QStringLiteral("%1 %2 %3 %4 %5 | %6")
                         .arg(p.severityText(), p.rule, p.memberName())
                         .arg(p.record)
                         .arg(p.field, p.text()));
    return lines;
}

QStringList check(const ExchClass &config)
{
    return described(ConfigurationCheck(config).problems());
}

void setFlag(RecordClass &structure, int rec, int bit, bool value)
{
    structure.SetBoolean(FieldNames::Flag, rec, bit, value);
}

QStringList lines(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result.append(QString::fromUtf8(text));
    return result;
}

struct RuleCase
{
    const char *what;
    Edit fault;
    Edit fix;
    QStringList expected;
};

// Records of the sample site that the cases lean on: numbers 2 "201", 3 "202",
// 4 "203" (virtual port 3) and 26 "230" (port 30); virtual port 23, ACL 12,
// group 6 and class 4 are free; physical port 80 is bound to virtual port 30.
const QList<RuleCase> RuleCases = {
    {"a number dialled twice", [](ExchClass &c) { c.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 4, "201"); },
     [](ExchClass &c) { setFlag(c.ExtToVirtual(), 4, RecordSlots::EnabledBit, false); },
     lines({"error dialled-number-duplicate ExtToVirtual 4 ExtNumberA | Ext To Virtual 4 (201): "
            "201 is also the number of Ext To Virtual 2 (201)"})},
    {"a prefixed number that another number begins",
     [](ExchClass &c) {
         c.ExtToVirtual().SetDigit(FieldNames::ExtNumberB, 4, "20");
         c.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 4, "2111");
         setFlag(c.ExtToVirtual(), 4, HasPrefixBit, true);
     },
     [](ExchClass &c) { c.ExtToVirtual().SetDigit(FieldNames::ExtNumberB, 4, "81"); },
     lines({"error dialled-number-clash ExtToVirtual 4 ExtNumberA | Ext To Virtual 4 (202111): "
            "202111 can never be dialled: its first 3 digits already dial Ext To Virtual 3 (202)"})},
    {"a number longer than the extension length",
     [](ExchClass &c) { c.ExtToVirtual().SetDigit(FieldNames::ExtNumberA, 4, "2030"); },
     [](ExchClass &c) { c.System().SetInteger(FieldNames::ExtLength, 0, 4); },
     lines({"error number-too-long ExtToVirtual 4 ExtNumberA | Ext To Virtual 4 (2030): "
            "2030 has 4 digits, more than the system's extension number length of 3"})},
    {"a virtual port freed while a physical port and a number still lead to it",
     [](ExchClass &c) { RecordSlots::release(c.VirtualPorts(), 30); },
     [](ExchClass &c) { RecordSlots::takeIntoUse(c.VirtualPorts(), 30); },
     lines({"error physical-port-free PortToVirtual 80 VIRTPORT | Port To Virtual 80 (Board Aux; Port 1): "
            "it is bound to Virtual Ports 30, which is free",
            "error dialled-number-free-port ExtToVirtual 26 VirtualPortNo | Ext To Virtual 26 (230): "
            "it rings Virtual Ports 30, which is free"})},
    {"a physical port bound past the last virtual port",
     [](ExchClass &c) { c.PortToVirtual().SetInteger(FieldNames::VirtPort, 33, 50); },
     [](ExchClass &c) { c.PortToVirtual().SetInteger(FieldNames::VirtPort, 33, 255); },
     lines({"error physical-port-free PortToVirtual 33 VIRTPORT | Port To Virtual 33 (Board 3; Port 2): "
            "it is bound to Virtual Ports 50, which does not exist: Virtual Ports has 40 records"})},
    {"a default ACL that is free", [](ExchClass &c) { c.VirtualPorts().SetInteger(FieldNames::ACLID, 3, 12); },
     [](ExchClass &c) { c.VirtualPorts().SetInteger(FieldNames::ACLID, 3, 13); },
     lines({"error port-acl-free VirtualPorts 3 ACLID | Virtual Ports 3 (Accounts 1): "
            "its default ACL is ACL 12, which is free"})},
    {"a group that is free, until the port leaves it",
     [](ExchClass &c) { c.VirtualPorts().SetInteger(FieldNames::GroupID, 2, 6); },
     [](ExchClass &c) { setFlag(c.VirtualPorts(), 2, InGroupBit, false); },
     lines({"error port-group-free VirtualPorts 2 GroupID | Virtual Ports 2 (Manager): "
            "it is a member of Groups 6, which is free"})},
    {"a pickup group past the last group, until the port leaves it",
     [](ExchClass &c) { c.VirtualPorts().SetInteger(FieldNames::PickupID, 0, 20); },
     [](ExchClass &c) { setFlag(c.VirtualPorts(), 0, InPickupBit, false); },
     lines({"error port-pickup-free VirtualPorts 0 PickupID | Virtual Ports 0 (Reception): "
            "its pickup group is Groups 20, which does not exist: Groups has 20 records"})},
    {"a group member that is a free virtual port, until its slot is unticked",
     [](ExchClass &c) { c.Groups().SetInteger(FieldNames::GroupMembers, 2, 23, 1); },
     [](ExchClass &c) { c.Groups().SetBoolean(FieldNames::MembersUsed, 2, 1, false); },
     lines({"error group-member-free Groups 2 GroupMembers | Groups 2 (Accounts): "
            "member 2 is Virtual Ports 23, which is free"})},
    {"class bits of a virtual port that no class holds",
     [](ExchClass &c) {
         c.VirtualPorts().SetBoolean(FieldNames::ClassCode, 5, 4, true);
         c.VirtualPorts().SetBoolean(FieldNames::ClassCode, 5, 12, true);
     },
     [](ExchClass &c) {
         c.VirtualPorts().SetBoolean(FieldNames::ClassCode, 5, 4, false);
         c.VirtualPorts().SetBoolean(FieldNames::ClassCode, 5, 12, false);
     },
     lines({"warning class-bit-unassigned VirtualPorts 5 ClassCode | Virtual Ports 5 (Sales 1): "
            "class bits 4, 12 are set, but no class in use has those positions"})},
    {"a class bit of an ACL that a new class then takes",
     [](ExchClass &c) { c.ACL().SetBoolean(FieldNames::SetAccess, 6, 4, true); },
     [](ExchClass &c) {
         RecordSlots::takeIntoUse(c.ClassList(), 4);
         c.ClassList().SetInteger(FieldNames::ClassCodePosn, 4, 4);
     },
     lines({"warning class-bit-unassigned ACL 6 SetAccess | ACL 6 (Staff): "
            "class bit 4 is set, but no class in use has that position"})},
    {"two classes on one bit position",
     [](ExchClass &c) {
         RecordSlots::takeIntoUse(c.ClassList(), 4);
         c.ClassList().SetString(FieldNames::Name, 4, "Drivers");
         c.ClassList().SetInteger(FieldNames::ClassCodePosn, 4, 2);
     },
     [](ExchClass &c) { c.ClassList().SetInteger(FieldNames::ClassCodePosn, 4, 4); },
     lines({"error class-position-shared ClassList 4 ClassCodePosn | Class List 4 (Drivers): "
            "its bit position 2 is also that of Class List 2 (Sales)"})},
    {"a PIN longer than the PIN length, until the ACL asks for none",
     [](ExchClass &c) { c.ACL().SetDigit(FieldNames::PublicID, 4, "10041"); },
     [](ExchClass &c) { setFlag(c.ACL(), 4, NoPinEntryBit, true); },
     lines({"error pin-too-long ACL 4 PublicID | ACL 4 (Reception): "
            "the PIN has 5 digits, more than the system's PIN length of 4"})},
    {"a pass code longer than the pass code length",
     [](ExchClass &c) { c.ACL().SetDigit(FieldNames::PassCode, 5, "73051"); },
     [](ExchClass &c) { c.System().SetInteger(FieldNames::PassCodeLen, 0, 5); },
     lines({"error pass-code-too-long ACL 5 PassCode | ACL 5 (Manager): "
            "the pass code has 5 digits, more than the system's pass code length of 4"})},
    {"a PIN given twice, until one ACL is disabled",
     [](ExchClass &c) { c.ACL().SetDigit(FieldNames::PublicID, 6, "1005"); },
     [](ExchClass &c) { setFlag(c.ACL(), 5, RecordSlots::EnabledBit, false); },
     lines({"error pin-duplicate ACL 6 PublicID | ACL 6 (Staff): its PIN is also that of ACL 5 (Manager)"})},
    {"a name given twice, until one record is freed",
     [](ExchClass &c) { c.Groups().SetString(FieldNames::Name, 7, "SALES"); },
     [](ExchClass &c) { RecordSlots::release(c.Groups(), 7); },
     lines({"warning name-duplicate Groups 7 Name | Groups 7 (SALES): "
            "the name \"SALES\" is also that of Groups 1 (Sales)"})},
};
} // namespace

TEST(ConfigurationCheck, EachRuleFindsItsFaultAndNothingOnceTheFaultIsMended)
{
    DebugLog log;
    ExchClass sample(&log);
    SampleConfiguration::build(sample);
    DiagnosticRecorder diagnostics(log);
    ASSERT_EQ(check(sample), QStringList());

    for (const RuleCase &c : RuleCases) {
        SCOPED_TRACE(c.what);
        ExchClass config = sample;
        c.fault(config);
        const QList<ConfigurationProblem> problems = ConfigurationCheck(config).problems();
        EXPECT_EQ(described(problems), c.expected);
        const bool errors = c.expected.first().startsWith(QStringLiteral("error"));
        EXPECT_EQ(ConfigurationCheck::hasErrors(problems), errors);
        c.fix(config);
        EXPECT_EQ(check(config), QStringList());
    }
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.lastMessage().toStdString();
}

// A file may lack tables, and a damaged one may hold records shorter than its
// layout: neither is a problem of the configuration, nor worth a diagnostic.
TEST(ConfigurationCheck, PassesOverMissingTablesAndShortRecordsQuietly)
{
    DebugLog log;
    DiagnosticRecorder diagnostics(log);
    ExchClass config(&log);
    RecordClass &numbers = config.ExtToVirtual();
    numbers.BuildStructure(definitionPacket(2, "EXT2VIRT", 4,
                                            {{"ExtNumberA", FieldType::Digit, 2, 0},
                                             {"ExtNumberB", FieldType::Digit, 2, 0},
                                             {"VirtualPortNo", FieldType::Integer, 1, 0},
                                             {"Flag", FieldType::Boolean, 1, 0}}));
    const QList<std::pair<QByteArray, int>> stored = {{"21", 7}, {"212", 9}, {"", 0}};
    for (int i = 0; i < int(stored.size()); ++i) {
        numbers.PutBlank(i);
        numbers.ClearAllBoolean(FieldNames::Flag, i);
        setFlag(numbers, i, RecordSlots::EnabledBit, true);
        numbers.SetDigit(FieldNames::ExtNumberA, i, stored[i].first);
        numbers.SetInteger(FieldNames::VirtualPortNo, i, stored[i].second);
    }
    numbers.PutData(replyPacket(13, 3, bytes("12")));

    EXPECT_EQ(check(config),
              lines({"error dialled-number-clash ExtToVirtual 1 ExtNumberA | Ext To Virtual 1 (212): "
                     "212 can never be dialled: its first 2 digits already dial Ext To Virtual 0 (21)"}));
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.lastMessage().toStdString();
}
