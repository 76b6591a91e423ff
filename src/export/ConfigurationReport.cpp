#include "export/ConfigurationReport.h"

#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/GainLevels.h"
#include "model/PhysicalPortNames.h"
#include "model/RecordClass.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

#include <QHash>

#include <algorithm>
#include <initializer_list>
#include <utility>

const QString ConfigurationReport::HeadingPrefix = QStringLiteral("Configuration for ");
const QString ConfigurationReport::ProgramName = QStringLiteral("Quillbridge");
const QString ConfigurationReport::MaskedCode = QStringLiteral("****");

const QString ConfigurationReport::SystemTitle = QStringLiteral("System Parameters");
const QString ConfigurationReport::ClassesTitle = QStringLiteral("Class Names");
const QString ConfigurationReport::AclTitle = QStringLiteral("Access Control Lists");
const QString ConfigurationReport::AclAccessTitle = QStringLiteral("Access Control Lists: Rights and Access");
const QString ConfigurationReport::VirtualPortsTitle = QStringLiteral("Virtual Ports");
const QString ConfigurationReport::VirtualPortSettingsTitle =
    QStringLiteral("Virtual Ports: Action, Gains and Options");
const QString ConfigurationReport::GroupsTitle = QStringLiteral("Groups");
const QString ConfigurationReport::DialledNumbersTitle = QStringLiteral("Dialled Numbers To Virtual Ports");
const QString ConfigurationReport::PhysicalPortsTitle = QStringLiteral("Physical Ports");
const QString ConfigurationReport::TonesTitle = QStringLiteral("Tones");

