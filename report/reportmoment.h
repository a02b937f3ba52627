// The moment a report is computed for, and the check of the five date panel fields that gives it.
#pragma once

#include "core/history/historystamp.h"

#include <QDateTime>
#include <QString>

class Tw;

// Day, month, year, hour and minute of the last computed moment.
using ReportMoment = SampleTime;

// The moment of a date and time, seconds dropped.
ReportMoment momentAt(const QDateTime &time);

// "05. 12. 2026" and "09 : 05", as the report's titles and footer write a date and a time.
QString DateText(int day, int month, int year);
QString TimeText(int hour, int minute);
// "05. 12. 2026.    09 : 05"
QString MomentText(const ReportMoment &moment);

// The texts of the date panel's day, month, year, hour and minute fields.
struct DatePanelFields
{
    QString day;
    QString month;
    QString year;
    QString hour;
    QString minute;
};

// The moment, or the text of the first check that failed (shown with the caption "Date error").
struct DatePanelCheck
{
    ReportMoment moment;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

inline const QString DateErrorCaption = QStringLiteral("Date error");

// Checks day 1..31, month 1..12, year 1980..2050 (the years the history accepts), hour 0..23 and
// minute 0..59 in this order, each field converted with w.ParseInteger anew for its lower bound,
// its upper bound and its value (so a field with a wrong character may warn three times); then the
// day against the length of that month in that year.
DatePanelCheck CheckDatePanel(const Tw &w, const DatePanelFields &fields);
