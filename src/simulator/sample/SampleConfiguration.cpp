#include "simulator/sample/SampleConfiguration.h"

#include "link/PacketCode.h"
#include "link/ReplyPacket.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "simulator/sample/StructureDefinition.h"

#include <QList>

#include <initializer_list>

namespace {
using Bits = std::initializer_list<int>;

constexpr int FlagEnabled = 0;
constexpr int FlagInGroup = 1;
constexpr int FlagInPickup = 3;
constexpr int FlagHasPrefix = 1;
constexpr int NoGroup = -1;
constexpr int Unbound = 255;

// Layout sizes; every text and digit field is followed by at least two bytes,
// because the text and digit readers refuse a field that reaches the record's
// second-to-last byte.
constexpr int NameLength = 16;
constexpr int SystemNameLength = 24;
constexpr int BitSetBytes = 8;
constexpr int DigitBytes = 3;
constexpr int NumberBytes = 2;
constexpr int ActionExtras = 2;
constexpr int GroupSlots = 16;
constexpr int MembersUsedBytes = 2;
constexpr int FrequencyCount = 8;
constexpr int ReservedBytes = 4;

constexpr int ClassRecords = 12;
constexpr int AclRecords = 24;
constexpr int PortRecords = 40;
constexpr int GroupRecords = 20;
constexpr int NumberRecords = 48;
constexpr int Boards = 7;
constexpr int PortsPerBoard = 16;

// Extension ports are at 0 dB; tie lines a little quieter; the PA amplifier
// gets the loudest transmit step. Values are gain-list indices (3 - k dB).
constexpr int ExtensionGain = 3;
constexpr int TieLineGain = 5;
constexpr int PublicAddressTxGain = 0;
constexpr int ConferenceGain = 6;

enum PortType { Extension = 0, TieLine = 1, PublicAddress = 2 };
enum Action { ActExtension = 0, HotLine = 2, WarmLine = 3, TieIncoming = 5, Disa = 6 };
enum GroupType { Hunt = 0, Mcf = 1, Scf = 3, Pickup = 4 };

struct Right
{
    const char *name;
    int position;
};

// Short names: the definition packet carries 16 characters per field name.
const Right Rights[] = {
    {"VRS 1", 0},
    {"VRS 2", 1},
    {"Distributor 1", 2},
    {"Distributor 2", 3},
    {"Engineering Mode", 4},
    {"Outside Line", 5},
    {"Long Distance", 6},
    {"International", 7},
    {"Intercom", 8},
    {"Operator", 9},
    {"Paging", 10},
    {"Night Service", 11},
    {"Do Not Disturb", 12},
    {"Park", 13},
    {"Pickup", 14},
    {"Conference", 15},
    {"Transfer call", 16},
    {"Priority Intrude", 17},
    {"Call Waiting", 18},
    {"Hold", 19},
    {"Redial", 20},
    {"Speed Dial", 21},
    {"Set Alarm", 32},
    {"Set Remote CF", 33},
    {"Set Call Fwd", 34},
    {"Set Advance CF", 35},
    {"Pickup Ringing", 36},
    {"Set Call back", 37},
    {"Change own PIN", 38},
    {"Test Extension", 39},
    {"Call Log", 40},
    {"Set Night Mode", 41},
    {"Inhibit Intrude", 48},
};

struct ClassEntry
{
    int record; // also the class's bit position
    const char *name;
    bool enabled;
};

const ClassEntry Classes[] = {
    {0, "General", true},  {1, "Management", true}, {2, "Sales", true},
    {3, "Accounts", true}, {5, "Warehouse", true},  {6, "Tie Lines", true},
    {7, "Paging", true},   {8, "Guests", true},     {9, "Old Class", false},
};

constexpr Bits AllClasses = {0, 1, 2, 3, 5, 6, 7, 8};

struct AclEntry
{
    int record;
    const char *name;
    const char *publicId;
    const char *passCode;
    int priority;
    int ringType;
    Bits flags; // 1 no display, 2 no PIN entry, 3 no change allowed, 4 check set access
    Bits rights;
    Bits classAccess;
    Bits setAccess;
};

const AclEntry Acls[] = {
    {0, "Default", "1000", "0000", 0, 0, {FlagEnabled}, {}, {0}, {}},
    {1,
     "VRS",
     "7214",
     "5947",
     9,
     3,
     {FlagEnabled, 1},
     {0, 1, 2, 3, 4, 16, 17, 32, 33, 34, 35, 36, 37, 38, 39},
     AllClasses,
     AllClasses},
    {2,
     "Dist 1",
     "6083",
     "9471",
     9,
     0,
     {FlagEnabled, 1},
     {2, 4, 16, 17, 32, 33, 34, 35, 36, 37, 38, 39},
     AllClasses,
     AllClasses},
    {3,
     "Dist 2",
     "0629",
     "8350",
     9,
     0,
     {FlagEnabled, 1},
     {3, 4, 16, 17, 32, 33, 34, 35, 36, 37, 38, 39},
     AllClasses,
     AllClasses},
    {4,
     "Reception",
     "1004",
     "4821",
     5,
     1,
     {FlagEnabled},
     {5, 6, 7, 8, 9, 10, 13, 14, 15, 16, 34, 36, 38},
     AllClasses,
     {}},
    {5,
     "Manager",
     "1005",
     "7305",
     7,
     2,
     {FlagEnabled, 4},
     {5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 33, 34, 35, 36, 37, 38},
     AllClasses,
     {0, 2, 3, 5}},
    {6, "Staff", "1006", "2468", 3, 0, {FlagEnabled}, {5, 6, 8, 14, 15, 16, 34, 36, 38}, {0, 2, 3, 5, 6}, {}},
    {7, "Warehouse", "1007", "1357", 2, 0, {FlagEnabled}, {5, 8, 14, 16}, {0, 5}, {}},
    {8, "Guest", "1008", "8080", 1, 0, {FlagEnabled}, {8, 9}, {0}, {}},
    {9, "Lobby", "1009", "", 1, 3, {FlagEnabled, 2}, {8, 9}, {0}, {}},
    {10, "Night Service", "1010", "9090", 4, 1, {FlagEnabled}, {5, 6, 11, 16}, {0, 6}, {}},
    {11, "Engineer", "1011", "3141", 9, 0, {FlagEnabled, 1, 3}, {4, 5, 6, 7, 8, 39, 40}, AllClasses, AllClasses},
    {13, "Temp Staff", "1013", "1111", 3, 0, {}, {5, 8}, {0}, {}},
};

struct PortEntry
{
    int record;
    const char *name;
    PortType type;
    int acl;
    int group;
    int pickup;
    Action action;
    int extra;               // hot and warm lines: the extension they ring
    const char *extraDigits; // tie incoming and DISA: the digits they dial
    Bits options;
    Bits classes;
    bool enabled;
};

const PortEntry Ports[] = {
    {0, "Reception", Extension, 4, 0, 3, ActExtension, 0, "", {4}, {0, 1}, true},
    {1, "Reception 2", Extension, 4, 0, 3, ActExtension, 0, "", {4}, {0, 1}, true},
    {2, "Manager", Extension, 5, 8, NoGroup, ActExtension, 0, "", {}, {0, 1}, true},
    {3, "Accounts 1", Extension, 6, 2, 3, ActExtension, 0, "", {}, {0, 3}, true},
    {4, "Accounts 2", Extension, 6, 2, 3, ActExtension, 0, "", {}, {0, 3}, true},
    {5, "Sales 1", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {6, "Sales 2", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {7, "Sales 3", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {8, "Sales 4", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {9, "Sales 5", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {10, "Sales 6", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {11, "Sales 7", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {12, "Sales 8", Extension, 6, 1, 3, ActExtension, 0, "", {}, {0, 2}, true},
    {13, "Sales 9", Extension, 6, 1, NoGroup, ActExtension, 0, "", {}, {0, 2}, true},
    {14, "Sales 10", Extension, 6, NoGroup, NoGroup, ActExtension, 0, "", {}, {0, 2}, true},
    {15, "Sales 11", Extension, 6, 1, NoGroup, ActExtension, 0, "", {}, {0, 2}, true},
    {16, "Sales 12", Extension, 6, 1, NoGroup, ActExtension, 0, "", {}, {0, 2}, true},
    {17, "Warehouse", Extension, 7, 5, 4, ActExtension, 0, "", {}, {0, 5}, true},
    {18, "Loading Bay", Extension, 7, NoGroup, 4, ActExtension, 0, "", {7}, {5}, true},
    {19, "Yard Office", Extension, 7, 5, 4, ActExtension, 0, "", {}, {5}, true},
    {20, "Lift Phone", Extension, 9, NoGroup, NoGroup, HotLine, 200, "", {0}, {0}, true},
    {21, "Fax", Extension, 6, NoGroup, NoGroup, ActExtension, 0, "", {1, 5}, {0}, true},
    {22, "Board Room", Extension, 8, NoGroup, NoGroup, ActExtension, 0, "", {}, {8}, true},
    {24, "Tie Line 1", TieLine, 4, NoGroup, NoGroup, TieIncoming, 0, "200", {}, {6}, true},
    {25, "Tie Line 2", TieLine, 4, NoGroup, NoGroup, TieIncoming, 0, "200", {}, {6}, true},
    {26, "Tie Line 3", TieLine, 10, NoGroup, NoGroup, Disa, 0, "210", {2}, {6}, true},
    {27, "Tie Line 4", TieLine, 4, NoGroup, NoGroup, TieIncoming, 0, "200", {}, {6}, false},
    {28, "PA System", PublicAddress, 4, NoGroup, NoGroup, ActExtension, 0, "", {3}, {7}, true},
    {29, "Door Phone", Extension, 9, NoGroup, NoGroup, WarmLine, 200, "", {}, {0}, false},
    {30, "Aux Line", Extension, 4, NoGroup, NoGroup, ActExtension, 0, "", {}, {0}, true},
    {31, "Spare Ext", Extension, 6, NoGroup, NoGroup, ActExtension, 0, "", {}, {0}, true},
};

struct Member
{
    int port; // NoGroup leaves the slot unticked
    int quarterSeconds;
};

struct GroupEntry
{
    int record;
    const char *name;
    GroupType type;
    Bits flags; // 1 linked
    std::initializer_list<Member> members;
};

const GroupEntry Groups[] = {
    {0, "Operators", Hunt, {FlagEnabled}, {{0, 20}, {1, 20}}},
    {1,
     "Sales",
     Hunt,
     {FlagEnabled},
     {{5, 16},
      {6, 16},
      {7, 16},
      {8, 16},
      {9, 16},
      {10, 16},
      {11, 16},
      {12, 16},
      {13, 16},
      {NoGroup, 0},
      {15, 16},
      {16, 40}}},
    {2, "Accounts", Mcf, {FlagEnabled}, {{3, 24}, {4, 24}}},
    {3,
     "Office Pickup",
     Pickup,
     {FlagEnabled},
     {{0, 8}, {1, 8}, {3, 8}, {4, 8}, {5, 8}, {6, 8}, {7, 8}, {8, 8}, {9, 8}, {10, 8}, {11, 8}, {12, 8}}},
    {4, "Yard Pickup", Pickup, {FlagEnabled}, {{17, 8}, {18, 8}, {19, 8}}},
    {5, "Yard", Scf, {FlagEnabled}, {{17, 40}, {19, 40}}},
    {7, "Old Sales", Hunt, {}, {{5, 16}, {6, 16}}},
    {8, "Night", Mcf, {FlagEnabled, 1}, {{2, 32}, {0, 32}}},
};

struct NumberEntry
{
    int record;
    const char *prefix;
    const char *number;
    int port;
    bool enabled;
};

const NumberEntry Numbers[] = {
    {0, "", "0", 0, true},       {1, "", "200", 0, true},     {2, "", "201", 1, true},      {3, "", "202", 2, true},
    {4, "", "203", 3, true},     {5, "", "204", 4, true},     {7, "", "205", 5, true},      {8, "", "206", 6, true},
    {9, "", "207", 7, true},     {10, "", "208", 8, true},    {11, "", "209", 9, true},     {12, "", "210", 10, true},
    {13, "", "211", 11, true},   {14, "", "212", 12, true},   {15, "", "213", 13, true},    {16, "", "214", 14, true},
    {17, "", "215", 15, true},   {18, "", "216", 16, true},   {19, "", "217", 17, true},    {20, "", "218", 18, true},
    {21, "", "219", 19, true},   {22, "", "220", 20, true},   {23, "", "221", 21, true},    {24, "", "222", 22, true},
    {25, "", "229", 29, false},  {26, "", "230", 30, true},   {27, "", "231", 31, true},    {28, "", "250", 28, true},
    {29, "81", "4400", 0, true}, {30, "81", "4402", 2, true}, {31, "81", "4421", 21, true},
};

struct Binding
{
    int firstPort;
    std::initializer_list<int> virtualPorts;
};

// Extension boards carry eight ports in their block of sixteen; the tie-line
// board has four tie lines and then the PA outputs.
const Binding Bindings[] = {
    {0, {0, 1, 2, 3, 4, 5, 6, 7}},
    {16, {8, 9, 10, 11, 12, 13, 14, 15}},
    {32, {16, 17, 18, 19, 20, 21, 22, 29}},
    {80, {30}},
    {96, {24, 25, 26, 27, 28}},
};

const QByteArray SiteName = QByteArrayLiteral("Kestrel Marine Offices");
constexpr int ExtensionLength = 3;
constexpr int PassCodeLength = 4;
constexpr int PublicIdLength = 4;
constexpr int Frequencies[FrequencyCount] = {350, 440, 480, 620, 400, 425, 665, 860};
constexpr Bits CallLogTypes = {0, 1, 2, 3};

int definitionId(ExchClass::Member member)
{
    return ExchClass::info(member).definitionId;
}

void define(ExchClass &config, ExchClass::Member member, const StructureDefinition &definition)
{
    config.member(member).BuildStructure(definition.packet());
}

void defineLayouts(ExchClass &config)
{
    using namespace FieldType;
    using E = ExchClass;
    define(config, E::ClassListMember,
           StructureDefinition(definitionId(E::ClassListMember), "CLASSLIST", ClassRecords)
               .field("Name", String, 1, NameLength)
               .field("Flag", Boolean, 1)
               .field("ClassCodePosn", Integer, 1));
    define(config, E::ACLMember,
           StructureDefinition(definitionId(E::ACLMember), "ACL", AclRecords)
               .field("Name", String, 1, NameLength)
               .field("Flag", Boolean, 1)
               .field("PublicID", Digit, DigitBytes)
               .field("PassCode", Digit, DigitBytes)
               .field("PriorityLevel", Integer, 1)
               .field("RingType", Integer, 1)
               .field("Rights", Boolean, 1, BitSetBytes)
               .field("ClassAccess", Boolean, 1, BitSetBytes)
               .field("SetAccess", Boolean, 1, BitSetBytes));
    define(config, E::VirtualPortsMember,
           StructureDefinition(definitionId(E::VirtualPortsMember), "VIRTPORTS", PortRecords)
               .field("Name", String, 1, NameLength)
               .field("Flag", Boolean, 1)
               .field("Type", Integer, 1)
               .field("ACLID", Integer, 1)
               .field("GroupID", Integer, 1)
               .field("PickupID", Integer, 1)
               .field("RXGain", Integer, 1)
               .field("TXGain", Integer, 1)
               .field("ActionType", Integer, 1)
               .field("ActionExtra", IntegerOrDigit, 2, ActionExtras)
               .field("ActionFlag", Boolean, 1)
               .field("ClassCode", Boolean, 1, BitSetBytes));
    define(config, E::SystemMember,
           StructureDefinition(definitionId(E::SystemMember), "SYSTEM", 1)
               .field("Name", String, 1, SystemNameLength)
               .field("ExtLength", Integer, 1)
               .field("PassCodeLen", Integer, 1)
               .field("PublicIDLen", Integer, 1)
               .field("Freqs", Integer, 2, FrequencyCount)
               .field("ConferenceGain", Integer, 1)
               .field("CallLogFlag", Boolean, 1)
               .field("NULL", ReadOnlyInteger, 1, ReservedBytes));
    define(config, E::GroupsMember,
           StructureDefinition(definitionId(E::GroupsMember), "GROUPS", GroupRecords)
               .field("Name", String, 1, NameLength)
               .field("Flag", Boolean, 1)
               .field("GroupType", Integer, 1)
               .field("GroupNumbers", Integer, 1)
               .field("TimeToNext", Integer, 2, GroupSlots)
               .field("GroupMembers", Integer, 1, GroupSlots)
               .field("MembersUsed", Boolean, 1, MembersUsedBytes));

    // The rights structure only names the rights: each field's count is its
    // bit position in an ACL's Rights, and it holds no bytes and no records.
    StructureDefinition rights(definitionId(E::RightsMember), "RIGHTS", 0);
    for (const Right &right : Rights)
        rights.field(right.name, Boolean, 0, right.position);
    define(config, E::RightsMember, rights);

    define(config, E::PortToVirtualMember,
           StructureDefinition(definitionId(E::PortToVirtualMember), "PORT2VIRT", Boards * PortsPerBoard)
               .field("VIRTPORT", Integer, 1));
    define(config, E::ExtToVirtualMember,
           StructureDefinition(definitionId(E::ExtToVirtualMember), "EXT2VIRT", NumberRecords)
               .field("ExtNumberA", Digit, NumberBytes)
               .field("ExtNumberB", Digit, NumberBytes)
               .field("VirtualPortNo", Integer, 1)
               .field("Flag", Boolean, 1));
}

void blankAll(RecordClass &s)
{
    for (int i = 0; i < s.Records(); ++i)
        s.PutBlank(i);
}

void setBits(RecordClass &s, const char *field, int rec, const QList<int> &bits)
{
    for (int k = 0; k < qMax<int>(s.GetItems(field), 1); ++k)
        s.ClearAllBoolean(field, rec, k);
    // SetBoolean carries bit numbers above 7 into the following bytes.
    for (int bit : bits)
        s.SetBoolean(field, rec, bit, true);
}

void putUsedMap(RecordClass &s, ExchClass::Member member, const QList<int> &used)
{
    QByteArray map((s.Records() + 7) / 8, '\0');
    for (int i : used)
        map[i / 8] = char(quint8(map[i / 8]) | (1u << (i % 8)));
    s.PutUsed(ReplyPacket::make(PacketCode::RecordsUsed, definitionId(member), map));
}

void fillClasses(ExchClass &config)
{
    RecordClass &s = config.ClassList();
    blankAll(s);
    QList<int> used;
    for (const ClassEntry &c : Classes) {
        s.SetString("Name", c.record, c.name);
        setBits(s, "Flag", c.record, c.enabled ? QList<int>{FlagEnabled} : QList<int>());
        s.SetInteger("ClassCodePosn", c.record, c.record);
        used.append(c.record);
    }
    putUsedMap(s, ExchClass::ClassListMember, used);
}

void fillAcls(ExchClass &config)
{
    RecordClass &s = config.ACL();
    blankAll(s);
    QList<int> used;
    for (const AclEntry &a : Acls) {
        s.SetString("Name", a.record, a.name);
        setBits(s, "Flag", a.record, a.flags);
        s.SetDigit("PublicID", a.record, a.publicId);
        s.SetDigit("PassCode", a.record, a.passCode);
        s.SetInteger("PriorityLevel", a.record, a.priority);
        s.SetInteger("RingType", a.record, a.ringType);
        setBits(s, "Rights", a.record, a.rights);
        setBits(s, "ClassAccess", a.record, a.classAccess);
        setBits(s, "SetAccess", a.record, a.setAccess);
        used.append(a.record);
    }
    putUsedMap(s, ExchClass::ACLMember, used);
}

void fillPorts(ExchClass &config)
{
    RecordClass &s = config.VirtualPorts();
    blankAll(s);
    QList<int> used;
    for (const PortEntry &p : Ports) {
        s.SetString("Name", p.record, p.name);
        QList<int> flags;
        if (p.enabled)
            flags.append(FlagEnabled);
        if (p.group != NoGroup)
            flags.append(FlagInGroup);
        if (p.pickup != NoGroup)
            flags.append(FlagInPickup);
        setBits(s, "Flag", p.record, flags);
        s.SetInteger("Type", p.record, p.type);
        s.SetInteger("ACLID", p.record, p.acl);
        s.SetInteger("GroupID", p.record, p.group != NoGroup ? p.group : 0);
        s.SetInteger("PickupID", p.record, p.pickup != NoGroup ? p.pickup : 0);
        const bool publicAddress = p.type == PublicAddress;
        const int gain = p.type == TieLine ? TieLineGain : ExtensionGain;
        s.SetInteger("RXGain", p.record, gain);
        s.SetInteger("TXGain", p.record, publicAddress ? PublicAddressTxGain : gain);
        s.SetInteger("ActionType", p.record, p.action);
        if (p.action == TieIncoming || p.action == Disa) {
            s.SetDigit("ActionExtra", p.record, p.extraDigits, 0);
            s.SetDigit("ActionExtra", p.record, QByteArray(), 1);
        } else {
            s.SetInteger("ActionExtra", p.record, p.extra, 0);
            s.SetInteger("ActionExtra", p.record, 0, 1);
        }
        setBits(s, "ActionFlag", p.record, p.options);
        setBits(s, "ClassCode", p.record, p.classes);
        used.append(p.record);
    }
    putUsedMap(s, ExchClass::VirtualPortsMember, used);
}

void fillSystem(ExchClass &config)
{
    RecordClass &s = config.System();
    blankAll(s);
    s.SetString("Name", 0, SiteName);
    s.SetInteger("ExtLength", 0, ExtensionLength);
    s.SetInteger("PassCodeLen", 0, PassCodeLength);
    s.SetInteger("PublicIDLen", 0, PublicIdLength);
    for (int k = 0; k < FrequencyCount; ++k)
        s.SetInteger("Freqs", 0, Frequencies[k], k);
    s.SetInteger("ConferenceGain", 0, ConferenceGain);
    setBits(s, "CallLogFlag", 0, CallLogTypes);
}

void fillGroups(ExchClass &config)
{
    RecordClass &s = config.Groups();
    blankAll(s);
    QList<int> used;
    for (const GroupEntry &g : Groups) {
        s.SetString("Name", g.record, g.name);
        setBits(s, "Flag", g.record, g.flags);
        s.SetInteger("GroupType", g.record, g.type);
        setBits(s, "MembersUsed", g.record, QList<int>());
        int slot = 0;
        for (const Member &m : g.members) {
            const bool ticked = m.port != NoGroup;
            s.SetInteger("GroupMembers", g.record, ticked ? m.port : 0, slot);
            s.SetInteger("TimeToNext", g.record, m.quarterSeconds, slot);
            s.SetBoolean("MembersUsed", g.record, slot, ticked);
            ++slot;
        }
        s.SetInteger("GroupNumbers", g.record, slot);
        for (; slot < GroupSlots; ++slot) {
            s.SetInteger("GroupMembers", g.record, 0, slot);
            s.SetInteger("TimeToNext", g.record, 0, slot);
        }
        used.append(g.record);
    }
    putUsedMap(s, ExchClass::GroupsMember, used);
}

void fillPhysicalPorts(ExchClass &config)
{
    RecordClass &s = config.PortToVirtual();
    blankAll(s);
    for (int p = 0; p < s.Records(); ++p)
        s.SetInteger("VIRTPORT", p, Unbound);
    for (const Binding &b : Bindings) {
        int p = b.firstPort;
        for (int port : b.virtualPorts)
            s.SetInteger("VIRTPORT", p++, port);
    }
}

void fillNumbers(ExchClass &config)
{
    RecordClass &s = config.ExtToVirtual();
    blankAll(s);
    QList<int> used;
    for (const NumberEntry &n : Numbers) {
        const bool hasPrefix = qstrlen(n.prefix) > 0;
        s.SetDigit("ExtNumberA", n.record, n.number);
        s.SetDigit("ExtNumberB", n.record, n.prefix);
        s.SetInteger("VirtualPortNo", n.record, n.port);
        QList<int> flags;
        if (n.enabled)
            flags.append(FlagEnabled);
        if (hasPrefix)
            flags.append(FlagHasPrefix);
        setBits(s, "Flag", n.record, flags);
        used.append(n.record);
    }
    putUsedMap(s, ExchClass::ExtToVirtualMember, used);
}

void fillTones(ExchClass &config)
{
    config.BuildDefaultTones();
    QList<int> used;
    for (int i = 0; i < config.Tones().Records(); ++i)
        used.append(i);
    putUsedMap(config.Tones(), ExchClass::TonesMember, used);
}
} // namespace

void SampleConfiguration::build(ExchClass &config)
{
    defineLayouts(config);
    fillClasses(config);
    fillAcls(config);
    fillPorts(config);
    fillSystem(config);
    fillGroups(config);
    fillPhysicalPorts(config);
    fillNumbers(config);
    fillTones(config);
}