namespace {
using namespace FieldNames;

const QString ListSeparator = QStringLiteral(", ");
const QString LinkSeparator = QStringLiteral("; ");
const QString Yes = QStringLiteral("Yes");
const QString No = QStringLiteral("No");
const QString None = QStringLiteral("None");
const QString Seconds = QStringLiteral(" s");
const QString UnnamedBit = QStringLiteral("Bit ");

constexpr int QuarterSecondsPerSecond = 4;
constexpr int ToneStepsPerSecond = 4;
constexpr int EndStepTime = 255;
constexpr int AudibleLevel = 13;
constexpr int SilentLevel = 31;
constexpr int PrefixFlagBit = 1;
constexpr int GroupFlagBit = 1;
constexpr int PickupFlagBit = 3;
constexpr int LinkedFlagBit = 1;
constexpr int FlagBits = 8;

const QStringList PortTypes = {QStringLiteral("Extension"),      QStringLiteral("Tie Line"),
                               QStringLiteral("Public Address"), QStringLiteral("Auto Conference"),
                               QStringLiteral("Talkback"),       QStringLiteral("Intercom"),
                               QStringLiteral("Paging")};
const QStringList ActionTypes = {QStringLiteral("Extension"),  QStringLiteral("Port Disabled"),
                                 QStringLiteral("Hot Line"),   QStringLiteral("Warm Line"),
                                 QStringLiteral("Intercom"),   QStringLiteral("Tie Incoming"),
                                 QStringLiteral("DISA"),       QStringLiteral("PA"),
                                 QStringLiteral("Night Bell"), QStringLiteral("Emergency Phone"),
                                 QStringLiteral("Paging")};
// Actions whose two extras are numbers; the others carry dial digits.
constexpr std::initializer_list<int> NumericActions = {0, 2, 3};
constexpr int ExtensionAction = 0;
const QStringList GroupTypes = {QStringLiteral("Hunt"), QStringLiteral("MCF"),    QStringLiteral("AutoConference"),
                                QStringLiteral("SCF"),  QStringLiteral("Pickup"), QStringLiteral("Intercom")};

// Names of flag bits by bit number; an empty name is a bit without meaning.
const QStringList CallLogTypes = {QStringLiteral("Internal"),
                                  QStringLiteral("Incoming"),
                                  QStringLiteral("External"),
                                  QStringLiteral("ACL Changes"),
                                  QStringLiteral("Time Changes"),
                                  QString(),
                                  QString(),
                                  QStringLiteral("40 Column Output")};
const QStringList AclFlags = {QString(),
                              QStringLiteral("No Display"),
                              QStringLiteral("No Enter Pin"),
                              QStringLiteral("No Change Allowed"),
                              QStringLiteral("Check Set Access"),
                              QString(),
                              QString(),
                              QString()};

// The virtual ports' option bits in the order the engineer sees them.
const std::pair<QString, int> PortOptions[] = {
    {QStringLiteral("Powerdown"), 0},
    {QStringLiteral("Engaged Tone"), 4},
    {QStringLiteral("Only LD"), 2},
    {QStringLiteral("Paged"), 3},
    {QStringLiteral("Non Emergency"), 5},
    {QStringLiteral("No Terminator"), 1},
    {QStringLiteral("T&T Capsat\u00AE Fleet"), 6},
    {QStringLiteral("No Group on Busy"), 7},
};

const std::pair<int, QString> ToneFrequencies[] = {
    {80, QStringLiteral("350+440")}, {81, QStringLiteral("440")},     {82, QStringLiteral("440+480")},
    {83, QStringLiteral("440+620")}, {84, QStringLiteral("480+620")}, {85, QStringLiteral("400")},
    {86, QStringLiteral("400+450")}, {87, QStringLiteral("425")},     {88, QStringLiteral("1400")},
    {89, QStringLiteral("665")},     {90, QStringLiteral("860")},
};

bool hasField(const RecordClass &s, const QByteArray &name, std::initializer_list<qint16> types)
{
    const qint16 type = s.GetType(name);
    for (qint16 accepted : types) {
        if (type == accepted)
            return true;
    }
    return false;
}

bool hasRecord(const RecordClass &s, int rec)
{
    return rec >= 0 && rec < s.Records() && !s.record(rec).isEmpty();
}

QString text(const RecordClass &s, const QByteArray &name, int rec)
{
    if (!hasRecord(s, rec) || !hasField(s, name, {FieldType::String}))
        return QString();
    return QString::fromLatin1(s.GetString(name, rec));
}

// "12 - Front Desk", or "12 - <No Name>" for a record whose name cannot be read.
QString numberedName(const RecordClass &s, int rec)
{
    return RecordLabel::numbered(rec, text(s, Name, rec).toLatin1());
}

bool hasInteger(const RecordClass &s, const QByteArray &name, int rec)
{
    return hasRecord(s, rec)
        && hasField(s, name, {FieldType::ReadOnlyInteger, FieldType::Integer, FieldType::IntegerOrDigit});
}

int integer(const RecordClass &s, const QByteArray &name, int rec, int k = 0)
{
    return hasInteger(s, name, rec) ? s.GetInteger(name, rec, k) : 0;
}

QString integerText(const RecordClass &s, const QByteArray &name, int rec, int k = 0)
{
    return hasInteger(s, name, rec) ? QString::number(s.GetInteger(name, rec, k)) : QString();
}

QString digits(const RecordClass &s, const QByteArray &name, int rec, int k = 0)
{
    if (!hasRecord(s, rec) || !hasField(s, name, {FieldType::Digit, FieldType::IntegerOrDigit}))
        return QString();
    return QString::fromLatin1(s.GetDigit(name, rec, k));
}

bool bit(const RecordClass &s, const QByteArray &name, int rec, int n)
{
    return hasRecord(s, rec) && hasField(s, name, {FieldType::Boolean}) && s.GetBit(name, rec, n);
}

// Every set bit of a bit set, over all of its bytes.
QList<int> setBits(const RecordClass &s, const QByteArray &name, int rec)
{
    if (!hasRecord(s, rec) || !hasField(s, name, {FieldType::Boolean}))
        return {};
    return s.GetBits(name, rec);
}

// How many elements of an array field the record holds: a layout can claim
// thousands that a short record has no bytes for.
int elementsHeld(const RecordClass &s, const QByteArray &name, int rec)
{
    const int index = s.fieldIndex(name);
    if (index == 0)
        return 1;
    const FieldDef f = s.field(index);
    const int claimed = qMax<int>(f.Items, 1);
    if (f.Size <= 0)
        return claimed;
    const qsizetype room = s.record(rec).size() - f.StartPosn + 1;
    return int(qBound<qsizetype>(0, room / f.Size, qsizetype(claimed)));
}

bool inUse(const RecordClass &s, int rec)
{
    if (!hasRecord(s, rec))
        return false;
    return !hasField(s, Flag, {FieldType::Boolean}) || !s.GetBit(Flag, rec, RecordSlots::FreeBit);
}

QList<int> recordsInUse(const RecordClass &s)
{
    QList<int> result;
    for (int i = 0; i < s.Records(); ++i) {
        if (inUse(s, i))
            result.append(i);
    }
    return result;
}

QString yesNo(bool value)
{
    return value ? Yes : No;
}

QString listEntry(const QStringList &names, int index)
{
    return index >= 0 && index < names.size() ? names.at(index) : QString::number(index);
}

QString namedBits(const QStringList &names, const QList<int> &bits)
{
    QStringList result;
    for (int n : bits) {
        if (n < names.size() && !names.at(n).isEmpty())
            result.append(names.at(n));
    }
    return result.join(ListSeparator);
}

QString bitNames(const QHash<int, QString> &names, const QList<int> &bits)
{
    QStringList result;
    for (int n : bits)
        result.append(names.value(n, UnnamedBit + QString::number(n)));
    return result.join(ListSeparator);
}

// A number of seconds from quarter units, as the group panel shows it: 2.5, 5.
QString seconds(int quarters, int perSecond)
{
    return QString::number(double(quarters) / perSecond) + Seconds;
}

class Builder
{
public:
    Builder(const ExchClass &config, const ConfigurationReport::Options &options)
        : m_config(config)
        , m_options(options)
    {
        const RecordClass &classes = config.ClassList();
        for (int i : recordsInUse(classes))
            m_classNames.insert(integer(classes, ClassCodePosn, i), text(classes, Name, i));
        // The rights structure names the rights: each field's count is its bit position.
        const RecordClass &rights = config.Rights();
        for (int i = 1; i <= rights.Items(); ++i) {
            const QByteArray name = rights.ItemsNames(i);
            if (!name.isEmpty())
                m_rightNames.insert(rights.GetItems(name), QString::fromLatin1(name));
        }
        // Each port's numbers and physical ports, gathered in one pass over
        // each table rather than one pass per port.
        const RecordClass &numbers = config.ExtToVirtual();
        for (int i : recordsInUse(numbers)) {
            if (!bit(numbers, Flag, i, RecordSlots::EnabledBit))
                continue;
            const QString number = digits(numbers, ExtNumberA, i);
            m_dialledNumbers[integer(numbers, VirtualPortNo, i)].append(
                bit(numbers, Flag, i, PrefixFlagBit) ? digits(numbers, ExtNumberB, i) + QLatin1Char(' ') + number
                                                     : number);
        }
        const RecordClass &physical = config.PortToVirtual();
        for (int p = 0; p < physical.Records(); ++p) {
            if (hasInteger(physical, VirtPort, p))
                m_physicalPorts[integer(physical, VirtPort, p)].append(PhysicalPortNames::linkName(p));
        }
    }

