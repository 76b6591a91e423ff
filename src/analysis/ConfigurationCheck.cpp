#include "analysis/ConfigurationCheck.h"

#include "analysis/DialledNumbers.h"
#include "analysis/FieldReader.h"
#include "model/FieldNames.h"
#include "model/PhysicalPortNames.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace {
using Severity = ConfigurationProblem::Severity;

const QString DialledNumberDuplicate = QStringLiteral("dialled-number-duplicate");
const QString DialledNumberClash = QStringLiteral("dialled-number-clash");
const QString DialledNumberFreePort = QStringLiteral("dialled-number-free-port");
const QString NumberTooLong = QStringLiteral("number-too-long");
const QString PortAclFree = QStringLiteral("port-acl-free");
const QString PortGroupFree = QStringLiteral("port-group-free");
const QString PortPickupFree = QStringLiteral("port-pickup-free");
const QString GroupMemberFree = QStringLiteral("group-member-free");
const QString ClassBitUnassigned = QStringLiteral("class-bit-unassigned");
const QString ClassPositionShared = QStringLiteral("class-position-shared");
const QString PinTooLong = QStringLiteral("pin-too-long");
const QString PassCodeTooLong = QStringLiteral("pass-code-too-long");
const QString PinDuplicate = QStringLiteral("pin-duplicate");
const QString PhysicalPortFree = QStringLiteral("physical-port-free");
const QString NameDuplicate = QStringLiteral("name-duplicate");

// Flag bits of a virtual port: whether GroupID and PickupID are in force.
constexpr int InGroupBit = 1;
constexpr int InPickupBit = 3;
// Flag bit of an ACL: the caller is not asked for a PIN and pass code.
constexpr int NoPinEntryBit = 2;

QString digitCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 digit") : QStringLiteral("%1 digits").arg(count);
}

QString numberList(const QList<int> &numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts.append(QString::number(n));
    return parts.join(QStringLiteral(", "));
}
} // namespace

ConfigurationCheck::ConfigurationCheck(const ExchClass &config)
    : m_config(config)
{
}

bool ConfigurationCheck::hasErrors(const QList<ConfigurationProblem> &problems)
{
    return std::any_of(problems.cbegin(), problems.cend(),
                       [](const ConfigurationProblem &p) { return p.severity == Severity::Error; });
}

qsizetype ConfigurationCheck::errorCount(const QList<ConfigurationProblem> &problems)
{
    return std::count_if(problems.cbegin(), problems.cend(),
                         [](const ConfigurationProblem &p) { return p.severity == Severity::Error; });
}

QString ConfigurationCheck::summary(const QList<ConfigurationProblem> &problems)
{
    if (problems.isEmpty())
        return QStringLiteral("no problems");
    const qsizetype errors = errorCount(problems);
    const qsizetype warnings = problems.size() - errors;
    return (errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(errors)) + QStringLiteral(", ")
        + (warnings == 1 ? QStringLiteral("1 warning") : QStringLiteral("%1 warnings").arg(warnings));
}

QList<ConfigurationProblem> ConfigurationCheck::problems()
{
    m_problems.clear();
    findRecordUse();
    checkClasses();
    checkAcls();
    checkVirtualPorts();
    checkGroups();
    checkPhysicalPorts();
    checkDialledNumbers();
    checkNames();
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const ConfigurationProblem &a, const ConfigurationProblem &b) {
                         return a.member != b.member ? a.member < b.member : a.record < b.record;
                     });
    return m_problems;
}

// A structure without a Flag field counts every record it holds as in use
// and enabled; a record too short for its Flag holds nothing. Names are read
// once here: thousands of problems may each name two records.
void ConfigurationCheck::findRecordUse()
{
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        const RecordClass &structure = m_config.member(member);
        RecordUse &use = m_use[member];
        use.described = structure.hasLayout();
        use.records = qMax<int>(structure.Records(), 0);
        use.inUse.fill(false, use.records);
        use.enabled.fill(false, use.records);
        const FieldReader flag(structure, FieldNames::Flag);
        for (int i = 0; i < use.records; ++i) {
            if (!flag.isBits()) {
                use.inUse[i] = !structure.record(i).isEmpty();
                use.enabled[i] = use.inUse[i];
                continue;
            }
            const std::optional<bool> free = flag.bit(i, RecordSlots::FreeBit);
            use.inUse[i] = free.has_value() && !*free;
            use.enabled[i] = use.inUse[i] && flag.bit(i, RecordSlots::EnabledBit).value_or(false);
        }
        const bool numbers = member == ExchClass::ExtToVirtualMember;
        const FieldReader name(structure, FieldNames::Name);
        use.named = name.isText();
        use.names.fill(QByteArray(), numbers || use.named ? use.records : 0);
        for (int i = 0; i < use.names.size(); ++i) {
            if (use.inUse[i])
                use.names[i] = numbers ? DialledNumbers::fullNumber(structure, i) : name.text(i).value_or(QByteArray());
        }
    }
}

