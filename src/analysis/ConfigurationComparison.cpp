#include "analysis/ConfigurationComparison.h"

#include "analysis/ByteText.h"
#include "analysis/FieldValueReader.h"
#include "core/DebugLog.h"
#include "model/ExchClass.h"
#include "model/FieldDef.h"
#include "model/FieldNames.h"
#include "model/RecordLabel.h"
#include "model/RecordSlots.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace {
using Use = ConfigurationChange::Use;
constexpr int BitsPerByte = 8;
const QString &AbsentText = ConfigurationChange::AbsentText;

DebugLog &logOf(const ExchClass &config)
{
    return config.log() ? *config.log() : DebugLog::shared();
}

QString structureName(const QByteArray &name)
{
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1) == '\0')
        --end;
    const QString text = ByteText::quoted(name.left(end));
    return end < name.size() ? text + QStringLiteral(" + %1 NUL").arg(name.size() - end) : text;
}

QString fieldText(const FieldDef &f)
{
    return QStringLiteral("type %1, size %2, items %3, start %4").arg(f.Type).arg(f.Size).arg(f.Items).arg(f.StartPosn);
}

// A layout's entries under the names a person knows them by: `field "Name"`,
// `field "Name" #2` for a name repeated, `unnamed field #1`. Matching entries
// by these rather than by position keeps one inserted entry one change.
QList<std::pair<QString, FieldDef>> keyedFields(const RecordClass &s)
{
    QList<std::pair<QString, FieldDef>> fields;
    QHash<QByteArray, int> seen;
    for (int i = 0; i <= s.Items(); ++i) {
        const FieldDef f = s.field(i);
        const int repeat = ++seen[f.Name];
        QString key =
            f.Name.isEmpty() ? QStringLiteral("unnamed field") : QStringLiteral("field ") + ByteText::quoted(f.Name);
        if (repeat > 1 || f.Name.isEmpty())
            key += QStringLiteral(" #%1").arg(repeat);
        fields.append({key, f});
    }
    return fields;
}

// The layout's differences, item by item; none when the layouts agree.
QList<LayoutChange> compareLayouts(int member, const RecordClass &a, const RecordClass &b)
{
    QList<LayoutChange> changes;
    const auto differ = [&](const QString &item, const QString &oldText, const QString &newText) {
        if (oldText != newText)
            changes.append(LayoutChange{member, item, oldText, newText});
    };
    differ(QStringLiteral("name"), structureName(a.Name()), structureName(b.Name()));
    differ(QStringLiteral("type"), QString::number(a.StructType()), QString::number(b.StructType()));
    differ(QStringLiteral("record size"), QString::number(a.StructSize()), QString::number(b.StructSize()));
    differ(QStringLiteral("fields"), QString::number(a.Items()), QString::number(b.Items()));

    const QList<std::pair<QString, FieldDef>> oldFields = keyedFields(a);
    QList<std::pair<QString, FieldDef>> newFields = keyedFields(b);
    for (const std::pair<QString, FieldDef> &entry : oldFields) {
        const QString &key = entry.first;
        const FieldDef &field = entry.second;
        const auto match = std::find_if(newFields.begin(), newFields.end(),
                                        [&key](const std::pair<QString, FieldDef> &f) { return f.first == key; });
        if (match == newFields.end()) {
            differ(key, fieldText(field), AbsentText);
            continue;
        }
        differ(key, fieldText(field), fieldText(match->second));
        newFields.erase(match);
    }
    for (const auto &[key, field] : std::as_const(newFields))
        differ(key, AbsentText, fieldText(field));
    // Entries that only changed places: the first of a repeated name is the one read.
    if (changes.isEmpty()) {
        for (int i = 0; i <= a.Items(); ++i) {
            differ(QStringLiteral("entry %1").arg(i), ByteText::quoted(a.field(i).Name),
                   ByteText::quoted(b.field(i).Name));
        }
    }
    return changes;
}