    ReportContent build() const
    {
        ReportContent content;
        content.runningText = ConfigurationReport::ProgramName + QLatin1Char(' ') + QStringLiteral(QB_VERSION);
        const QString systemName = text(m_config.System(), Name, 0);
        content.heading = ConfigurationReport::HeadingPrefix + (systemName.isEmpty() ? m_options.caption : systemName);
        content.sections = {system(),    classes(),        acls(),
                            aclAccess(), virtualPorts(),   virtualPortSettings(),
                            groups(),    dialledNumbers(), physicalPorts()};
        if (m_options.includeTones)
            content.sections.append(tones());
        return content;
    }

private:
    QString portLabel(int port) const { return numberedName(m_config.VirtualPorts(), port); }
    QString groupLabel(int group) const { return numberedName(m_config.Groups(), group); }
    QString aclLabel(int acl) const { return numberedName(m_config.ACL(), acl); }

    QString code(const QString &value) const
    {
        return m_options.showCodes || value.isEmpty() ? value : ConfigurationReport::MaskedCode;
    }

    ReportSection system() const
    {
        const RecordClass &s = m_config.System();
        ReportSection section{
            ConfigurationReport::SystemTitle, {QStringLiteral("Parameter"), QStringLiteral("Value")}, {}};
        if (!hasRecord(s, 0))
            return section;
        QStringList frequencies;
        if (hasInteger(s, Freqs, 0)) {
            for (int k = 0; k < qMax<int>(s.GetItems(Freqs), 1); ++k)
                frequencies.append(QString::number(s.GetInteger(Freqs, 0, k)));
        }
        const QString callLog = namedBits(CallLogTypes, setBits(s, CallLogFlag, 0));
        section.rows = {
            {QStringLiteral("System Name"), text(s, Name, 0)},
            {QStringLiteral("PIN Length"), integerText(s, PublicIDLen, 0)},
            {QStringLiteral("Pass Code Length"), integerText(s, PassCodeLen, 0)},
            {QStringLiteral("Ext Num Length"), integerText(s, ExtLength, 0)},
            {QStringLiteral("Conference Gain"),
             hasInteger(s, ConferenceGain, 0) ? GainLevels::text(integer(s, ConferenceGain, 0)) : QString()},
            {QStringLiteral("Special Tone Frequencies"), frequencies.join(ListSeparator)},
            {QStringLiteral("Call Log Types"), callLog.isEmpty() ? None : callLog},
        };
        return section;
    }

