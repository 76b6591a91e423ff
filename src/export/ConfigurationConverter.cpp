#include "export/ConfigurationConverter.h"

#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/OutputFile.h"
#include "model/RecordSlots.h"

#include <QDir>
#include <QIODevice>

#include <algorithm>
#include <iterator>

namespace {
// Virtual port Type and ActionType codes, and the highest of each that the
// new format can express.
enum PortType { Extension = 0, TieLine = 1, PublicAddress = 2 };
enum ActionType {
    ActExtension = 0,
    PortDisabled = 1,
    HotLine = 2,
    WarmLine = 3,
    Intercom = 4,
    TieIncoming = 5,
    Disa = 6
};
constexpr int HighestConvertibleType = PublicAddress;
constexpr int HighestConvertibleAction = Disa;
const char *const TypeNames[] = {"Extension", "Tie Line", "Public Address", "Auto Conference",
                                 "Talkback",  "Intercom", "Paging"};
const char *const ActionNames[] = {"Extension",  "Port Disabled",   "Hot Line", "Warm Line",
                                   "Intercom",   "Tie Incoming",    "DISA",     "PA",
                                   "Night Bell", "Emergency Phone", "Paging"};

enum GroupType { Hunt = 0, Mcf = 1, Scf = 3, Pickup = 4 };

// Flag bits beyond the slot convention.
constexpr int NoPinEntryBit = 2;
constexpr int InGroupBit = 1;
constexpr int InPickupBit = 3;

// ACL records 0 to 3 stand for the special users the new format writes as constants.
constexpr int FirstSystemUserRecord = 4;
constexpr int QuarterSecondsPerSecond = 4;
constexpr int DisaDelaySeconds = 20;

constexpr qsizetype FlushSize = 64 * 1024;

const QByteArray ListSeparator = QByteArrayLiteral("|");
const QByteArray FixedStamp = QByteArrayLiteral("<updated>09:30 25/06/2012</updated>");
const QByteArray EmptyAllowed = QByteArrayLiteral("<allowed/>");
const QByteArray NoneBanned = QByteArrayLiteral("<banned/>");

struct SpecialUser
{
    const char *opening;
    const char *name;
    const char *publicId;
    const char *passCode;
    const char *level;
    const char *priority;
    const char *ringType;
    const char *classOpening;
    bool classesAllowed; // the class text, then "|Not Used"; otherwise "<allowed/>"
    const char *rightsOpening;
    const char *rightsBanned;
    std::initializer_list<const char *> notes;
};

const SpecialUser SpecialUsers[] = {
    {"<user ID=\"0\" type=\"Unknown\">",
     "<name>Not Used</name>",
     "<publicid>None</publicid>",
     "<passcode>None</passcode>",
     "<level>-99</level>",
     "<priority>0</priority>",
     "<ringtype>0</ringtype>",
     "<class Default=\"Banned\">",
     false,
     "<rights Default=\"Banned\">",
     "<banned/>",
     {"<note>This is required to as a protection record in the exchange</note>"}},
    {"<user ID=\"1\" type=\"vrs\">",
     "<name>VRS</name>",
     "<publicid>7214</publicid>",
     "<passcode>KQWML</passcode>",
     "<level>-10</level>",
     "<priority>99</priority>",
     "<ringtype>3</ringtype>",
     "<class Default=\"Allowed\">",
     false,
     "<rights Override=\"yes\" Default=\"Allowed\">",
     "<banned>Inhibit priority Intrude</banned>",
     {"<note>Gives the access to the vrs only functions</note>",
      "<note>Currently there are no VRS only functions</note>"}},
    {"<user ID=\"2\" type=\"distributor\">",
     "<name>Dist 1</name>",
     "<publicid>6083</publicid>",
     "<passcode>9471</passcode>",
     "<level>0</level>",
     "<priority>99</priority>",
     "<ringtype>0</ringtype>",
     "<class Default=\"Banned\">",
     true,
     "<rights Default=\"allowed\">",
     "<banned>VRS 1|VRS 2|Inhibit priority Intrude</banned>",
     {"<note>Gives the access to the Distributor level 1 functions</note>"}},
    {"<user ID=\"3\" type=\"distributor\">",
     "<name>Dist 2</name>",
     "<publicid>0629</publicid>",
     "<passcode>8350</passcode>",
     "<level>0</level>",
     "<priority>99</priority>",
     "<ringtype>0</ringtype>",
     "<class Default=\"Banned\">",
     true,
     "<rights Default=\"Allowed\">",
     "<banned>VRS 1|VRS 2|Distributor 1|Inhibit priority Intrude</banned>",
     {"<note>Gives the access to the Distributor level 2 functions</note>"}},
};

struct Right
{
    const char *name;
    int code;
};

const Right KnownRights[] = {
    {"VRS 1", 0},
    {"VRS 2", 1},
    {"Distributor 1", 2},
    {"Distributor 2", 3},
    {"Engineering Mode|Readback Ext Number|Readback Connected Port|Readback User Number|Set Time and Date|"
     "Set Time Zone|Readback Time|Clear all alarms|Clear all Call Forwards|Play DISA message|Record DISA message",
     4},
    {"Transfer call", 16},
    {"Priority Intrude", 17},
    {"Set Alarm", 32},
    {"Set Remote Call Forwards", 33},
    {"Set Call Forwards", 34},
    {"Set Advance Call Forwards", 35},
    {"Pickup Ringing Extension", 36},
    {"Set Call back", 37},
    {"Change own PIN", 38},
    {"Test Extension", 39},
    {"Inhibit Priority Intrude", 48},
};

void appendIndented(QByteArray &out, int tabs, const QByteArray &text)
{
    out.append(qMax(tabs, 0), '\t');
    out.append(text);
    out.append("\r\n", 2);
}

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

bool containsAnyOf(const QByteArray &text, QByteArrayView characters)
{
    for (char c : text) {
        if (characters.contains(c))
            return true;
    }
    return false;
}

// Element content: the characters that would end or open markup become
// entities, and line breaks references, so that every element keeps its line.
QByteArray escaped(QByteArray text)
{
    if (!containsAnyOf(text, "&<>\r\n"))
        return text;
    return text.replace('&', QByteArrayLiteral("&amp;"))
        .replace('<', QByteArrayLiteral("&lt;"))
        .replace('>', QByteArrayLiteral("&gt;"))
        .replace('\r', QByteArrayLiteral("&#13;"))
        .replace('\n', QByteArrayLiteral("&#10;"));
}

// A value between the double quotes of an attribute.
QByteArray escapedAttribute(const QByteArray &text)
{
    QByteArray value = escaped(text);
    return value.contains('"') ? value.replace('"', QByteArrayLiteral("&quot;")) : value;
}

void appendItem(QByteArray &list, const QByteArray &item)
{
    if (!list.isEmpty())
        list += ListSeparator;
    list += item;
}

QByteArray cleanedName(QByteArray name)
{
    if (!containsAnyOf(name, ",<>&"))
        return name;
    return name.replace(QByteArrayLiteral(","), QByteArray()).replace('>', ')').replace('<', '(').replace('&', '-');
}

// Quarter seconds to whole seconds, a half going to the even neighbour.
int secondsFromQuarters(int quarters)
{
    const int seconds = quarters / QuarterSecondsPerSecond;
    const int rest = quarters % QuarterSecondsPerSecond;
    const int half = QuarterSecondsPerSecond / 2;
    return rest > half || (rest == half && seconds % 2 != 0) ? seconds + 1 : seconds;
}

QString codeName(const char *const *names, int count, int code)
{
    return code >= 0 && code < count ? QString::fromLatin1(names[code]) : QString::number(code);
}

bool isInUse(const RecordClass &structure, int rec)
{
    return RecordSlots::isInUseAndEnabled(structure, rec);
}
} // namespace

