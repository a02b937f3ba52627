// The time stamps of the history file: a packed date with a time of day, their check and arithmetic.
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// Year in bits 16..31, month (1..12) in bits 8..15, day of month (1..31) in bits 0..7.
using PackedDate = quint32;

constexpr PackedDate packDate(int year, int month, int day)
{
    return static_cast<PackedDate>(year) * 65536u + static_cast<PackedDate>(month) * 256u
           + static_cast<PackedDate>(day);
}
constexpr int yearOf(PackedDate date) { return static_cast<int>(date >> 16); }
constexpr int monthOf(PackedDate date) { return static_cast<int>((date >> 8) & 0xFFu); }
constexpr int dayOf(PackedDate date) { return static_cast<int>(date & 0xFFu); }

inline constexpr qint64 MillisecondsPerDay = 86'400'000;
inline constexpr qint64 SecondsPerDay = 86'400;

// A moment of the history: a date and a time of day in milliseconds (valid: 0 to 86 399 999).
struct HistoryStamp
{
    PackedDate date = 0;
    quint32 timeMs = 0;
    bool operator==(const HistoryStamp &) const = default;
};

// A moment to the minute: a chart position's time stamp, the moment a report is computed for.
struct SampleTime
{
    qint32 day = 0;
    qint32 month = 0;
    qint32 year = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    bool operator==(const SampleTime &) const = default;
};

// The stamp's moment, seconds dropped.
SampleTime minuteOf(const HistoryStamp &stamp);
// The stamp of the moment's first millisecond; unchecked.
HistoryStamp stampOf(const SampleTime &time);

// The reasons a stamp fails its check, in the order they are checked.
enum class StampError { InvalidTime, InvalidYear, InvalidMonth, InvalidDay };

// "INVALID TIME", "INVALID YEAR", "INVALID MONTH" or "INVALID DAY"; shown with the caption "Error".
QString stampErrorText(StampError error);
inline const QString StampErrorCaption = QStringLiteral("Error");

// Days of the month (28, 29, 30 or 31); 0 for a month outside 1..12. February has 29 days in years
// divisible by 4 and not by 100, or divisible by 400.
int daysInMonth(int year, int month);

// Checks the time of day (below 86 400 000 ms), the year (1980..2050), the month (1..12) and the
// day (1..length of its month), in this order; nullopt when the stamp passes.
std::optional<StampError> ValidateStamp(PackedDate date, quint32 timeMs);

// Moves the stamp by a signed number of seconds. The incoming milliseconds are dropped: the new time
// of day is a whole second. Negative seconds borrow whole days (floor division), so -1 s at
// 00:00:00 gives 23:59:59 of the day before. The incoming stamp is checked first (failure: the
// stamp is left untouched) and the result after (failure: the stamp holds the invalid result).
std::optional<StampError> AddSeconds(PackedDate &date, quint32 &timeMs, qint32 seconds);

// A - B in seconds, after checking A and then B. Equal dates: (timeA - timeB) div 1000, truncating.
// Otherwise the day difference times 86 400 plus that, while the days differ by less than 3651;
// from 3651 days on the result is +-2 000 000 000.
struct StampDifference
{
    std::optional<StampError> error; // the first stamp that failed its check
    qint32 seconds = 0;              // 0 when a stamp failed
};
StampDifference DiffSeconds(PackedDate dateA, quint32 timeA, PackedDate dateB, quint32 timeB);
inline constexpr int DiffCapDays = 3651;
inline constexpr qint32 DiffCapSeconds = 2'000'000'000;