    ReportSection classes() const
    {
        const RecordClass &s = m_config.ClassList();
        ReportSection section{
            ConfigurationReport::ClassesTitle,
            {QStringLiteral("ID"), QStringLiteral("Class Name"), QStringLiteral("Bit Posn"), QStringLiteral("Enabled")},
            {}};
        for (int i : recordsInUse(s)) {
            section.rows.append({QString::number(i), text(s, Name, i), integerText(s, ClassCodePosn, i),
                                 yesNo(bit(s, Flag, i, RecordSlots::EnabledBit))});
        }
        return section;
    }

    ReportSection acls() const
    {
        const RecordClass &s = m_config.ACL();
        ReportSection section{ConfigurationReport::AclTitle,
                              {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Enabled"),
                               QStringLiteral("Public ID"), QStringLiteral("Pass Code"),
                               QStringLiteral("Priority Level"), QStringLiteral("Ring Type"), QStringLiteral("Flags")},
                              {}};
        for (int i : recordsInUse(s)) {
            QList<int> flags;
            for (int n = 0; n < FlagBits; ++n) {
                if (bit(s, Flag, i, n))
                    flags.append(n);
            }
            section.rows.append({QString::number(i), text(s, Name, i), yesNo(bit(s, Flag, i, RecordSlots::EnabledBit)),
                                 code(digits(s, PublicID, i)), code(digits(s, PassCode, i)),
                                 integerText(s, PriorityLevel, i), integerText(s, RingType, i),
                                 namedBits(AclFlags, flags)});
        }
        return section;
    }

    ReportSection aclAccess() const
    {
        const RecordClass &s = m_config.ACL();
        ReportSection section{ConfigurationReport::AclAccessTitle,
                              {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Rights"),
                               QStringLiteral("Class Access"), QStringLiteral("ACL Set Access")},
                              {}};
        for (int i : recordsInUse(s)) {
            section.rows.append({QString::number(i), text(s, Name, i), bitNames(m_rightNames, setBits(s, Rights, i)),
                                 bitNames(m_classNames, setBits(s, ClassAccess, i)),
                                 bitNames(m_classNames, setBits(s, SetAccess, i))});
        }
        return section;
    }

