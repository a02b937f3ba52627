// History stamps: the check's order, day arithmetic across every calendar edge, differences and their cap.
#include "core/history/historystamp.h"

#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace {

constexpr quint32 at(int hour, int minute, int second, int ms = 0)
{
    return static_cast<quint32>(((hour * 60 + minute) * 60 + second) * 1000 + ms);
}

struct CheckCase
{
    const char *name;
    PackedDate date;
    quint32 timeMs;
    std::optional<StampError> error;
};

class ValidateStampTest : public testing::TestWithParam<CheckCase>
{
};

TEST_P(ValidateStampTest, ChecksTimeYearMonthDayInThisOrder)
{
    EXPECT_EQ(ValidateStamp(GetParam().date, GetParam().timeMs), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(, ValidateStampTest, testing::Values(
    CheckCase{"LastMillisecondOf2050", packDate(2050, 12, 31), at(23, 59, 59, 999), std::nullopt},
    CheckCase{"TimeOfAFullDay", packDate(2024, 1, 1), at(24, 0, 0), StampError::InvalidTime},
    CheckCase{"TimeBeforeYear", packDate(1979, 13, 0), at(24, 0, 0), StampError::InvalidTime},
    CheckCase{"Year1979", packDate(1979, 12, 31), 0, StampError::InvalidYear},
    CheckCase{"Year2051", packDate(2051, 1, 1), 0, StampError::InvalidYear},
    CheckCase{"MonthZero", packDate(2000, 0, 1), 0, StampError::InvalidMonth},
    CheckCase{"Month13", packDate(2000, 13, 1), 0, StampError::InvalidMonth},
    CheckCase{"DayZero", packDate(2000, 1, 0), 0, StampError::InvalidDay},
    CheckCase{"April31", packDate(2001, 4, 31), 0, StampError::InvalidDay},
    CheckCase{"LeapDay2000", packDate(2000, 2, 29), 0, std::nullopt},
    CheckCase{"LeapDay2023", packDate(2023, 2, 29), 0, StampError::InvalidDay}),
    caseName<CheckCase>);

TEST(DaysInMonth, CenturiesAreLeapOnlyWhenDivisibleBy400)
{
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2024, 2), 29);
    EXPECT_EQ(daysInMonth(2024, 0), 0);
}

struct AddCase
{
    const char *name;
    PackedDate date;
    quint32 timeMs;
    qint32 seconds;
    PackedDate expectedDate;
    quint32 expectedTime;
};

class AddSecondsTest : public testing::TestWithParam<AddCase>
{
};

TEST_P(AddSecondsTest, MovesDateAndTime)
{
    const AddCase &c = GetParam();
    PackedDate date = c.date;
    quint32 timeMs = c.timeMs;
    ASSERT_EQ(AddSeconds(date, timeMs, c.seconds), std::nullopt);
    EXPECT_EQ(HistoryStamp(date, timeMs), HistoryStamp(c.expectedDate, c.expectedTime));
}

