#include "ConfigurationBuilder.h"

#include "ExchClass.h"
#include "FieldDef.h"
#include "StructureDefinition.h"

namespace {
constexpr int NameLength = 16;
constexpr int SystemNameLength = 24;
constexpr int DigitBytes = 3;
constexpr int NumberBytes = 2;
constexpr int GroupSlots = 16;
constexpr int EnabledBit = 0;
constexpr int NoPinEntryBit = 2;
constexpr int InGroupBit = 1;
constexpr int InPickupBit = 3;
constexpr int HasPrefixBit = 1;

void define(ExchClass &config, ExchClass::Member member, StructureDefinition &definition)
{
    config.member(member).BuildStructure(definition.packet());
    RecordClass &s = config.member(member);
    for (int i = 0; i < s.Records(); ++i)
        s.PutBlank(i);
}

StructureDefinition structure(ExchClass::Member member, const QByteArray &name, int records)
{
    return StructureDefinition(ExchClass::info(member).definitionId, name, records);
}

void setBits(RecordClass &s, const char *field, int rec, const QList<int> &bits)
{
    for (int k = 0; k < qMax<int>(s.GetItems(field), 1); ++k)
        s.ClearAllBoolean(field, rec, k);
    for (int bit : bits)
        s.SetBoolean(field, rec, bit, true);
}

QList<int> flags(bool enabled, std::initializer_list<std::pair<int, bool>> others)
{
    QList<int> bits;
    if (enabled)
        bits.append(EnabledBit);
    for (const auto &[bit, set] : others) {
        if (set)
            bits.append(bit);
    }
    return bits;
}
} // namespace

ConfigurationBuilder::ConfigurationBuilder(ExchClass &config, const Layout &layout)
    : m_config(config)
{
    using namespace FieldType;
    using E = ExchClass;
    auto classes = structure(E::ClassListMember, "CLASSLIST", ClassRecords)
                       .field("Name", String, 1, NameLength)
                       .field("Flag", Boolean, 1)
                       .field("ClassCodePosn", Integer, 1);
    define(config, E::ClassListMember, classes);
    auto acl = structure(E::ACLMember, "ACL", AclRecords)
                   .field("Name", String, 1, NameLength)
                   .field("Flag", Boolean, 1)
                   .field("PublicID", Digit, DigitBytes)
                   .field("PassCode", Digit, DigitBytes)
                   .field("PriorityLevel", Integer, 1)
                   .field("RingType", Integer, 1)
                   .field("Rights", Boolean, layout.rightsSize, layout.rightsItems)
                   .field("ClassAccess", Boolean, layout.classBitsSize, layout.classBitsItems)
                   .field("SetAccess", Boolean, 1, 8);
    define(config, E::ACLMember, acl);
    auto ports = structure(E::VirtualPortsMember, "VIRTPORTS", PortRecords)
                     .field("Name", String, 1, NameLength)
                     .field("Flag", Boolean, 1)
                     .field("Type", Integer, 1)
                     .field("ACLID", Integer, 1)
                     .field("GroupID", Integer, 1)
                     .field("PickupID", Integer, 1)
                     .field("RXGain", Integer, 1)
                     .field("TXGain", Integer, 1)
                     .field("ActionType", Integer, 1)
                     .field("ActionExtra", IntegerOrDigit, 2, 2)
                     .field("ActionFlag", Boolean, 1)
                     .field("ClassCode", Boolean, layout.classBitsSize, layout.classBitsItems);
    define(config, E::VirtualPortsMember, ports);
    auto system = structure(E::SystemMember, "SYSTEM", 1)
                      .field("Name", String, 1, SystemNameLength)
                      .field("ExtLength", Integer, 1)
                      .field("PassCodeLen", Integer, 1)
                      .field("PublicIDLen", Integer, 1);
    define(config, E::SystemMember, system);
    auto groups = structure(E::GroupsMember, "GROUPS", GroupRecords)
                      .field("Name", String, 1, NameLength)
                      .field("Flag", Boolean, 1)
                      .field("GroupType", Integer, 1)
                      .field("GroupNumbers", Integer, 1)
                      .field("TimeToNext", Integer, 2, GroupSlots)
                      .field("GroupMembers", Integer, 1, GroupSlots)
                      .field("MembersUsed", Boolean, layout.membersUsedSize, layout.membersUsedItems);
    define(config, E::GroupsMember, groups);
    auto physical = structure(E::PortToVirtualMember, "PORT2VIRT", PhysicalPorts).field("VIRTPORT", Integer, 1);
    define(config, E::PortToVirtualMember, physical);
    for (int p = 0; p < PhysicalPorts; ++p)
        config.PortToVirtual().SetInteger("VIRTPORT", p, Unbound);
    auto numbers = structure(E::ExtToVirtualMember, "EXT2VIRT", NumberRecords)
                       .field("ExtNumberA", Digit, NumberBytes)
                       .field("ExtNumberB", Digit, NumberBytes)
                       .field("VirtualPortNo", Integer, 1)
                       .field("Flag", Boolean, 1);
    define(config, E::ExtToVirtualMember, numbers);
    config.System().SetString("Name", 0, QByteArray());
}