    ReportSection virtualPorts() const
    {
        const RecordClass &s = m_config.VirtualPorts();
        ReportSection section{ConfigurationReport::VirtualPortsTitle,
                              {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Enabled"),
                               QStringLiteral("Type"), QStringLiteral("Dialled Numbers"),
                               QStringLiteral("Physical Ports"), QStringLiteral("Default ACL"), QStringLiteral("Group"),
                               QStringLiteral("Pickup Group")},
                              {}};
        for (int i : recordsInUse(s)) {
            const QString group = bit(s, Flag, i, GroupFlagBit) ? groupLabel(integer(s, GroupID, i)) : QString();
            const QString pickup = bit(s, Flag, i, PickupFlagBit) ? groupLabel(integer(s, PickupID, i)) : QString();
            section.rows.append({QString::number(i), text(s, Name, i), yesNo(bit(s, Flag, i, RecordSlots::EnabledBit)),
                                 hasInteger(s, Type, i) ? listEntry(PortTypes, integer(s, Type, i)) : QString(),
                                 dialledNumbersOf(i), physicalPortsOf(i),
                                 hasInteger(s, ACLID, i) ? aclLabel(integer(s, ACLID, i)) : QString(), group, pickup});
        }
        return section;
    }

    ReportSection virtualPortSettings() const
    {
        const RecordClass &s = m_config.VirtualPorts();
        ReportSection section{ConfigurationReport::VirtualPortSettingsTitle,
                              {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Action"),
                               QStringLiteral("TX Gain"), QStringLiteral("RX Gain"), QStringLiteral("Options"),
                               QStringLiteral("Class Code")},
                              {}};
        for (int i : recordsInUse(s)) {
            QStringList options;
            for (const auto &[name, n] : PortOptions) {
                if (bit(s, ActionFlag, i, n))
                    options.append(name);
            }
            section.rows.append({QString::number(i), text(s, Name, i), action(i),
                                 hasInteger(s, TXGain, i) ? GainLevels::text(integer(s, TXGain, i)) : QString(),
                                 hasInteger(s, RXGain, i) ? GainLevels::text(integer(s, RXGain, i)) : QString(),
                                 options.join(ListSeparator), bitNames(m_classNames, setBits(s, ClassCode, i))});
        }
        return section;
    }

    // The action's name, with the extension or digits it uses.
    QString action(int port) const
    {
        const RecordClass &s = m_config.VirtualPorts();
        if (!hasInteger(s, ActionType, port))
            return QString();
        const int type = integer(s, ActionType, port);
        QString result = listEntry(ActionTypes, type);
        if (type == ExtensionAction)
            return result;
        const bool numeric = std::find(NumericActions.begin(), NumericActions.end(), type) != NumericActions.end();
        QStringList extras;
        for (int k = 0; k < 2; ++k) {
            const QString extra = numeric ? integerText(s, ActionExtra, port, k) : digits(s, ActionExtra, port, k);
            if (!extra.isEmpty() && extra != QLatin1String("0"))
                extras.append(extra);
        }
        if (!extras.isEmpty())
            result += QLatin1Char(' ') + extras.join(ListSeparator);
        return result;
    }

    QString fullNumber(int rec) const
    {
        const RecordClass &s = m_config.ExtToVirtual();
        const QString number = digits(s, ExtNumberA, rec);
        return bit(s, Flag, rec, PrefixFlagBit) ? digits(s, ExtNumberB, rec) + number : number;
    }

    // The numbers that ring a virtual port, as its panel lists them.
    QString dialledNumbersOf(int port) const { return m_dialledNumbers.value(port).join(LinkSeparator); }

    QString physicalPortsOf(int port) const { return m_physicalPorts.value(port).join(LinkSeparator); }

    ReportSection groups() const
    {
        const RecordClass &s = m_config.Groups();
        ReportSection section{ConfigurationReport::GroupsTitle,
                              {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Enabled"),
                               QStringLiteral("Type"), QStringLiteral("Linked"), QStringLiteral("Last Member"),
                               QStringLiteral("Members (Virtual Port, Time Before)")},
                              {}};
        for (int i : recordsInUse(s)) {
            section.rows.append(
                {QString::number(i), text(s, Name, i), yesNo(bit(s, Flag, i, RecordSlots::EnabledBit)),
                 hasInteger(s, GroupType, i) ? listEntry(GroupTypes, integer(s, GroupType, i)) : QString(),
                 yesNo(bit(s, Flag, i, LinkedFlagBit)), integerText(s, GroupNumbers, i), members(i)});
        }
        return section;
    }