const QString ConfigurationConverter::NotConvertibleMessage =
    QStringLiteral("Not able to convert configuration automatically");

ConfigurationConverter::ConfigurationConverter(ExchClass &config, Clock clock)
    : m_config(config)
    , m_clock(std::move(clock))
{
}

bool ConfigurationConverter::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool ConfigurationConverter::ConvertFile(const QString &fileName)
{
    m_error.clear();
    if (!PreCheck())
        return false;
    const QString shownName = QDir::toNativeSeparators(fileName);
    OutputFile file(fileName);
    if (!file.open())
        return fail(QStringLiteral("Not able to create the file %1: %2").arg(shownName, file.errorString()));
    CleanNames();
    writeConfiguration(file.device());
    if (m_writeFailed) {
        const QString reason = file.device().errorString();
        file.cancel();
        return fail(QStringLiteral("Not able to write the file %1: %2").arg(shownName, reason));
    }
    if (!file.commit())
        return fail(QStringLiteral("Not able to write the file %1: %2").arg(shownName, file.errorString()));
    return true;
}

bool ConfigurationConverter::convert(QIODevice &file)
{
    m_error.clear();
    if (!PreCheck())
        return false;
    CleanNames();
    writeConfiguration(file);
    if (m_writeFailed)
        return fail(QStringLiteral("Not able to write the configuration: %1").arg(file.errorString()));
    return true;
}