bool ConfigurationCheck::usable(int member, int index) const
{
    const RecordUse &use = m_use[member];
    return index >= 0 && index < use.records && use.inUse[index];
}

QString ConfigurationCheck::nameOf(int member, int index) const
{
    if (member == ExchClass::PortToVirtualMember)
        return PhysicalPortNames::boardPosition(index);
    const QList<QByteArray> &names = m_use[member].names;
    return index >= 0 && index < names.size() ? QString::fromLatin1(names[index]) : QString();
}

QString ConfigurationCheck::reference(int member, int index) const
{
    return ConfigurationProblem::label(member, index, nameOf(member, index));
}

void ConfigurationCheck::add(Severity severity, const QString &rule, int member, int rec, const QByteArray &field,
                             const QString &message)
{
    m_problems.append({severity, rule, member, rec, QString::fromLatin1(field), nameOf(member, rec), message});
}

void ConfigurationCheck::checkReference(const QString &rule, int member, int rec, const QByteArray &field, int target,
                                        int targetMember, const QString &what)
{
    const RecordUse &use = m_use[targetMember];
    if (!use.described || usable(targetMember, target))
        return;
    const QString state = target >= 0 && target < use.records
        ? QStringLiteral("which is free")
        : QStringLiteral("which does not exist: %1 has %2 records")
              .arg(RecordLabel::structureTitle(targetMember))
              .arg(use.records);
    add(Severity::Error, rule, member, rec, field, what.arg(reference(targetMember, target), state));
}

int ConfigurationCheck::systemLength(const QByteArray &field) const
{
    if (!m_use[ExchClass::SystemMember].described)
        return 0;
    return FieldReader(m_config.System(), field).integer(0).value_or(0);
}

// ---- Rules ------------------------------------------------------------------

void ConfigurationCheck::checkClasses()
{
    m_classPositions.clear();
    const int member = ExchClass::ClassListMember;
    const RecordClass &classes = m_config.ClassList();
    const FieldReader position(classes, FieldNames::ClassCodePosn);
    m_classPositionsKnown = m_use[member].described && position.isInteger();
    QHash<int, int> holder;
    for (int i = 0; i < m_use[member].records; ++i) {
        if (!m_use[member].inUse[i])
            continue;
        const std::optional<int> bit = position.integer(i);
        if (!bit)
            continue;
        const auto first = holder.constFind(*bit);
        if (first == holder.cend()) {
            holder.insert(*bit, i);
            m_classPositions.insert(*bit);
            continue;
        }
        add(Severity::Error, ClassPositionShared, member, i, FieldNames::ClassCodePosn,
            QStringLiteral("its bit position %1 is also that of %2").arg(*bit).arg(reference(member, *first)));
    }
}

void ConfigurationCheck::checkClassBits(int member, const FieldReader &field, int rec)
{
    if (!m_classPositionsKnown)
        return;
    QList<int> unassigned;
    for (int bit : field.bits(rec)) {
        if (!m_classPositions.contains(bit))
            unassigned.append(bit);
    }
    if (unassigned.isEmpty())
        return;
    const QString message = unassigned.size() == 1
        ? QStringLiteral("class bit %1 is set, but no class in use has that position")
        : QStringLiteral("class bits %1 are set, but no class in use has those positions");
    add(Severity::Warning, ClassBitUnassigned, member, rec, field.name(), message.arg(numberList(unassigned)));
}

