// Numbers as display text, and the Serbian names of days and months.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Decimal text, as the C format "%d".
QString FormatInteger(qint32 value);

// Fixed notation with `decimals` digits after the decimal separator (0..18; outside that range
// clamped), no grouping. The separator is the locale's when it is "," and "." otherwise, so that
// every text this prints reads back through the float fields unchanged.
QString FormatFixed(double value, int decimals, const QLocale &locale);

// Decimal text with a "0" in front when it is a single digit: 7 gives "07", 123 stays "123".
QString TwoDigits(quint16 value);

// "Nedelja" for 1 up to "Subota" for 7; for any other n the name of the day of `today`.
QString DayName(int n, const QDate &today);

// "Januar" for 1 up to "Decembar" for 12; for any other n the text is left as it was.
void MonthName(int n, QString &text);