bool ConfigurationConverter::PreCheck()
{
    const RecordClass &ports = m_config.VirtualPorts();
    for (int v = 0; v < ports.Records(); ++v) {
        if (!isInUse(ports, v))
            continue;
        const int type = ports.GetInteger(FieldNames::Type, v);
        const int action = ports.GetInteger(FieldNames::ActionType, v);
        QString obstacle;
        if (type > HighestConvertibleType)
            obstacle = QStringLiteral("type \"%1\"").arg(codeName(TypeNames, std::size(TypeNames), type));
        else if (action > HighestConvertibleAction || action == WarmLine)
            obstacle = QStringLiteral("action \"%1\"").arg(codeName(ActionNames, std::size(ActionNames), action));
        if (!obstacle.isEmpty()) {
            return fail(
                NotConvertibleMessage + QLatin1Char('\n')
                + QStringLiteral("Virtual port %1 \"%2\" has the %3, which a K7101/K7202 configuration cannot hold.")
                      .arg(QString::number(v), QString::fromLatin1(ports.GetString(FieldNames::Name, v)), obstacle));
        }
    }

    const RecordClass &classes = m_config.ClassList();
    int classCount = 0;
    for (int i = 0; i < classes.Records(); ++i) {
        if (!RecordSlots::isFree(classes, i))
            ++classCount;
    }
    if (classCount > ClassTableSize) {
        return fail(NotConvertibleMessage + QLatin1Char('\n')
                    + QStringLiteral("The configuration has %1 classes; a K7101/K7202 configuration holds at most %2.")
                          .arg(classCount)
                          .arg(ClassTableSize));
    }
    return true;
}

void ConfigurationConverter::CleanNames()
{
    for (RecordClass *structure : {&m_config.VirtualPorts(), &m_config.ACL(), &m_config.Groups()}) {
        for (int rec = 0; rec < structure->Records(); ++rec) {
            if (!isInUse(*structure, rec))
                continue;
            const QByteArray name = structure->GetString(FieldNames::Name, rec);
            const QByteArray cleaned = cleanedName(name);
            if (cleaned != name)
                structure->SetString(FieldNames::Name, rec, cleaned, &m_namesChanged);
        }
    }
}

void ConfigurationConverter::BuildRightsTable()
{
    m_rightsTable = {};
    int entry = 1;
    for (const Right &right : KnownRights)
        m_rightsTable[std::size_t(entry++)] = {QByteArray(right.name), right.code, true};

    const int bits = m_config.ACL().BitCount(FieldNames::Rights);
    m_rightCodes.clear();
    for (const RightEntry &right : m_rightsTable) {
        if (right.used && right.code < bits && !m_rightCodes.contains(right.code))
            m_rightCodes.append(right.code);
    }
    std::sort(m_rightCodes.begin(), m_rightCodes.end());
}

