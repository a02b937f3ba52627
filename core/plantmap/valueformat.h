// Format patterns with one floating-point argument ("%.1f", "%5.2f m", "%.0f °C"), as the element records hold them.
#pragma once

#include <QLocale>
#include <QString>

// Copies the pattern, replacing "%%" by "%" and the first conversion by the value. A conversion is
// "%" [-] [width] [. precision] type, with type one of (either case):
//   f  fixed, precision = decimals (default 2);
//   n  as f, with the integer part grouped in threes;
//   e  scientific "-d.ddd...E+ddd", precision = significant digits (default 15, at least 3 exponent digits);
//   g  the shorter of fixed and scientific, precision = significant digits (default 15), trailing zeros
//      removed: scientific ("1.5E-7", "1E20") when the value is below 0.00001 in magnitude or has more
//      integer digits than the precision;
//   d  the value rounded to a whole number, precision = minimum count of digits (zero padded).
// Width pads with blanks on the left, or on the right with "-". Decimals are limited to 18 and
// significant digits to 1..18. The decimal point and, for n, the group separator are the locale's.
// NaN and infinities are "NAN", "INF" and "-INF". Anything else, a malformed conversion, a width or
// precision above 255, and every conversion after the first (there is one argument only), is copied
// as it stands.
QString formatValue(const QString &pattern, double value, const QLocale &locale);
