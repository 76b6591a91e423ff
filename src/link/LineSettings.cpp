#include "link/LineSettings.h"

#include <QStringList>

#include <algorithm>

namespace {
const QString FixedPart = QStringLiteral(",n,8,1");
constexpr int FieldCount = 4;
constexpr int MinDataBits = 5;
constexpr int MaxDataBits = 8;

std::optional<LineSettings::Parity> parityFromLetter(const QString &letter)
{
    if (letter.size() != 1)
        return std::nullopt;
    switch (letter.at(0).toLower().unicode()) {
    case 'n':
        return LineSettings::Parity::None;
    case 'e':
        return LineSettings::Parity::Even;
    case 'o':
        return LineSettings::Parity::Odd;
    case 'm':
        return LineSettings::Parity::Mark;
    case 's':
        return LineSettings::Parity::Space;
    default:
        return std::nullopt;
    }
}

std::optional<LineSettings::StopBits> stopBitsFromText(const QString &text)
{
    if (text == QLatin1String("1"))
        return LineSettings::StopBits::One;
    if (text == QLatin1String("1.5"))
        return LineSettings::StopBits::OneAndHalf;
    if (text == QLatin1String("2"))
        return LineSettings::StopBits::Two;
    return std::nullopt;
}
} // namespace

bool LineSettings::isSupportedSpeed(int speed)
{
    return std::find(SupportedSpeeds.cbegin(), SupportedSpeeds.cend(), speed) != SupportedSpeeds.cend();
}

QString LineSettings::text(int speed)
{
    return QString::number(speed) + FixedPart;
}

std::optional<LineSettings> LineSettings::parse(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != FieldCount)
        return std::nullopt;

    LineSettings settings;
    bool ok = false;
    settings.speed = fields[0].trimmed().toInt(&ok);
    if (!ok || settings.speed <= 0)
        return std::nullopt;

    const auto parsedParity = parityFromLetter(fields[1].trimmed());
    if (!parsedParity)
        return std::nullopt;
    settings.parity = *parsedParity;

    settings.dataBits = fields[2].trimmed().toInt(&ok);
    if (!ok || settings.dataBits < MinDataBits || settings.dataBits > MaxDataBits)
        return std::nullopt;

    const auto parsedStopBits = stopBitsFromText(fields[3].trimmed());
    if (!parsedStopBits)
        return std::nullopt;
    settings.stopBits = *parsedStopBits;
    return settings;
}