QByteArray ConfigurationConverter::UpdateStamp(const QDateTime &time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    return QByteArrayLiteral("<updated>")
        + QString::asprintf("%02d:%02d %02d/%02d/%04d", clock.hour(), clock.minute(), date.day(), date.month(),
                            date.year())
              .toLatin1()
        + QByteArrayLiteral("</updated>");
}

bool ConfigurationConverter::WriteIndented(QIODevice &file, int tabs, const QByteArray &text)
{
    QByteArray bytes;
    appendIndented(bytes, tabs, text);
    return file.write(bytes) == bytes.size();
}

void ConfigurationConverter::line(QIODevice &file, int tabs, const QByteArray &text)
{
    appendIndented(m_pending, tabs, text);
    if (m_pending.size() >= FlushSize)
        flush(file);
}

void ConfigurationConverter::flush(QIODevice &file)
{
    // After the first failure the file is abandoned; the rest need not be tried.
    if (!m_writeFailed && file.write(m_pending) != m_pending.size())
        m_writeFailed = true;
    m_pending.truncate(0);
}

void ConfigurationConverter::writeConfiguration(QIODevice &file)
{
    m_writeFailed = false;
    m_pending.reserve(FlushSize + FlushSize / 4);
    m_ports.emplace(m_config);
    const QByteArray stamp = UpdateStamp(m_clock());
    writeGeneral(file, stamp);
    writeClasses(file, stamp);
    writeSpecialUsers(file);
    BuildRightsTable();
    writeSystemUsers(file, stamp);
    line(file, 1, "<extensions>");
    writePorts(file, stamp, VirtualPortLookup::ExtensionPort);
    line(file, 1, "</extensions>");
    line(file, 1, "<externals>");
    writePorts(file, stamp, VirtualPortLookup::ExternalLine);
    line(file, 1, "</externals>");
    writeGroups(file, stamp);
    line(file, 0, "</pabx>");
    flush(file);
    m_pending = QByteArray();
    m_ports.reset();
}

void ConfigurationConverter::writeGeneral(QIODevice &file, const QByteArray &stamp)
{
    line(file, 0, "<?xml version=\"1.0\"?>");
    line(file, 0, "<?xml-stylesheet type=\"text/xsl\" href=\"TRV5Kconfig.xsl\"?>");
    line(file, 0, "<pabx system=\"ORVX\" Quillbridge=\"3\" XSL=\"1\">");
    line(file, 1, "<General>");
    line(file, 2, stamp);
    line(file, 2, "<Version>1</Version>");
    line(file, 2, "<Name>" + escaped(m_config.System().GetString(FieldNames::Name, 0)) + "</Name>");
    line(file, 2, "<notes>");
    line(file, 3, "<note>Converted from a Orvex Digital configuration</note>");
    line(file, 2, "</notes>");
    line(file, 1, "</General>");
}

void ConfigurationConverter::writeClasses(QIODevice &file, const QByteArray &stamp)
{
    line(file, 1, "<classes>");
    line(file, 2, "<class ID=\"0\">");
    line(file, 3, FixedStamp);
    line(file, 3, "<name>Not Used</name>");
    line(file, 3, "<type>Unused</type>");
    line(file, 2, "</class>");

    m_classTable = {};
    m_classText.clear();
    const RecordClass &classes = m_config.ClassList();
    int id = 1;
    for (int i = 0; i < classes.Records() && id <= ClassTableSize; ++i) {
        if (RecordSlots::isFree(classes, i))
            continue;
        const QByteArray name = classes.GetString(FieldNames::Name, i);
        line(file, 2, "<class ID=\"" + number(id) + "\">");
        line(file, 3, stamp);
        line(file, 3, "<name>" + escaped(name) + "</name>");
        line(file, 3, "<type>Extension|External|Public Address</type>");
        line(file, 2, "</class>");
        m_classTable[std::size_t(id)] = {name, quint16(i), true};
        appendItem(m_classText, escaped(name));
        ++id;
    }
    line(file, 1, "</classes>");
}

