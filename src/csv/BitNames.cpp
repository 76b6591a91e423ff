#include "csv/BitNames.h"

#include "analysis/FieldReader.h"
#include "model/ExchClass.h"
#include "model/FieldNames.h"
#include "model/RecordSlots.h"

namespace {
const QChar Separator = u';';

bool usable(const QString &name)
{
    if (name.isEmpty() || name.contains(Separator) || name.front().isSpace() || name.back().isSpace())
        return false;
    bool number = false;
    name.toUInt(&number);
    return !number;
}

bool sameName(QByteArrayView a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isClassField(int member, QByteArrayView field)
{
    if (member == ExchClass::VirtualPortsMember)
        return sameName(field, FieldNames::ClassCode);
    return member == ExchClass::ACLMember
        && (sameName(field, FieldNames::ClassAccess) || sameName(field, FieldNames::SetAccess));
}
} // namespace

BitNames BitNames::of(const ExchClass &config, int member, QByteArrayView field)
{
    QList<Candidate> candidates;
    if (isClassField(member, field)) {
        const RecordClass &classes = config.ClassList();
        const FieldReader flag(classes, FieldNames::Flag);
        const FieldReader name(classes, FieldNames::Name);
        const FieldReader position(classes, FieldNames::ClassCodePosn);
        for (int i = 0; i < classes.Records(); ++i) {
            const bool free = flag.isBits() && flag.bit(i, RecordSlots::FreeBit).value_or(true);
            const std::optional<QByteArray> text = name.text(i);
            const std::optional<int> bit = position.integer(i);
            if (!free && text && bit)
                candidates.append({*bit, QString::fromLatin1(*text)});
        }
    } else if (member == ExchClass::ACLMember && sameName(field, FieldNames::Rights)) {
        const RecordClass &rights = config.Rights();
        for (int i = 1; i <= rights.Items(); ++i)
            candidates.append({rights.field(i).Items, QString::fromLatin1(rights.ItemsNames(i))});
    }
    return BitNames(candidates);
}

BitNames::BitNames(const QList<Candidate> &candidates)
{
    QHash<QString, int> nameCounts;
    QHash<int, int> bitCounts;
    for (const Candidate &c : candidates) {
        if (!usable(c.name))
            continue;
        ++nameCounts[c.name.toCaseFolded()];
        ++bitCounts[c.bit];
    }
    for (const Candidate &c : candidates) {
        const QString folded = c.name.toCaseFolded();
        if (!usable(c.name) || nameCounts.value(folded) != 1 || bitCounts.value(c.bit) != 1)
            continue;
        m_names.insert(c.bit, c.name);
        m_bits.insert(folded, c.bit);
    }
}

std::optional<int> BitNames::bit(const QString &name) const
{
    const auto it = m_bits.constFind(name.toCaseFolded());
    if (it == m_bits.cend())
        return std::nullopt;
    return it.value();
}