    QString members(int group) const
    {
        const RecordClass &s = m_config.Groups();
        const int memberSlots = qMax<int>(s.GetItems(GroupMembers), 1);
        const int timeSlots = qMax<int>(s.GetItems(TimeToNext), 1);
        QStringList result;
        for (int m : setBits(s, MembersUsed, group)) {
            QString entry = QString::number(m + 1) + QStringLiteral(": ");
            // A used bit beyond the member table names no port.
            if (m < memberSlots && hasInteger(s, GroupMembers, group))
                entry += portLabel(integer(s, GroupMembers, group, m));
            if (m < timeSlots && hasInteger(s, TimeToNext, group))
                entry += QStringLiteral(" (") + seconds(integer(s, TimeToNext, group, m), QuarterSecondsPerSecond)
                    + QLatin1Char(')');
            result.append(entry);
        }
        return result.join(LinkSeparator);
    }

    ReportSection dialledNumbers() const
    {
        const RecordClass &s = m_config.ExtToVirtual();
        ReportSection section{
            ConfigurationReport::DialledNumbersTitle,
            {QStringLiteral("Dialled Number"), QStringLiteral("Virtual Port"), QStringLiteral("Enabled")},
            {}};
        for (int i : recordsInUse(s)) {
            section.rows.append({fullNumber(i),
                                 hasInteger(s, VirtualPortNo, i) ? portLabel(integer(s, VirtualPortNo, i)) : QString(),
                                 yesNo(bit(s, Flag, i, RecordSlots::EnabledBit))});
        }
        return section;
    }

    ReportSection physicalPorts() const
    {
        const RecordClass &s = m_config.PortToVirtual();
        ReportSection section{
            ConfigurationReport::PhysicalPortsTitle,
            {QStringLiteral("Board Posn"), QStringLiteral("Virtual Port"), QStringLiteral("Term Name")},
            {}};
        for (int p = 0; p < s.Records(); ++p) {
            if (!hasInteger(s, VirtPort, p))
                continue;
            const int port = integer(s, VirtPort, p);
            if (port == PhysicalPortNames::NoPort)
                continue;
            section.rows.append(
                {PhysicalPortNames::boardPosition(p), portLabel(port), PhysicalPortNames::terminalName(p)});
        }
        return section;
    }

    ReportSection tones() const
    {
        const RecordClass &s = m_config.Tones();
        ReportSection section{
            ConfigurationReport::TonesTitle,
            {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("Steps (Frequency, Length)")},
            {}};
        for (int i : recordsInUse(s))
            section.rows.append({QString::number(i), text(s, Name, i), toneSteps(i)});
        return section;
    }

    QString toneSteps(int tone) const
    {
        const RecordClass &s = m_config.Tones();
        const int steps = elementsHeld(s, Time, tone);
        QStringList result;
        for (int k = 0; k < steps; ++k) {
            const int time = integer(s, Time, tone, k);
            if (time == EndStepTime) {
                result.append(QStringLiteral("End"));
                break;
            }
            const int frequency = integer(s, Tone, tone, k);
            QString step = QStringLiteral("Tone %1").arg(frequency);
            for (const auto &[value, name] : ToneFrequencies) {
                if (value == frequency)
                    step = name;
            }
            step += QLatin1Char(' ') + seconds(time, ToneStepsPerSecond);
            const int level = integer(s, Level, tone, k);
            if (level == SilentLevel)
                step += QStringLiteral(" silent");
            else if (level != AudibleLevel)
                step += QStringLiteral(" level %1").arg(level);
            result.append(step);
        }
        return result.join(LinkSeparator);
    }

    const ExchClass &m_config;
    const ConfigurationReport::Options &m_options;
    QHash<int, QString> m_classNames;
    QHash<int, QString> m_rightNames;
    QHash<int, QStringList> m_dialledNumbers;
    QHash<int, QStringList> m_physicalPorts;
};
} // namespace

ReportContent ConfigurationReport::build(const ExchClass &config, const Options &options)
{
    return Builder(config, options).build();
}