void ConfigurationConverter::writeSpecialUsers(QIODevice &file)
{
    line(file, 1, "<users type=\"special\">");
    for (const SpecialUser &user : SpecialUsers) {
        line(file, 2, user.opening);
        line(file, 3, FixedStamp);
        line(file, 3, user.name);
        line(file, 3, user.publicId);
        line(file, 3, user.passCode);
        line(file, 3, user.level);
        line(file, 3, user.priority);
        line(file, 3, user.ringType);
        line(file, 3, "<icon>0</icon>");
        line(file, 3, user.classOpening);
        line(file, 4, user.classesAllowed ? "<allowed>" + m_classText + "|Not Used</allowed>" : EmptyAllowed);
        line(file, 4, NoneBanned);
        line(file, 3, "</class>");
        line(file, 3, user.rightsOpening);
        line(file, 4, EmptyAllowed);
        line(file, 4, user.rightsBanned);
        line(file, 3, "</rights>");
        line(file, 3, "<notes>");
        for (const char *note : user.notes)
            line(file, 4, note);
        line(file, 3, "</notes>");
        line(file, 2, "</user>");
    }
    line(file, 1, "</users>");
}

QByteArray ConfigurationConverter::classesIn(const RecordClass &structure, const QByteArray &field, int rec) const
{
    QByteArray names;
    for (int id = 1; id <= ClassTableSize; ++id) {
        const ClassEntry &entry = m_classTable[std::size_t(id)];
        if (entry.used && structure.GetBit(field, rec, entry.record))
            appendItem(names, entry.name);
    }
    return names;
}

QByteArray ConfigurationConverter::allowedRights(int rec) const
{
    // Bits with no right of the new format behind them add nothing, so only
    // the known codes are read, wherever they lie in the field.
    const RecordClass &acl = m_config.ACL();
    QByteArray names;
    for (int code : std::as_const(m_rightCodes)) {
        if (!acl.GetBit(FieldNames::Rights, rec, code))
            continue;
        for (int entry = 1; entry <= RightsTableSize; ++entry) {
            const RightEntry &right = m_rightsTable[std::size_t(entry)];
            if (right.used && right.code == code)
                appendItem(names, right.name);
        }
    }
    return names;
}

void ConfigurationConverter::writeSystemUsers(QIODevice &file, const QByteArray &stamp)
{
    const RecordClass &acl = m_config.ACL();
    line(file, 1, "<users type=\"system\">");
    int id = 0;
    for (int i = FirstSystemUserRecord; i < acl.Records(); ++i) {
        if (!isInUse(acl, i))
            continue;
        line(file, 2, "<user ID=\"" + number(id++) + "\" type=\"user\">");
        line(file, 3, stamp);
        line(file, 3, "<name>" + escaped(acl.GetString(FieldNames::Name, i)) + "</name>");
        if (acl.GetBoolean(FieldNames::Flag, i, NoPinEntryBit, 0)) {
            line(file, 3, "<publicid>none</publicid>");
            line(file, 3, "<passcode>none</passcode>");
        } else {
            line(file, 3, "<publicid>" + acl.GetDigit(FieldNames::PublicID, i) + "</publicid>");
            line(file, 3, "<passcode>" + acl.GetDigit(FieldNames::PassCode, i) + "</passcode>");
        }
        line(file, 3, "<level>10</level>");
        line(file, 3, "<priority>1</priority>");
        line(file, 3, "<ringtype>" + number(acl.GetInteger(FieldNames::RingType, i)) + "</ringtype>");
        line(file, 3, "<icon>0</icon>");
        line(file, 3, "<class Default=\"Banned\">");
        line(file, 4, "<allowed>" + escaped(classesIn(acl, FieldNames::ClassAccess, i)) + "</allowed>");
        line(file, 4, NoneBanned);
        line(file, 3, "</class>");
        line(file, 3, "<rights Default=\"Banned\">");
        line(file, 4, "<allowed>" + allowedRights(i) + "</allowed>");
        line(file, 4, NoneBanned);
        line(file, 3, "</rights>");
        line(file, 3, "<notes>");
        line(file, 3, "</notes>");
        line(file, 2, "</user>");
    }
    line(file, 1, "</users>");
}

