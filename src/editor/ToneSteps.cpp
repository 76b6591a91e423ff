#include "editor/ToneSteps.h"

#include "editor/TrackedRecord.h"
#include "model/FieldNames.h"
#include "model/RecordClass.h"

#include <QLocale>

#include <cmath>

namespace {
constexpr int EndTone = 0;
constexpr int EndLevel = 0;
} // namespace

const QList<ToneSteps::Frequency> &ToneSteps::frequencies()
{
    static const QList<Frequency> list = {
        {QStringLiteral("350+440"), 80}, {QStringLiteral("440"), 81},     {QStringLiteral("440+480"), 82},
        {QStringLiteral("440+620"), 83}, {QStringLiteral("480+620"), 84}, {QStringLiteral("400"), 85},
        {QStringLiteral("400+450"), 86}, {QStringLiteral("425"), 87},     {QStringLiteral("1400"), 88},
        {QStringLiteral("665"), 89},     {QStringLiteral("860"), 90},     {QStringLiteral("End"), EndValue},
    };
    return list;
}

int ToneSteps::EndIndex()
{
    return int(frequencies().size()) - 1;
}

ToneSteps::Length ToneSteps::checkLength(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return {Length::NotANumber, 0};
    if (value > MaxLength)
        return {Length::TooLong, 0};
    const int stored = value < MinLength ? MinLength : int(std::lround(value));
    return {Length::Accepted, stored, stored != value};
}

ToneSteps::ToneSteps(TrackedRecord &record)
    : m_record(record)
{
}

int ToneSteps::stepCount(const RecordClass &tones, int index)
{
    if (index < 0 || index >= tones.Records())
        return 0;
    // An element past a field's end would be read and written as its first element.
    int count = MaxSteps;
    for (const QByteArray &field : {FieldNames::Tone, FieldNames::Time, FieldNames::Level})
        count = qMin<int>(count, tones.GetItems(field));
    return qMax(count, 0);
}

int ToneSteps::stepCount() const
{
    return stepCount(m_record.structure(), m_record.index());
}

int ToneSteps::tone(int step) const
{
    return m_record.structure().GetInteger(FieldNames::Tone, m_record.index(), step);
}

int ToneSteps::time(int step) const
{
    return m_record.structure().GetInteger(FieldNames::Time, m_record.index(), step);
}

ToneSteps::Level ToneSteps::level(int step) const
{
    switch (m_record.structure().GetInteger(FieldNames::Level, m_record.index(), step)) {
    case AudibleLevel:
        return Level::Audible;
    case SilentLevel:
        return Level::Silent;
    default:
        return Level::Undetermined;
    }
}

bool ToneSteps::setEnd(int step)
{
    bool changed = m_record.setInteger(FieldNames::Tone, EndTone, step);
    changed |= m_record.setInteger(FieldNames::Time, EndTime, step);
    changed |= m_record.setInteger(FieldNames::Level, EndLevel, step);
    return changed;
}

bool ToneSteps::moveEndBelow(int step)
{
    bool changed = setEnd(step + 1);
    changed |= m_record.setInteger(FieldNames::Time, MinLength, step);
    changed |= m_record.setInteger(FieldNames::Level, SilentLevel, step);
    return changed;
}

bool ToneSteps::setTone(int step, int value)
{
    return m_record.setInteger(FieldNames::Tone, value, step);
}

bool ToneSteps::setLength(int step, int length)
{
    return m_record.setInteger(FieldNames::Time, length, step);
}

bool ToneSteps::setAudible(int step, bool audible)
{
    return m_record.setInteger(FieldNames::Level, audible ? AudibleLevel : SilentLevel, step);
}