ConfigurationBuilder &ConfigurationBuilder::systemName(const QByteArray &name)
{
    m_config.System().SetString("Name", 0, name);
    return *this;
}

ConfigurationBuilder &ConfigurationBuilder::addClass(int record, const QByteArray &name)
{
    RecordClass &s = m_config.ClassList();
    s.SetString("Name", record, name);
    setBits(s, "Flag", record, {});
    s.SetInteger("ClassCodePosn", record, record);
    return *this;
}

ConfigurationBuilder &ConfigurationBuilder::addUser(const User &user)
{
    RecordClass &s = m_config.ACL();
    s.SetString("Name", user.record, user.name);
    setBits(s, "Flag", user.record, flags(user.enabled, {{NoPinEntryBit, user.noPinEntry}}));
    s.SetDigit("PublicID", user.record, user.publicId);
    s.SetDigit("PassCode", user.record, user.passCode);
    s.SetInteger("PriorityLevel", user.record, 1);
    s.SetInteger("RingType", user.record, user.ringType);
    setBits(s, "Rights", user.record, user.rights);
    setBits(s, "ClassAccess", user.record, user.classes);
    setBits(s, "SetAccess", user.record, {});
    return *this;
}

ConfigurationBuilder &ConfigurationBuilder::addPort(const Port &port)
{
    RecordClass &s = m_config.VirtualPorts();
    const int v = port.record;
    s.SetString("Name", v, port.name);
    setBits(s, "Flag", v, flags(port.enabled, {{InGroupBit, port.group.has_value()}, {InPickupBit, port.pickup.has_value()}}));
    s.SetInteger("Type", v, port.type);
    s.SetInteger("ACLID", v, port.acl);
    s.SetInteger("GroupID", v, port.group.value_or(0));
    s.SetInteger("PickupID", v, port.pickup.value_or(0));
    s.SetInteger("RXGain", v, 3);
    s.SetInteger("TXGain", v, 3);
    s.SetInteger("ActionType", v, port.action);
    if (port.extraDigits.isEmpty())
        s.SetInteger("ActionExtra", v, port.extra, 0);
    else
        s.SetDigit("ActionExtra", v, port.extraDigits, 0);
    s.SetInteger("ActionExtra", v, 0, 1);
    setBits(s, "ActionFlag", v, {});
    setBits(s, "ClassCode", v, port.classes);
    return *this;
}

ConfigurationBuilder &ConfigurationBuilder::bind(int p, int v)
{
    m_config.PortToVirtual().SetInteger("VIRTPORT", p, v);
    return *this;
}

ConfigurationBuilder &ConfigurationBuilder::addNumber(int record, const QByteArray &number, int v,
                                                      const QByteArray &prefix, bool enabled)
{
    RecordClass &s = m_config.ExtToVirtual();
    s.SetDigit("ExtNumberA", record, number);
    s.SetDigit("ExtNumberB", record, prefix);
    s.SetInteger("VirtualPortNo", record, v);
    setBits(s, "Flag", record, flags(enabled, {{HasPrefixBit, !prefix.isEmpty()}}));
    return *this;
}

ConfigurationBuilder &ConfigurationBuilder::addGroup(int record, const QByteArray &name, int type,
                                                     const QList<Member> &members, bool enabled)
{
    RecordClass &s = m_config.Groups();
    s.SetString("Name", record, name);
    setBits(s, "Flag", record, flags(enabled, {}));
    s.SetInteger("GroupType", record, type);
    s.SetInteger("GroupNumbers", record, int(members.size()));
    QList<int> used;
    for (int slot = 0; slot < GroupSlots; ++slot) {
        s.SetInteger("GroupMembers", record, 0, slot);
        s.SetInteger("TimeToNext", record, 0, slot);
    }
    for (const Member &m : members) {
        s.SetInteger("GroupMembers", record, m.port, m.slot);
        s.SetInteger("TimeToNext", record, m.quarterSeconds, m.slot);
        used.append(m.slot);
    }
    setBits(s, "MembersUsed", record, used);
    return *this;
}
