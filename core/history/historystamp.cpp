// Stamp check, day arithmetic and differences of the history's time stamps.
#include "core/history/historystamp.h"

#include <array>
#include <cstdlib>

namespace {

constexpr int FirstYear = 1980;
constexpr int LastYear = 2050;
constexpr qint64 MillisecondsPerSecond = 1000;
constexpr qint64 MillisecondsPerMinute = 60'000;
constexpr qint64 MillisecondsPerHour = 3'600'000;

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1 January of year 1 (proleptic Gregorian) to the date.
qint64 dayNumber(int year, int month, int day)
{
    const qint64 y = year - 1;
    qint64 days = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m)
        days += daysInMonth(year, m);
    return days + day - 1;
}

// Floor division for a positive divisor.
qint64 floorDivide(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return value % divisor < 0 ? quotient - 1 : quotient;
}

// The date d days later (earlier when d is negative), stepping month by month.
PackedDate movedByDays(PackedDate date, qint64 d)
{
    int year = yearOf(date);
    int month = monthOf(date);
    qint64 day = dayOf(date) + d;
    while (day > daysInMonth(year, month)) {
        day -= daysInMonth(year, month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    while (day < 1) {
        if (--month < 1) {
            month = 12;
            --year;
        }
        day += daysInMonth(year, month);
    }
    return packDate(year, month, static_cast<int>(day));
}

} // namespace

QString stampErrorText(StampError error)
{
    switch (error) {
    case StampError::InvalidTime:
        return QStringLiteral("INVALID TIME");
    case StampError::InvalidYear:
        return QStringLiteral("INVALID YEAR");
    case StampError::InvalidMonth:
        return QStringLiteral("INVALID MONTH");
    case StampError::InvalidDay:
        break;
    }
    return QStringLiteral("INVALID DAY");
}

int daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> Lengths{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : Lengths[static_cast<std::size_t>(month - 1)];
}

std::optional<StampError> ValidateStamp(PackedDate date, quint32 timeMs)
{
    if (timeMs >= MillisecondsPerDay)
        return StampError::InvalidTime;
    const int year = yearOf(date);
    if (year < FirstYear || year > LastYear)
        return StampError::InvalidYear;
    const int month = monthOf(date);
    if (month < 1 || month > 12)
        return StampError::InvalidMonth;
    const int day = dayOf(date);
    if (day < 1 || day > daysInMonth(year, month))
        return StampError::InvalidDay;
    return std::nullopt;
}

std::optional<StampError> AddSeconds(PackedDate &date, quint32 &timeMs, qint32 seconds)
{
    if (const auto error = ValidateStamp(date, timeMs))
        return error;
    const qint64 total = timeMs / MillisecondsPerSecond + static_cast<qint64>(seconds);
    const qint64 days = floorDivide(total, SecondsPerDay);
    timeMs = static_cast<quint32>((total - days * SecondsPerDay) * MillisecondsPerSecond);
    if (days == 0)
        return std::nullopt; // a valid date with a whole second of its day
    date = movedByDays(date, days);
    return ValidateStamp(date, timeMs);
}

StampDifference DiffSeconds(PackedDate dateA, quint32 timeA, PackedDate dateB, quint32 timeB)
{
    if (const auto error = ValidateStamp(dateA, timeA))
        return {error};
    if (const auto error = ValidateStamp(dateB, timeB))
        return {error};
    const qint64 timePart = (static_cast<qint64>(timeA) - static_cast<qint64>(timeB)) / MillisecondsPerSecond;
    if (dateA == dateB)
        return {std::nullopt, static_cast<qint32>(timePart)};
    const qint64 days = dayNumber(yearOf(dateA), monthOf(dateA), dayOf(dateA))
                        - dayNumber(yearOf(dateB), monthOf(dateB), dayOf(dateB));
    if (std::llabs(days) >= DiffCapDays)
        return {std::nullopt, days > 0 ? DiffCapSeconds : -DiffCapSeconds};
    return {std::nullopt, static_cast<qint32>(days * SecondsPerDay + timePart)};
}

SampleTime minuteOf(const HistoryStamp &stamp)
{
    return {dayOf(stamp.date), monthOf(stamp.date), yearOf(stamp.date),
            static_cast<qint32>(stamp.timeMs / MillisecondsPerHour),
            static_cast<qint32>(stamp.timeMs % MillisecondsPerHour / MillisecondsPerMinute)};
}

HistoryStamp stampOf(const SampleTime &time)
{
    return {packDate(time.year, time.month, time.day),
            static_cast<quint32>(time.hour * MillisecondsPerHour + time.minute * MillisecondsPerMinute)};
}
