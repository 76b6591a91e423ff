#include "device/NumericText.h"

#include <QRegularExpression>

#include <cmath>

namespace NumericText {

std::optional<double> value(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double result = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(result))
        return std::nullopt;
    return result;
}

double roundHalfEven(double number)
{
    if (std::abs(number - std::trunc(number)) == 0.5)
        return 2.0 * std::round(number / 2.0);
    return std::round(number);
}

std::optional<int> wholeNumber(const QString &text, int minimum, int maximum)
{
    const std::optional<double> number = value(text);
    if (!number || std::trunc(*number) != *number || *number < minimum || *number > maximum)
        return std::nullopt;
    return int(*number);
}

std::optional<double> numberWithin(const QString &text, double minimum, double maximum)
{
    const std::optional<double> number = value(text);
    if (!number || *number < minimum || *number > maximum)
        return std::nullopt;
    return number;
}

QString wholeNumberRequired(const QString &box, int minimum, int maximum)
{
    return QStringLiteral("%1 must be a whole number in the range %2 - %3").arg(box).arg(minimum).arg(maximum);
}

QString numberRequired(const QString &box, double minimum, double maximum)
{
    return QStringLiteral("%1 must be a number in the range %2 - %3").arg(box).arg(minimum).arg(maximum);
}

} // namespace NumericText
