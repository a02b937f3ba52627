// Numbers as display text, and the Serbian names of days and months.
#include "core/text/numberformat.h"

#include <algorithm>

namespace {

const char *const DayNames[] = {"Nedelja", "Ponedeljak", "Utorak", "Sreda", "Cetvrtak", "Petak", "Subota"};
const char *const MonthNames[] = {"Januar", "Februar", "Mart",      "April",   "Maj",      "Jun",
                                  "Jul",    "Avgust",  "Septembar", "Oktobar", "Novembar", "Decembar"};

} // namespace

QString FormatInteger(qint32 value) { return QString::number(value); }

QString FormatFixed(double value, int decimals, const QLocale &locale)
{
    QString text = QString::number(value, 'f', std::clamp(decimals, 0, 18));
    if (locale.decimalPoint() == u",")
        text.replace(u'.', u',');
    return text;
}

QString TwoDigits(quint16 value) { return QString::number(value).rightJustified(2, u'0'); }

QString DayName(int n, const QDate &today)
{
    if (n < 1 || n > 7)
        n = today.dayOfWeek() % 7 + 1; // Qt counts Monday 1 .. Sunday 7
    return QString::fromLatin1(DayNames[n - 1]);
}

void MonthName(int n, QString &text)
{
    if (n >= 1 && n <= 12)
        text = QString::fromLatin1(MonthNames[n - 1]);
}
