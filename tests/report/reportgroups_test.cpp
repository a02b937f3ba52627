// The report's groups (the key modes, the tank-number mode from the settings) and the date panel's
// checks (order, bounds, the month's length, one warning per wrong character).
#include "report/reportgroups.h"
#include "report/reportmoment.h"
#include "report/reportsettings.h"
#include "report/reporttable.h"

#include "tests/report/reportfixture.h"
#include "tests/support/namedcases.h"

namespace {

using Groups = SlotArray<int>;

struct KeyCase
{
    const char *name;
    SortMode mode;
    SlotArray<const char *> keys; // slot s: sifra key, kind "k" + key, name "n" + key
    Groups groups;
};

class KeyGroupsTest : public testing::TestWithParam<KeyCase>, public ReportFixture
{};

Groups groupsOf(const ReportRows &rows)
{
    Groups groups{};
    std::ranges::transform(rows, groups.begin(), &ReportRow::group);
    return groups;
}

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

TEST_P(KeyGroupsTest, EachKeyIsAGroupNumberedByItsFirstTank)
{
    const KeyCase &c = GetParam();
    TankTable tanks;
    for (int slot = 1; slot <= TankCount; ++slot) {
        tanks.records[slot].materialSifra = QLatin1String(c.keys[slot]);
        tanks.records[slot].materialKind = u'k' + QLatin1String(c.keys[slot]);
        tanks.records[slot].materialName = u'n' + QLatin1String(c.keys[slot]);
    }
    ReportRows rows = BuildReportRows(tanks);
    const GroupsShown shown = AssignGroups(rows, c.mode, ReadOperatorGroups(store));
    EXPECT_EQ(groupsOf(rows), c.groups);
    for (int group = 1; group <= TankCount; ++group)
        EXPECT_EQ(shown[group], std::ranges::count(c.groups, group) > 0) << "group " << group;
}

INSTANTIATE_TEST_SUITE_P(Modes, KeyGroupsTest, testing::Values(
    KeyCase{"SameSifraInSlots3And9", SortMode::Sifra,
            {"1", "2", "S", "4", "5", "6", "7", "8", "S", "10", "11", "12", "13", "14", "15"},
            {1, 2, 3, 4, 5, 6, 7, 8, 3, 10, 11, 12, 13, 14, 15}},
    KeyCase{"AllEmptyIsOneGroup", SortMode::Ime,
            {"", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
            {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    KeyCase{"CaseSensitiveKinds", SortMode::Vrsta,
            {"ulje", "Ulje", "ulje", "Ulje", "x", "x", "x", "x", "x", "x", "x", "x", "x", "x", "ulje"},
            {1, 2, 1, 2, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 1}}),
    caseName<KeyCase>);

TEST_F(KeyGroupsTest, TankNumberGroupsAreReadAfreshAndAbsentOrEmptyOnesShowNothing)
{
    const TankTable tanks;
    ReportRows rows = BuildReportRows(tanks);
    EXPECT_EQ(AssignGroups(rows, SortMode::Broj, ReadOperatorGroups(store)), GroupsShown{});
    EXPECT_EQ(groupsOf(rows), Groups{});
    EXPECT_EQ(ReadSortMode(store), SortMode::Sifra);

    for (const QString &ticked : {QStringLiteral("G1Show"), QStringLiteral("G2Show")}) // from an earlier run
        ASSERT_TRUE(store.WriteString(QStringLiteral("Izvestaj"), ticked, QStringLiteral("true")).ok());
    ASSERT_TRUE(WriteStartingGroups(store).ok()); // the window's creation puts every tank in group 1
    QuantityReport report;
    report.mode = SortMode::Broj;
    const QList<ReportGroup> drawn = ContentOf(report, tanks, GroupsToAssign(store, report.mode)).groups;
    ASSERT_EQ(drawn.size(), 1) << "group 2 is ticked but holds no tank";
    EXPECT_EQ(std::pair(drawn[0].group, drawn[0].slots.size()), std::pair(1, qsizetype(TankCount)));

    ASSERT_TRUE(store.WriteInteger(QStringLiteral("Izvestaj"), QStringLiteral("R97Group"), 16).ok());
    ASSERT_TRUE(store.WriteString(QStringLiteral("Izvestaj"), QStringLiteral("G1Show"), QStringLiteral("True")).ok());
    EXPECT_EQ(AssignGroups(rows, SortMode::Broj, GroupsToAssign(store, SortMode::Broj)), (GroupsShown{false, true}));
    EXPECT_EQ(rows[15].group, 16);
}

TEST_P(DatePanelTest, ChecksInOrder)
{
    const DateCase &c = GetParam();
    EXPECT_EQ(CheckDatePanel(c.fields).error, QLatin1String(c.error));
}

INSTANTIATE_TEST_SUITE_P(Fields, DatePanelTest, testing::Values(
    DateCase{"DayZero", fields("0", "13", "0", "24", "60"), "Neispravno unesen datum."},
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

TEST_F(DatePanelTest, AWrongCharacterWarnsOnceAndTheFieldsAfterAFailureAreNotRead)
{
    const DatePanelCheck check = CheckDatePanel(fields("+5", "12", "2026", "9", "05"));
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.moment, (ReportMoment{5, 12, 2026, 9, 5}));
    EXPECT_EQ(check.wrongCharacters, 1);
    const DatePanelCheck month = CheckDatePanel(fields("+1", "+13", "2026z", "9", "0"));
    EXPECT_EQ(month.badField, DateField::Month);
    EXPECT_EQ(month.error, QStringLiteral("Neispravno unesen mesec."));
    EXPECT_EQ(month.wrongCharacters, 2) << "the year after the failed month is not read";
    EXPECT_EQ(CheckDatePanel(fields("31", "4", "2026", "+1", "0")).badField, DateField::Day) << "April has 30 days";
}