void ConfigurationConverter::writePorts(QIODevice &file, const QByteArray &stamp, int kind)
{
    const RecordClass &ports = m_config.VirtualPorts();
    quint16 id = 0;
    for (int v = 0; v < ports.Records(); ++v) {
        if (isInUse(ports, v) && m_ports->FindVPPort(v).kind == kind)
            id = ConvertExtVP(file, stamp, id, quint16(v));
    }
}

quint16 ConfigurationConverter::ConvertExtVP(QIODevice &file, const QByteArray &stamp, quint16 id, quint16 v)
{
    const RecordClass &ports = m_config.VirtualPorts();
    const VirtualPortLookup::PortLocation location = m_ports->FindVPPort(v);
    line(file, 2, "<ext ID=\"" + number(id) + "\">");
    line(file, 3, stamp);
    line(file, 3, "<name>" + escaped(ports.GetString(FieldNames::Name, v)) + "</name>");
    switch (ports.GetInteger(FieldNames::Type, v)) {
    case TieLine:
        line(file, 3, "<type>TieLine</type>");
        break;
    case PublicAddress:
        line(file, 3, "<type>PublicAddress</type>");
        break;
    default:
        break;
    }
    line(file, 3, "<action>");
    writeActionLines(file, v);
    line(file, 3, "</action>");
    line(file, 3, "<position>" + number(location.board) + "." + number(location.port) + "</position>");
    line(file, 3, "<number>");
    line(file, 4, "<std>" + m_ports->ListVPNumbers(v) + "</std>");
    line(file, 3, "</number>");
    line(file, 3, "<flags></flags>");
    line(file, 3, "<cli>");
    line(file, 4, "<allow>All</allow>");
    line(file, 4, "<style>UK</style>");
    line(file, 3, "</cli>");
    line(file, 3, "<logging>");
    line(file, 4, "<from>False</from>");
    line(file, 4, "<to>False</to>");
    line(file, 3, "</logging>");
    if (location.kind == VirtualPortLookup::ExternalLine) {
        line(file, 3, "<txgain>6</txgain>");
        line(file, 3, "<rxgain>3</rxgain>");
    } else {
        line(file, 3, "<txgain>0</txgain>");
        line(file, 3, "<rxgain>-6</rxgain>");
    }
    line(file, 3, "<class member=\"" + escapedAttribute(classesIn(ports, FieldNames::ClassCode, v)) + "\">");
    line(file, 3, "</class>");
    const int acl = ports.GetInteger(FieldNames::ACLID, v);
    line(file, 3, "<rights user=\"" + escapedAttribute(m_config.ACL().GetString(FieldNames::Name, acl)) + "\">");
    line(file, 3, "</rights>");
    line(file, 3, "<notes>");
    line(file, 3, "</notes>");
    writePortGroups(file, v);
    line(file, 2, "</ext>");
    return quint16(id + 1);
}

void ConfigurationConverter::writeActionLines(QIODevice &file, int v)
{
    const RecordClass &ports = m_config.VirtualPorts();
    const int type = ports.GetInteger(FieldNames::Type, v);
    const int action = ports.GetInteger(FieldNames::ActionType, v);
    const auto lines = [&](const QByteArray &mode, const QByteArray &extension, const QByteArray &delay) {
        line(file, 4, mode);
        line(file, 4, extension);
        line(file, 4, delay);
    };
    if (type == Extension && (action == ActExtension || action == PortDisabled)) {
        lines("<mode>Extension</mode>", "<extension/>", "<delay/>");
    } else if (type == Extension && action == HotLine) {
        lines("<mode>Hotline</mode>",
              "<extension>" + number(ports.GetInteger(FieldNames::ActionExtra, v, 0)) + "</extension>", "<delay/>");
    } else if (type == TieLine && action == TieIncoming) {
        lines("<mode>Incoming</mode>", "<extension>" + ports.GetDigit(FieldNames::ActionExtra, v, 0) + "</extension>",
              "<delay/>");
    } else if (type == TieLine && action == Disa) {
        lines("<mode>DISA</mode>", "<extension>" + ports.GetDigit(FieldNames::ActionExtra, v, 0) + "</extension>",
              "<delay>" + number(DisaDelaySeconds) + "</delay>");
    } else if (type == PublicAddress) {
        lines("<mode>outgoing</mode>", "<extension/>", "<delay/>");
    }
}