// One structure's records on both sides, in a comparison.
class StructureComparison
{
public:
    StructureComparison(const ExchClass &oldConfig, const ExchClass &newConfig, int member, bool sameLayout,
                        const FieldValueReader &oldReader, const FieldValueReader &newReader,
                        QList<ConfigurationChange> &out)
        : m_member(member)
        , m_a(oldConfig.member(member))
        , m_b(newConfig.member(member))
        , m_sameLayout(sameLayout)
        , m_oldReader(oldReader)
        , m_newReader(newReader)
        , m_out(out)
        , m_mapsEqual(m_a.usedMap() == m_b.usedMap())
        , m_aHasFlag(m_a.GetType(FieldNames::Flag) == FieldType::Boolean)
        , m_bHasFlag(m_b.GetType(FieldNames::Flag) == FieldType::Boolean)
        , m_aHasName(m_a.GetType(FieldNames::Name) == FieldType::String)
        , m_bHasName(m_b.GetType(FieldNames::Name) == FieldType::String)
    {
        if (!sameLayout)
            return;
        m_named = FieldValueReader::namedFields(m_a);
        m_covered = QList<bool>(qMax<int>(m_a.StructSize(), 0), false);
        for (int i = 0; i <= m_a.Items(); ++i) {
            const FieldDef f = m_a.field(i);
            if (!FieldValueReader::isListed(f))
                continue;
            m_listed.append({i, f});
            for (int p = f.StartPosn; p < f.StartPosn + f.byteLength(); ++p) {
                if (p >= 1 && p <= m_covered.size())
                    m_covered[p - 1] = true;
            }
        }
        m_flagIndex = m_aHasFlag ? m_a.fieldIndex(FieldNames::Flag) : -1;
    }

    void compare()
    {
        const int count = qMax(m_a.Records(), m_b.Records());
        for (int rec = 0; rec < count; ++rec) {
            const bool bothPresent = rec < m_a.Records() && rec < m_b.Records();
            if (bothPresent && m_a.record(rec) == m_b.record(rec)
                && (m_mapsEqual || mapped(m_a, rec) == mapped(m_b, rec)))
                continue;
            compareRecord(rec);
        }
    }

private:
    // Where the map is too short for a record it leaves the record unused, as
    // GetRecordUsed does, without the diagnostic.
    static bool mapped(const RecordClass &s, int rec)
    {
        return rec / BitsPerByte < s.usedMap().size() && s.GetRecordUsed(rec);
    }

    static Use use(const RecordClass &s, bool hasFlag, int rec)
    {
        if (rec >= s.Records())
            return Use::Absent;
        const bool free = hasFlag && !s.record(rec).isEmpty() && RecordSlots::isFree(s, rec);
        if (s.usedMap().isEmpty())
            return free ? Use::Free : Use::Used;
        const bool inMap = mapped(s, rec);
        if (!hasFlag)
            return inMap ? Use::Used : Use::Free;
        if (inMap)
            return free ? Use::FreeButMapped : Use::Used;
        return free ? Use::Free : Use::UsedButUnmapped;
    }

    void compareRecord(int rec)
    {
        const Use oldUse = use(m_a, m_aHasFlag, rec);
        const Use newUse = use(m_b, m_bHasFlag, rec);
        ConfigurationChange base = named(rec, oldUse, newUse);
        if (oldUse != newUse) {
            ConfigurationChange usage = base;
            usage.kind = ConfigurationChange::Kind::Usage;
            usage.oldUse = oldUse;
            usage.newUse = newUse;
            m_out.append(std::move(usage));
            // A record freed or gone holds nothing the engineer needs to read.
            if (!ConfigurationChange::inUse(newUse))
                return;
        }

        const bool hasOld = oldUse != Use::Absent;
        const bool hasNew = newUse != Use::Absent;
        const QByteArray oldRecord = m_a.record(rec);
        const QByteArray newRecord = m_b.record(rec);
        if (hasOld && hasNew && oldRecord == newRecord)
            return;
        if (!m_sameLayout) {
            appendRecord(base, hasOld, hasNew, oldRecord, newRecord);
            return;
        }

        for (const auto &[i, f] : std::as_const(m_listed)) {
            if (hasOld && hasNew && fieldView(oldRecord, f) == fieldView(newRecord, f))
                continue;
            std::optional<FieldValue> oldValue;
            std::optional<FieldValue> newValue;
            if (hasOld)
                oldValue = m_oldReader.read(m_a, m_named, i, rec);
            if (hasNew)
                newValue = m_newReader.read(m_b, m_named, i, rec);
            if (oldValue && newValue && *oldValue == *newValue) {
                // Equal as read, different as stored (a byte after a text's end).
                oldValue = FieldValue::raw(FieldValueReader::fieldBytes(oldRecord, f));
                newValue = FieldValue::raw(FieldValueReader::fieldBytes(newRecord, f));
            } else if (i == m_flagIndex && oldUse != newUse && oldValue && newValue
                       && onlyFreeBitDiffers(*oldValue, *newValue)) {
                continue;
            }
            ConfigurationChange change = base;
            change.kind = ConfigurationChange::Kind::Field;
            change.fieldIndex = i;
            change.field = QString::fromLatin1(f.Name);
            change.oldValue = std::move(oldValue);
            change.newValue = std::move(newValue);
            m_out.append(std::move(change));
        }
        if (hasOld && hasNew && differOutsideFields(oldRecord, newRecord))
            appendRecord(base, hasOld, hasNew, oldRecord, newRecord);
    }

