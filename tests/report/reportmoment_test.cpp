// The date panel's checks: order, bounds, the month's length and the repeated conversion warnings.
#include "report/reportmoment.h"

#include "tests/report/reportfixture.h"
#include "tests/support/namedcases.h"

namespace {

struct DateCase
{
    const char *name;
    DatePanelFields fields;
    const char *error; // empty when the moment passes
};

class DatePanelTest : public testing::TestWithParam<DateCase>, public ReportFixture
{};

DatePanelFields fields(const char *day, const char *month, const char *year, const char *hour, const char *minute)
{
    return {QLatin1String(day), QLatin1String(month), QLatin1String(year), QLatin1String(hour), QLatin1String(minute)};
}

} // namespace

TEST_P(DatePanelTest, ChecksInOrder)
{
    const DateCase &c = GetParam();
    EXPECT_EQ(CheckDatePanel(w, c.fields).error, QLatin1String(c.error));
}

INSTANTIATE_TEST_SUITE_P(Fields, DatePanelTest, testing::Values(
    DateCase{"DayZero", fields("0", "13", "0", "24", "60"), "Neispravno unesen datum."},
    DateCase{"Day32", fields("32", "1", "2026", "0", "0"), "Neispravno unesen datum."},
    DateCase{"Month13BeforeYear", fields("1", "13", "1979", "0", "0"), "Neispravno unesen mesec."},
    DateCase{"Year1979", fields("1", "1", "1979", "0", "0"), "Neispravno unesena godina."},
    DateCase{"Year2051", fields("1", "1", "2051", "0", "0"), "Neispravno unesena godina."},
    DateCase{"Hour24", fields("1", "1", "1980", "24", "0"), "Neispravno uneseni sati."},
    DateCase{"Minute60", fields("31", "12", "2050", "23", "60"), "Neispravno uneseni minuti."},
    DateCase{"LastMoment", fields("31", "12", "2050", "23", "59"), ""},
    DateCase{"February30", fields("30", "2", "2024", "10", "0"), "Neispravno unesen datum."},
    DateCase{"LeapDay2024", fields("29", "2", "2024", "10", "0"), ""},
    DateCase{"LeapDay2025", fields("29", "2", "2025", "10", "0"), "Neispravno unesen datum."},
    DateCase{"HourCheckedBeforeTheMonthLength", fields("31", "4", "2026", "25", "0"), "Neispravno uneseni sati."}),
    caseName<DateCase>);

TEST_F(DatePanelTest, AFieldWithAWrongCharacterWarnsForEachConversion)
{
    const DatePanelCheck check = CheckDatePanel(w, fields("+5", "12", "2026", "9", "05"));
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.moment, (ReportMoment{5, 12, 2026, 9, 5}));
    EXPECT_EQ(dialogs.calls.size(), 3);
    dialogs.calls.clear();
    EXPECT_EQ(CheckDatePanel(w, fields("x", "12", "2026", "9", "0")).error, QStringLiteral("Neispravno unesen datum."));
    EXPECT_EQ(dialogs.calls.size(), 1) << "a failed lower bound stops before the upper one";
}