void ConfigurationConverter::writePortGroups(QIODevice &file, int v)
{
    const RecordClass &ports = m_config.VirtualPorts();
    const RecordClass &groups = m_config.Groups();
    const bool inGroup = ports.GetBoolean(FieldNames::Flag, v, InGroupBit, 0);
    const bool inPickup = ports.GetBoolean(FieldNames::Flag, v, InPickupBit, 0);
    if (!inGroup && !inPickup)
        return;
    line(file, 3, "<groups>");
    if (inGroup) {
        const int g = ports.GetInteger(FieldNames::GroupID, v);
        const QByteArray name = escaped(groups.GetString(FieldNames::Name, g));
        switch (groups.GetInteger(FieldNames::GroupType, g)) {
        case Hunt:
            line(file, 4, "<hunt>" + name + "</hunt>");
            break;
        case Mcf:
        case Scf:
            line(file, 4, "<ring>" + name + "</ring>");
            break;
        default:
            break;
        }
    }
    if (inPickup) {
        const int pickup = ports.GetInteger(FieldNames::PickupID, v);
        line(file, 4, "<pickup>" + escaped(groups.GetString(FieldNames::Name, pickup)) + "</pickup>");
    }
    line(file, 3, "</groups>");
}

void ConfigurationConverter::writeGroups(QIODevice &file, const QByteArray &stamp)
{
    const RecordClass &groups = m_config.Groups();
    // MembersUsed has a bit for every member slot; slots beyond the member
    // list would only alias its first element.
    const int memberSlots =
        qMin(groups.BitCount(FieldNames::MembersUsed), qMax<int>(groups.GetItems(FieldNames::GroupMembers), 1));
    line(file, 1, "<groups>");
    int id = 0;
    for (int g = 0; g < groups.Records(); ++g) {
        if (!isInUse(groups, g))
            continue;
        line(file, 2, "<group ID=\"" + number(id) + "\">");
        line(file, 3, stamp);
        const QByteArray name = groups.GetString(FieldNames::Name, g);
        line(file, 3,
             name.isEmpty() ? "<name>Group No" + number(id) + "</name>" : "<name>" + escaped(name) + "</name>");
        QByteArray mode;
        switch (groups.GetInteger(FieldNames::GroupType, g)) {
        case Hunt:
            line(file, 3, "<type>Hunt</type>");
            break;
        case Mcf:
            line(file, 3, "<type>Ring</type>");
            mode = " mode=\"continue\"";
            break;
        case Scf:
            line(file, 3, "<type>None</type>");
            mode = " mode=\"stop\"";
            break;
        case Pickup:
            line(file, 3, "<type>Pickup</type>");
            break;
        default:
            break;
        }
        line(file, 3, "<number/>");
        line(file, 3, "<lead " + mode + "/>");
        for (int m : groups.GetBits(FieldNames::MembersUsed, g)) {
            if (m >= memberSlots)
                break;
            const int delay = secondsFromQuarters(groups.GetInteger(FieldNames::TimeToNext, g, m));
            const int port = groups.GetInteger(FieldNames::GroupMembers, g, m);
            line(file, 3,
                 "<member" + mode + " delay=\"" + number(delay) + "\">" + m_ports->ListVPNumbers(port) + "</member>");
        }
        line(file, 2, "</group>");
        ++id;
    }
    line(file, 1, "</groups>");
}
