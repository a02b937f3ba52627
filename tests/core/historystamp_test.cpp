// History stamps: the check's order, day arithmetic across every calendar edge, differences and their cap.
#include "core/history/historystamp.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr quint32 at(int hour, int minute, int second, int ms = 0)
{
    return static_cast<quint32>(((hour * 60 + minute) * 60 + second) * 1000 + ms);
}

TEST(ValidateStamp, ChecksTimeYearMonthDayInThisOrder)
{
    struct Case { const char *name; HistoryStamp stamp; std::optional<StampError> error; };
    const std::array<Case, 8> cases{{
        {"LastMillisecondOf2050", {packDate(2050, 12, 31), at(23, 59, 59, 999)}, std::nullopt},
        {"TimeOfAFullDay", {packDate(2024, 1, 1), at(24, 0, 0)}, StampError::InvalidTime},
        {"TimeBeforeYear", {packDate(1979, 13, 0), at(24, 0, 0)}, StampError::InvalidTime},
        {"Year1979", {packDate(1979, 12, 31), 0}, StampError::InvalidYear},
        {"Month13", {packDate(2000, 13, 1), 0}, StampError::InvalidMonth},
        {"April31", {packDate(2001, 4, 31), 0}, StampError::InvalidDay},
        {"LeapDay2000", {packDate(2000, 2, 29), 0}, std::nullopt},
        {"LeapDay2023", {packDate(2023, 2, 29), 0}, StampError::InvalidDay},
    }};
    for (const Case &c : cases)
        EXPECT_EQ(ValidateStamp(c.stamp.date, c.stamp.timeMs), c.error) << c.name;
    EXPECT_EQ(daysInMonth(2100, 2), 28) << "centuries are leap years only when divisible by 400";
}

TEST(AddSeconds, MovesDateAndTimeBetweenValidStamps)
{
    struct Case { const char *name; HistoryStamp from; qint32 seconds; HistoryStamp to; };
    const std::array<Case, 11> cases{{
        {"TenMinutesIntoMidnight", {packDate(2024, 5, 3), at(23, 55, 0)}, 600, {packDate(2024, 5, 4), at(0, 5, 0)}},
        {"BackOverMidnight", {packDate(2024, 5, 4), 0}, -1, {packDate(2024, 5, 3), at(23, 59, 59)}},
        {"BackOverMidnightWithMilliseconds", {packDate(2024, 5, 4), 500}, -1, {packDate(2024, 5, 3), at(23, 59, 59)}},
        {"MonthEnd", {packDate(2024, 4, 30), at(23, 50, 0)}, 600, {packDate(2024, 5, 1), 0}},
        {"Feb28IntoLeapDay", {packDate(2024, 2, 28), at(23, 50, 0)}, 600, {packDate(2024, 2, 29), 0}},
        {"Feb28IntoMarchInCommonYear", {packDate(2023, 2, 28), at(23, 50, 0)}, 600, {packDate(2023, 3, 1), 0}},
        {"March1BackToLeapDay", {packDate(2000, 3, 1), 0}, -1, {packDate(2000, 2, 29), at(23, 59, 59)}},
        {"YearEnd", {packDate(2023, 12, 31), at(23, 59, 59)}, 1, {packDate(2024, 1, 1), 0}},
        {"BackOverYearEnd", {packDate(2024, 1, 1), 0}, -86400, {packDate(2023, 12, 31), 0}},
        {"FortyDaysAhead", {packDate(2024, 1, 31), 0}, 40 * 86400, {packDate(2024, 3, 11), 0}},
        {"FortyDaysBack", {packDate(2024, 3, 11), 0}, -40 * 86400, {packDate(2024, 1, 31), 0}},
    }};
    for (const Case &c : cases) {
        HistoryStamp stamp = c.from;
        EXPECT_EQ(AddSeconds(stamp.date, stamp.timeMs, c.seconds), std::nullopt) << c.name;
        EXPECT_EQ(stamp, c.to) << c.name;
    }
}

TEST(DiffSeconds, GivesAMinusB)
{
    constexpr PackedDate Day = packDate(2001, 3, 5);
    struct Case { const char *name; HistoryStamp a; HistoryStamp b; qint32 seconds; };
    const std::array<Case, 6> cases{{
        {"SameDayMillisecondsTruncate", {Day, at(12, 0, 1, 0)}, {Day, at(12, 0, 0, 1)}, 0},
        {"SameDayNegativeTruncatesTowardZero", {Day, at(12, 0, 0, 1)}, {Day, at(12, 0, 1, 999)}, -1},
        {"NextDayTruncatesTheTimePart", {packDate(2001, 3, 6), 0}, {Day, at(23, 59, 59, 500)}, 1},
        {"Just3650Days", {packDate(2010, 12, 30), 0}, {packDate(2001, 1, 1), 0}, 3650 * 86400},
        {"CapAt3651Days", {packDate(2010, 12, 31), 0}, {packDate(2001, 1, 1), at(23, 0, 0)}, 2'000'000'000},
        {"NegativeCap", {packDate(2001, 1, 1), 0}, {packDate(2040, 1, 1), 0}, -2'000'000'000},
    }};
    for (const Case &c : cases) {
        const StampDifference difference = DiffSeconds(c.a.date, c.a.timeMs, c.b.date, c.b.timeMs);
        EXPECT_EQ(difference.error, std::nullopt) << c.name;
        EXPECT_EQ(difference.seconds, c.seconds) << c.name;
    }
    EXPECT_EQ(DiffSeconds(packDate(2001, 2, 29), 0, packDate(1970, 1, 1), 0).error, StampError::InvalidDay);
}

} // namespace