void ConfigurationCheck::checkAcls()
{
    const int member = ExchClass::ACLMember;
    const RecordUse &use = m_use[member];
    if (!use.described)
        return;
    const RecordClass &acls = m_config.ACL();
    const FieldReader flag(acls, FieldNames::Flag);
    const FieldReader classAccess(acls, FieldNames::ClassAccess);
    const FieldReader setAccess(acls, FieldNames::SetAccess);
    const FieldReader pin(acls, FieldNames::PublicID);
    const FieldReader passCode(acls, FieldNames::PassCode);
    const int pinLength = systemLength(FieldNames::PublicIDLen);
    const int passCodeLength = systemLength(FieldNames::PassCodeLen);
    QHash<QByteArray, int> pinHolder;
    for (int i = 0; i < use.records; ++i) {
        if (!use.inUse[i])
            continue;
        checkClassBits(member, classAccess, i);
        checkClassBits(member, setAccess, i);
        // A caller can reach only an enabled ACL, and its codes only when it
        // asks for them. Codes are told by their length, never their digits,
        // as the report masks them: problems end up in logs and tickets.
        if (!use.enabled[i] || flag.bit(i, NoPinEntryBit).value_or(false))
            continue;
        const QByteArray publicId = pin.digits(i).value_or(QByteArray());
        if (pinLength > 0 && publicId.size() > pinLength)
            add(Severity::Error, PinTooLong, member, i, FieldNames::PublicID,
                QStringLiteral("the PIN has %1, more than the system's PIN length of %2")
                    .arg(digitCount(publicId.size()))
                    .arg(pinLength));
        const qsizetype passCodeDigits = passCode.digits(i).value_or(QByteArray()).size();
        if (passCodeLength > 0 && passCodeDigits > passCodeLength)
            add(Severity::Error, PassCodeTooLong, member, i, FieldNames::PassCode,
                QStringLiteral("the pass code has %1, more than the system's pass code length of %2")
                    .arg(digitCount(passCodeDigits))
                    .arg(passCodeLength));
        if (publicId.isEmpty())
            continue;
        const auto first = pinHolder.constFind(publicId);
        if (first == pinHolder.cend())
            pinHolder.insert(publicId, i);
        else
            add(Severity::Error, PinDuplicate, member, i, FieldNames::PublicID,
                QStringLiteral("its PIN is also that of %1").arg(reference(member, *first)));
    }
}

void ConfigurationCheck::checkVirtualPorts()
{
    const int member = ExchClass::VirtualPortsMember;
    const RecordUse &use = m_use[member];
    if (!use.described)
        return;
    const RecordClass &ports = m_config.VirtualPorts();
    const FieldReader flag(ports, FieldNames::Flag);
    const FieldReader acl(ports, FieldNames::ACLID);
    const FieldReader group(ports, FieldNames::GroupID);
    const FieldReader pickup(ports, FieldNames::PickupID);
    const FieldReader classCode(ports, FieldNames::ClassCode);
    for (int i = 0; i < use.records; ++i) {
        if (!use.inUse[i])
            continue;
        if (const std::optional<int> target = acl.integer(i))
            checkReference(PortAclFree, member, i, FieldNames::ACLID, *target, ExchClass::ACLMember,
                           QStringLiteral("its default ACL is %1, %2"));
        // GroupID and PickupID keep their last value after the port leaves the group.
        if (flag.bit(i, InGroupBit).value_or(false)) {
            if (const std::optional<int> target = group.integer(i))
                checkReference(PortGroupFree, member, i, FieldNames::GroupID, *target, ExchClass::GroupsMember,
                               QStringLiteral("it is a member of %1, %2"));
        }
        if (flag.bit(i, InPickupBit).value_or(false)) {
            if (const std::optional<int> target = pickup.integer(i))
                checkReference(PortPickupFree, member, i, FieldNames::PickupID, *target, ExchClass::GroupsMember,
                               QStringLiteral("its pickup group is %1, %2"));
        }
        checkClassBits(member, classCode, i);
    }
}

void ConfigurationCheck::checkGroups()
{
    const int member = ExchClass::GroupsMember;
    const RecordUse &use = m_use[member];
    if (!use.described)
        return;
    const RecordClass &groups = m_config.Groups();
    const FieldReader members(groups, FieldNames::GroupMembers);
    const FieldReader membersUsed(groups, FieldNames::MembersUsed);
    for (int i = 0; i < use.records; ++i) {
        if (!use.inUse[i])
            continue;
        for (int m : membersUsed.bits(i)) {
            if (m >= members.elements())
                break;
            if (const std::optional<int> target = members.integer(i, m))
                checkReference(GroupMemberFree, member, i, FieldNames::GroupMembers, *target,
                               ExchClass::VirtualPortsMember, QStringLiteral("member %1 is %2, %3").arg(m + 1));
        }
    }
}