INSTANTIATE_TEST_SUITE_P(, AddSecondsTest, testing::Values(
    AddCase{"DropsMilliseconds", packDate(2024, 5, 3), at(8, 5, 7, 999), 0, packDate(2024, 5, 3), at(8, 5, 7)},
    AddCase{"TenMinutesIntoMidnight", packDate(2024, 5, 3), at(23, 55, 0), 600, packDate(2024, 5, 4), at(0, 5, 0)},
    AddCase{"BackOverMidnight", packDate(2024, 5, 4), at(0, 0, 0), -1, packDate(2024, 5, 3), at(23, 59, 59)},
    AddCase{"BackOverMidnightWithMilliseconds", packDate(2024, 5, 4), at(0, 0, 0, 500), -1, packDate(2024, 5, 3), at(23, 59, 59)},
    AddCase{"MonthEnd", packDate(2024, 4, 30), at(23, 50, 0), 600, packDate(2024, 5, 1), at(0, 0, 0)},
    AddCase{"Feb28IntoLeapDay", packDate(2024, 2, 28), at(23, 50, 0), 600, packDate(2024, 2, 29), at(0, 0, 0)},
    AddCase{"Feb28IntoMarchInCommonYear", packDate(2023, 2, 28), at(23, 50, 0), 600, packDate(2023, 3, 1), at(0, 0, 0)},
    AddCase{"March1BackToLeapDay", packDate(2000, 3, 1), 0, -1, packDate(2000, 2, 29), at(23, 59, 59)},
    AddCase{"YearEnd", packDate(2023, 12, 31), at(23, 59, 59), 1, packDate(2024, 1, 1), 0},
    AddCase{"BackOverYearEnd", packDate(2024, 1, 1), 0, -86400, packDate(2023, 12, 31), 0},
    AddCase{"FortyDaysAhead", packDate(2024, 1, 31), 0, 40 * 86400, packDate(2024, 3, 11), 0},
    AddCase{"FortyDaysBack", packDate(2024, 3, 11), 0, -40 * 86400, packDate(2024, 1, 31), 0}),
    caseName<AddCase>);

TEST(AddSeconds, ChecksTheStampBeforeAndAfter)
{
    PackedDate date = packDate(2024, 2, 30);
    quint32 timeMs = 0;
    EXPECT_EQ(AddSeconds(date, timeMs, 600), StampError::InvalidDay);
    EXPECT_EQ(date, packDate(2024, 2, 30)) << "an invalid stamp is left as it was";
    date = packDate(2050, 12, 31);
    timeMs = at(23, 55, 0);
    EXPECT_EQ(AddSeconds(date, timeMs, 600), StampError::InvalidYear);
}

struct DiffCase
{
    const char *name;
    HistoryStamp a;
    HistoryStamp b;
    qint32 seconds;
};

class DiffSecondsTest : public testing::TestWithParam<DiffCase>
{
};

TEST_P(DiffSecondsTest, GivesAMinusB)
{
    const DiffCase &c = GetParam();
    const StampDifference difference = DiffSeconds(c.a.date, c.a.timeMs, c.b.date, c.b.timeMs);
    EXPECT_EQ(difference.error, std::nullopt);
    EXPECT_EQ(difference.seconds, c.seconds);
}

constexpr PackedDate Day = packDate(2001, 3, 5);

INSTANTIATE_TEST_SUITE_P(, DiffSecondsTest, testing::Values(
    DiffCase{"SameDayMillisecondsTruncate", {Day, at(12, 0, 1, 0)}, {Day, at(12, 0, 0, 1)}, 0},
    DiffCase{"SameDayNegativeTruncatesTowardZero", {Day, at(12, 0, 0, 1)}, {Day, at(12, 0, 1, 999)}, -1},
    DiffCase{"NextDayTakesTheTimeDifferenceAfterDivision", {packDate(2001, 3, 6), at(0, 0, 0, 0)}, {Day, at(23, 59, 59, 500)}, 1},
    DiffCase{"OverLeapDay", {packDate(2000, 3, 1), 0}, {packDate(2000, 2, 28), 0}, 2 * 86400},
    DiffCase{"Just3650Days", {packDate(2010, 12, 30), 0}, {packDate(2001, 1, 1), 0}, 3650 * 86400},
    DiffCase{"CapAt3651Days", {packDate(2010, 12, 31), 0}, {packDate(2001, 1, 1), at(23, 0, 0)}, 2'000'000'000},
    DiffCase{"NegativeCap", {packDate(2001, 1, 1), 0}, {packDate(2040, 1, 1), 0}, -2'000'000'000}),
    caseName<DiffCase>);

TEST(DiffSeconds, ReportsTheFirstFailingStamp)
{
    EXPECT_EQ(DiffSeconds(packDate(2001, 2, 29), 0, packDate(1970, 1, 1), 0).error, StampError::InvalidDay);
    EXPECT_EQ(DiffSeconds(Day, 0, packDate(1970, 1, 1), 0).error, StampError::InvalidYear);
}

} // namespace
