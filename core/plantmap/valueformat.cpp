// Format patterns with one floating-point argument, parsed here and never handed to printf.
#include "core/plantmap/valueformat.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

constexpr int MaxWidthOrPrecision = 255;
constexpr int MaxDecimals = 18;
constexpr int MaxSignificantDigits = 18;
constexpr int DefaultDecimals = 2;
constexpr int DefaultSignificantDigits = 15;
constexpr int ScientificExponentDigits = 3;
// %g writes smaller magnitudes in scientific notation.
constexpr double SmallestGeneralFixed = 0.00001;

struct Conversion
{
    bool leftJustified = false;
    int width = 0;
    std::optional<int> precision;
    char16_t type = 0; // lower case
    qsizetype end = 0; // index just past the type letter
};

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Digits at pattern[i] onwards, advancing i; nullopt when they exceed MaxWidthOrPrecision.
std::optional<int> readNumber(QStringView pattern, qsizetype &i)
{
    int number = 0;
    for (; i < pattern.size() && isAsciiDigit(pattern[i]); ++i) {
        number = number * 10 + (pattern[i].unicode() - u'0');
        if (number > MaxWidthOrPrecision)
            return std::nullopt;
    }
    return number;
}

// The conversion whose "%" is at pattern[percent]; nullopt when it is malformed.
std::optional<Conversion> parseConversion(QStringView pattern, qsizetype percent)
{
    Conversion conversion;
    qsizetype i = percent + 1;
    if (i < pattern.size() && pattern[i] == u'-') {
        conversion.leftJustified = true;
        ++i;
    }
    const std::optional<int> width = readNumber(pattern, i);
    if (!width)
        return std::nullopt;
    conversion.width = *width;
    if (i < pattern.size() && pattern[i] == u'.') {
        ++i;
        conversion.precision = readNumber(pattern, i);
        if (!conversion.precision)
            return std::nullopt;
    }
    if (i >= pattern.size())
        return std::nullopt;
    conversion.type = pattern[i].toLower().unicode();
    if (!QStringView(u"fnegd").contains(QChar(conversion.type)))
        return std::nullopt;
    conversion.end = i + 1;
    return conversion;
}

// Plain digits as "-123.45": a minus sign, no grouping, "." as the point.
QString fixedDigits(double value, int decimals) { return QString::number(value, 'f', decimals); }

// The value with `digits` significant digits as a mantissa "-d.ddd" and its decimal exponent.
std::pair<QString, int> scientificDigits(double value, int digits)
{
    const QString text = QString::number(value, 'e', digits - 1);
    const qsizetype e = text.indexOf(u'e');
    return {text.left(e), text.mid(e + 1).toInt()};
}

void removeTrailingZeros(QString &digits)
{
    if (!digits.contains(u'.'))
        return;
    while (digits.endsWith(u'0'))
        digits.chop(1);
    if (digits.endsWith(u'.'))
        digits.chop(1);
}

QString exponentText(int exponent, bool alwaysSigned, int minimumDigits)
{
    const QString sign = exponent < 0 ? QStringLiteral("-") : alwaysSigned ? QStringLiteral("+") : QString();
    return QStringLiteral("E") + sign + QString::number(std::abs(exponent)).rightJustified(minimumDigits, u'0');
}

QString generalDigits(double value, int significant)
{
    if (value == 0)
        return QStringLiteral("0");
    auto [mantissa, exponent] = scientificDigits(value, significant);
    if (exponent < significant && std::abs(value) >= SmallestGeneralFixed) {
        QString fixed = fixedDigits(value, significant - 1 - exponent);
        removeTrailingZeros(fixed);
        return fixed;
    }
    removeTrailingZeros(mantissa);
    return mantissa + exponentText(exponent, false, 1);
}

// Plain digits of the value as the conversion asks, still with "." as the point.
QString plainText(const Conversion &conversion, double value)
{
    const auto significant
        = [&] { return std::clamp(conversion.precision.value_or(DefaultSignificantDigits), 1, MaxSignificantDigits); };
    switch (conversion.type) {
    case u'e': {
        const auto [mantissa, exponent] = scientificDigits(value, significant());
        return mantissa + exponentText(exponent, true, ScientificExponentDigits);
    }
    case u'g':
        return generalDigits(value, significant());
    case u'd': {
        QString digits = fixedDigits(value, 0);
        const qsizetype signLength = digits.startsWith(u'-') ? 1 : 0;
        const qsizetype padding = conversion.precision.value_or(0) - (digits.size() - signLength);
        if (padding > 0)
            digits.insert(signLength, QString(padding, u'0'));
        return digits;
    }
    default:
        return fixedDigits(value, std::min(conversion.precision.value_or(DefaultDecimals), MaxDecimals));
    }
}

// The plain digits with the locale's decimal point and, when grouped, its group separator.
QString localised(const QString &plain, bool grouped, const QLocale &locale)
{
    const qsizetype signLength = plain.startsWith(u'-') ? 1 : 0;
    qsizetype integerEnd = signLength;
    while (integerEnd < plain.size() && isAsciiDigit(plain[integerEnd]))
        ++integerEnd;
    QString integer = plain.mid(signLength, integerEnd - signLength);
    if (grouped)
        for (qsizetype at = integer.size() - 3; at > 0; at -= 3)
            integer.insert(at, locale.groupSeparator());
    QString rest = plain.mid(integerEnd);
    if (rest.startsWith(u'.'))
        rest.replace(0, 1, locale.decimalPoint());
    return plain.left(signLength) + integer + rest;
}

QString converted(const Conversion &conversion, double value, const QLocale &locale)
{
    QString text;
    if (std::isnan(value))
        text = QStringLiteral("NAN");
    else if (std::isinf(value))
        text = value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    else
        text = localised(plainText(conversion, value), conversion.type == u'n', locale);
    return conversion.leftJustified ? text.leftJustified(conversion.width) : text.rightJustified(conversion.width);
}

} // namespace

QString formatValue(const QString &pattern, double value, const QLocale &locale)
{
    QString result;
    bool argumentUsed = false;
    for (qsizetype i = 0; i < pattern.size();) {
        if (pattern[i] != u'%') {
            result += pattern[i++];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == u'%') {
            result += u'%';
            i += 2;
            continue;
        }
        const std::optional<Conversion> conversion = argumentUsed ? std::nullopt : parseConversion(pattern, i);
        if (!conversion) {
            result += pattern[i++];
            continue;
        }
        result += converted(*conversion, value, locale);
        argumentUsed = true;
        i = conversion->end;
    }
    return result;
}
