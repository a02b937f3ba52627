// The report's moment and the date panel check.
#include "report/reportmoment.h"

#include "core/text/numberformat.h"
#include "core/text/numberparse.h"

#include <QDate>

namespace {

struct FieldCheck
{
    DateField name;
    const QString DatePanelFields::*field;
    int ReportMoment::*value;
    int lowest;
    int highest;
    const char *error;
};

constexpr std::array<FieldCheck, 5> FieldChecks{{
    {DateField::Day, &DatePanelFields::day, &ReportMoment::day, 1, 31, "Neispravno unesen datum."},
    {DateField::Month, &DatePanelFields::month, &ReportMoment::month, 1, 12, "Neispravno unesen mesec."},
    {DateField::Year, &DatePanelFields::year, &ReportMoment::year, 1980, 2050, "Neispravno unesena godina."},
    {DateField::Hour, &DatePanelFields::hour, &ReportMoment::hour, 0, 23, "Neispravno uneseni sati."},
    {DateField::Minute, &DatePanelFields::minute, &ReportMoment::minute, 0, 59, "Neispravno uneseni minuti."},
}};

} // namespace

ReportMoment momentAt(const QDateTime &time)
{
    const QDate date = time.date();
    return {date.day(), date.month(), date.year(), time.time().hour(), time.time().minute()};
}

QString DateText(int day, int month, int year)
{
    return TwoDigits(static_cast<quint16>(day)) + QStringLiteral(". ") + TwoDigits(static_cast<quint16>(month))
           + QStringLiteral(". ") + FormatInteger(year);
}

QString TimeText(int hour, int minute)
{
    return TwoDigits(static_cast<quint16>(hour)) + QStringLiteral(" : ") + TwoDigits(static_cast<quint16>(minute));
}

QString MomentText(const ReportMoment &moment)
{
    return DateText(moment.day, moment.month, moment.year) + QStringLiteral(".    ")
           + TimeText(moment.hour, moment.minute);
}

DatePanelCheck CheckDatePanel(const DatePanelFields &fields)
{
    DatePanelCheck check;
    for (const FieldCheck &field : FieldChecks) {
        const QString &text = fields.*field.field;
        check.wrongCharacters += countIntegerWarnings(text);
        const qint32 value = convertInteger(text).value_or(0);
        if (value < field.lowest || value > field.highest) {
            check.badField = field.name;
            check.error = QString::fromLatin1(field.error);
            return check;
        }
        check.moment.*field.value = value;
    }
    if (check.moment.day > daysInMonth(check.moment.year, check.moment.month)) {
        check.badField = DateField::Day;
        check.error = QString::fromLatin1(FieldChecks[0].error);
    }
    return check;
}
