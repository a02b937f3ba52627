// The report's moment and the date panel check.
#include "report/reportmoment.h"

#include "core/services/tw.h"
#include "core/text/numberformat.h"

#include <QDate>

namespace {

struct FieldCheck
{
    const QString DatePanelFields::*field;
    int lowest;
    int highest;
    const char *error;
};

constexpr std::array<FieldCheck, 5> FieldChecks{{
    {&DatePanelFields::day, 1, 31, "Neispravno unesen datum."},
    {&DatePanelFields::month, 1, 12, "Neispravno unesen mesec."},
    {&DatePanelFields::year, 1980, 2050, "Neispravno unesena godina."},
    {&DatePanelFields::hour, 0, 23, "Neispravno uneseni sati."},
    {&DatePanelFields::minute, 0, 59, "Neispravno uneseni minuti."},
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
    return DateText(moment.day, moment.month, moment.year) + QStringLiteral(".    ") + TimeText(moment.hour, moment.minute);
}

DatePanelCheck CheckDatePanel(const Tw &w, const DatePanelFields &fields)
{
    for (const FieldCheck &check : FieldChecks) {
        const QString &text = fields.*check.field;
        if (w.ParseInteger(text) < check.lowest || w.ParseInteger(text) > check.highest)
            return {{}, QString::fromLatin1(check.error)};
    }
    const ReportMoment moment{w.ParseInteger(fields.day), w.ParseInteger(fields.month), w.ParseInteger(fields.year),
                              w.ParseInteger(fields.hour), w.ParseInteger(fields.minute)};
    if (moment.day > daysInMonth(moment.year, moment.month))
        return {{}, QString::fromLatin1(FieldChecks[0].error)};
    return {moment, {}};
}