void ConfigurationCheck::checkPhysicalPorts()
{
    const int member = ExchClass::PortToVirtualMember;
    const RecordUse &use = m_use[member];
    if (!use.described)
        return;
    const FieldReader bound(m_config.PortToVirtual(), FieldNames::VirtPort);
    for (int p = 0; p < use.records; ++p) {
        const std::optional<int> target = bound.integer(p);
        if (target && *target != PhysicalPortNames::NoPort)
            checkReference(PhysicalPortFree, member, p, FieldNames::VirtPort, *target, ExchClass::VirtualPortsMember,
                           QStringLiteral("it is bound to %1, %2"));
    }
}

// Numbers sorted as text put every number right after the numbers that begin
// it; a stack of the numbers that begin the current one then finds each clash
// in one pass, however many numbers there are.
void ConfigurationCheck::checkDialledNumbers()
{
    const int member = ExchClass::ExtToVirtualMember;
    const RecordUse &use = m_use[member];
    if (!use.described)
        return;
    const RecordClass &numbers = m_config.ExtToVirtual();
    const FieldReader flag(numbers, FieldNames::Flag);
    const FieldReader port(numbers, FieldNames::VirtualPortNo);
    const int extensionLength = systemLength(FieldNames::ExtLength);

    struct Entry
    {
        QByteArray number;
        int record;
    };
    QList<Entry> entries;
    for (int i = 0; i < use.records; ++i) {
        if (!use.enabled[i])
            continue;
        const QByteArray &number = use.names[i];
        if (number.isEmpty())
            continue;
        entries.append({number, i});
        if (const std::optional<int> target = port.integer(i))
            checkReference(DialledNumberFreePort, member, i, FieldNames::VirtualPortNo, *target,
                           ExchClass::VirtualPortsMember, QStringLiteral("it rings %1, %2"));
        // A number with a prefix is dialled from outside, not measured as an extension.
        const bool prefixed = flag.bit(i, DialledNumbers::HasPrefixBit).value_or(false);
        if (!prefixed && extensionLength > 0 && number.size() > extensionLength)
            add(Severity::Error, NumberTooLong, member, i, FieldNames::ExtNumberA,
                QStringLiteral("%1 has %2, more than the system's extension number length of %3")
                    .arg(QString::fromLatin1(number), digitCount(number.size()))
                    .arg(extensionLength));
    }

    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.number != b.number ? a.number < b.number : a.record < b.record;
    });
    QList<Entry> beginnings;
    for (const Entry &entry : std::as_const(entries)) {
        while (!beginnings.isEmpty()
               && DialledNumbers::clash(beginnings.last().number, entry.number) == DialledNumbers::Clash::None)
            beginnings.removeLast();
        if (beginnings.isEmpty()) {
            beginnings.append(entry);
            continue;
        }
        // The shortest number that begins this one is the one the exchange matches.
        const Entry &first = beginnings.first();
        if (DialledNumbers::clash(first.number, entry.number) == DialledNumbers::Clash::Overlapping) {
            add(Severity::Error, DialledNumberClash, member, entry.record, FieldNames::ExtNumberA,
                QStringLiteral("%1 can never be dialled: its first %2 already dial %3")
                    .arg(QString::fromLatin1(entry.number), digitCount(first.number.size()),
                         reference(member, first.record)));
        } else {
            add(Severity::Error, DialledNumberDuplicate, member, entry.record, FieldNames::ExtNumberA,
                QStringLiteral("%1 is also the number of %2")
                    .arg(QString::fromLatin1(entry.number), reference(member, first.record)));
        }
        if (beginnings.last().number != entry.number)
            beginnings.append(entry);
    }
}

void ConfigurationCheck::checkNames()
{
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        const RecordUse &use = m_use[member];
        if (!use.described || !use.named)
            continue;
        QHash<QByteArray, int> holder;
        for (int i = 0; i < use.records; ++i) {
            if (!use.inUse[i])
                continue;
            const QByteArray &text = use.names[i];
            if (text.isEmpty())
                continue;
            // "Sales" and "SALES" look the same to the engineer picking one from a list.
            const QByteArray key = text.toLower();
            const auto first = holder.constFind(key);
            if (first == holder.cend())
                holder.insert(key, i);
            else
                add(Severity::Warning, NameDuplicate, member, i, FieldNames::Name,
                    QStringLiteral("the name \"%1\" is also that of %2")
                        .arg(QString::fromLatin1(text), reference(member, *first)));
        }
    }
}
