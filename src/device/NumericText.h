#pragma once

#include <QString>

#include <optional>

// Numbers typed into the device windows' boxes.
namespace NumericText {

// The number a box holds: an optional sign, digits with at most one decimal
// point and an optional exponent, blanks around it ignored. Anything else,
// the empty text included, is not a number.
std::optional<double> value(const QString &text);

// The nearest whole number; a half goes to the even neighbour.
double roundHalfEven(double number);

// The box's number when it is whole and within minimum .. maximum.
std::optional<int> wholeNumber(const QString &text, int minimum, int maximum);

// The box's number when it lies within minimum .. maximum.
std::optional<double> numberWithin(const QString &text, double minimum, double maximum);

// The refusal of a value: "<box> must be a whole number in the range 1 - 255".
QString wholeNumberRequired(const QString &box, int minimum, int maximum);
QString numberRequired(const QString &box, double minimum, double maximum);

} // namespace NumericText
