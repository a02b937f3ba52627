// The moment a report is computed for, and the check of the five date panel fields that gives it.
#pragma once

#include "core/history/historystamp.h"

#include <QDateTime>
#include <QString>

#include <optional>

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

// The date panel's fields in the order they are checked.
enum class DateField { Day, Month, Year, Hour, Minute };

// The moment (when ok()), or the first field that failed with its message (shown with the caption "Date error").
// Every character of the fields read that is neither a digit nor "-" earns one "Neispravno unesen
// broj" warning, shown before the message.
struct DatePanelCheck
{
    ReportMoment moment;
    int wrongCharacters = 0;
    std::optional<DateField> badField;
    QString error;
    bool ok() const { return !badField; }
};

inline const QString DateErrorCaption = QStringLiteral("Date error");

// Reads each field once, in the order day 1..31, month 1..12, year 1980..2050 (the years the
// history accepts), hour 0..23 and minute 0..59 (a text that does not convert counts as 0), and
// stops at the first one out of range; then checks the day against the length of that month in
// that year.
DatePanelCheck CheckDatePanel(const DatePanelFields &fields);
