#include "transfer/ChangedRecords.h"

#include "analysis/ConfigurationComparison.h"
#include "model/ExchClass.h"
#include "transfer/TransferEngine.h"

namespace {
bool sameLayout(const RecordClass &a, const RecordClass &b)
{
    return a.StructType() == b.StructType() && a.DefinitionData() == b.DefinitionData();
}

} // namespace

ChangedRecords::ChangedRecords(const ExchClass &baseline, const ExchClass &document)
{
    for (int member = 0; member < ExchClass::MemberCount && m_layoutDifference < 0; ++member) {
        if (!sameLayout(baseline.member(member), document.member(member)))
            m_layoutDifference = member;
    }
    if (m_layoutDifference >= 0)
        return;
    const ConfigurationComparison comparison(baseline, document);
    if (!comparison.layoutChanges().isEmpty()) {
        m_layoutDifference = comparison.layoutChanges().first().member;
        return;
    }
    for (const ConfigurationChange &change : comparison.changes()) {
        const RecordRef record{change.member, change.record};
        if (TransferEngine::sendsMember(change.member) && (m_records.isEmpty() || m_records.constLast() != record))
            m_records.append(record);
    }
    m_lines = comparison.recordLines(&TransferEngine::sendsMember);
}

QString ChangedRecords::layoutRefusal(const QString &baseline) const
{
    return QStringLiteral("The layout of %1 differs from the baseline (%2): send the whole configuration")
        .arg(QLatin1String(ExchClass::info(qMax(m_layoutDifference, 0)).name), baseline);
}

QString ChangedRecords::nothingChanged(const QString &baseline)
{
    return QStringLiteral("Nothing changed since %1").arg(baseline);
}

QString ChangedRecords::heading(const QString &baseline)
{
    return QStringLiteral("Changes since %1").arg(baseline);
}