    // A field's bytes as far as the record holds them, without a copy.
    static QByteArrayView fieldView(const QByteArray &record, const FieldDef &f)
    {
        const qsizetype start = f.StartPosn - 1;
        if (f.byteLength() <= 0 || start < 0 || start >= record.size())
            return {};
        return QByteArrayView(record).sliced(start, qMin<qsizetype>(f.byteLength(), record.size() - start));
    }

    static bool onlyFreeBitDiffers(FieldValue a, FieldValue b)
    {
        if (a.kind != FieldValue::Kind::Bits || b.kind != FieldValue::Kind::Bits)
            return false;
        a.numbers.removeAll(RecordSlots::FreeBit);
        b.numbers.removeAll(RecordSlots::FreeBit);
        return a.numbers == b.numbers;
    }

    bool differOutsideFields(const QByteArray &a, const QByteArray &b) const
    {
        if (a.size() != b.size())
            return true;
        for (qsizetype p = 0; p < a.size(); ++p) {
            if (a.at(p) != b.at(p) && !m_covered.value(p))
                return true;
        }
        return false;
    }

    void appendRecord(const ConfigurationChange &base, bool hasOld, bool hasNew, const QByteArray &oldRecord,
                      const QByteArray &newRecord)
    {
        ConfigurationChange change = base;
        change.kind = ConfigurationChange::Kind::Record;
        if (hasOld)
            change.oldValue = FieldValue::raw(oldRecord);
        if (hasNew)
            change.newValue = FieldValue::raw(newRecord);
        m_out.append(std::move(change));
    }

    // A change of this record, named from the side that uses it.
    ConfigurationChange named(int rec, Use oldUse, Use newUse) const
    {
        ConfigurationChange change;
        change.member = m_member;
        change.record = rec;
        QByteArray name;
        if (ConfigurationChange::inUse(oldUse) && m_aHasName)
            name = m_a.GetString(FieldNames::Name, rec);
        else if (!ConfigurationChange::inUse(oldUse) && ConfigurationChange::inUse(newUse) && m_bHasName)
            name = m_b.GetString(FieldNames::Name, rec);
        change.recordName = QString::fromLatin1(name);
        change.recordLabel = RecordLabel::record(m_member, rec, name);
        return change;
    }

    const int m_member;
    const RecordClass &m_a;
    const RecordClass &m_b;
    const bool m_sameLayout;
    const FieldValueReader &m_oldReader;
    const FieldValueReader &m_newReader;
    QList<ConfigurationChange> &m_out;
    const bool m_mapsEqual;
    const bool m_aHasFlag;
    const bool m_bHasFlag;
    const bool m_aHasName;
    const bool m_bHasName;
    QList<bool> m_named;
    // The entries listed, with their layout.
    QList<std::pair<int, FieldDef>> m_listed;
    // Record bytes, from 0, that some listed field reads.
    QList<bool> m_covered;
    int m_flagIndex = -1;
};
} // namespace

ConfigurationComparison::ConfigurationComparison(const ExchClass &oldConfig, const ExchClass &newConfig)
{
    const FieldValueReader oldReader(logOf(oldConfig));
    const FieldValueReader newReader(logOf(newConfig));
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        const QList<LayoutChange> layout = compareLayouts(member, oldConfig.member(member), newConfig.member(member));
        m_layoutChanges.append(layout);
        StructureComparison(oldConfig, newConfig, member, layout.isEmpty(), oldReader, newReader, m_changes).compare();
    }
}

QList<int> ConfigurationComparison::changedMembers() const
{
    std::array<bool, ExchClass::MemberCount> changed{};
    for (const ConfigurationChange &change : m_changes)
        changed[change.member] = true;
    for (const LayoutChange &change : m_layoutChanges)
        changed[change.member] = true;
    QList<int> members;
    for (int member = 0; member < ExchClass::MemberCount; ++member) {
        if (changed[member])
            members.append(member);
    }
    return members;
}

QStringList ConfigurationComparison::recordLines(const std::function<bool(int member)> &includes) const
{
    QStringList lines;
    const ConfigurationChange *previous = nullptr;
    for (const ConfigurationChange &change : m_changes) {
        if (includes && !includes(change.member))
            continue;
        if (previous && previous->member == change.member && previous->record == change.record)
            lines.last() += QStringLiteral("; ") + change.changeText();
        else
            lines.append(change.recordLabel + QStringLiteral(": ") + change.changeText());
        previous = &change;
    }
    return lines;
}
