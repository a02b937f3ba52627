// Conversion of typed text into numbers, with the rules of the operator's number fields.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The number of characters of an integer field that earn a warning: everything but "0".."9" and "-".
int countIntegerWarnings(QStringView text);

// The standard integer conversion: leading blanks, an optional "-" or "+", then decimal digits or
// hexadecimal digits after "$", "x", "X", "0x" or "0X", nothing after them. Decimal values must fit
// in 32 signed bits; hexadecimal ones in 32 bits, taken as a two's complement pattern ("$FFFFFFFF"
// is -1). nullopt when the whole text does not convert.
std::optional<qint32> convertInteger(QStringView text);

// The text a float field converts: each "," replaced by ".".
QString floatFieldText(QStringView text);

// The number of characters of that converted text that earn a warning: everything but "0".."9",
// "-" and ".".
int countFloatWarnings(QStringView fieldText);

// The standard floating conversion of a field text (after floatFieldText): leading blanks, an
// optional sign, digits with at most one "." and at least one digit, an optional exponent ("E" or
// "e", an optional sign, digits), nothing after it. nullopt when the text does not convert or the
// value lies beyond the double range.
std::optional<double> convertFloat(QStringView fieldText);
