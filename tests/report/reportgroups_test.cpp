// The report's groups: the key modes, the tank-number mode from the settings, the group panel's store.
#include "report/reportgroups.h"
#include "report/reportsettings.h"

#include "tests/report/reportfixture.h"
#include "tests/support/namedcases.h"

namespace {

using Groups = std::array<int, TankCount>;

struct KeyCase
{
    const char *name;
    SortMode mode;
    std::array<const char *, TankCount> keys; // slot s: sifra key, kind "k" + key, name "n" + key
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

GroupsShown shownOnly(std::initializer_list<int> groups)
{
    GroupsShown shown{};
    for (const int g : groups)
        shown[static_cast<std::size_t>(g - 1)] = true;
    return shown;
}

} // namespace

TEST_P(KeyGroupsTest, EachKeyIsAGroupNumberedByItsFirstTank)
{
    const KeyCase &c = GetParam();
    TankTable tanks;
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
        tanks.records[i].materialSifra = QLatin1String(c.keys[i]);
        tanks.records[i].materialKind = u'k' + QLatin1String(c.keys[i]);
        tanks.records[i].materialName = u'n' + QLatin1String(c.keys[i]);
    }
    ReportRows rows = BuildReportRows(tanks);
    const GroupsShown shown = AssignGroups(rows, c.mode, w);
    EXPECT_EQ(groupsOf(rows), c.groups);
    for (std::size_t g = 0; g < shown.size(); ++g)
        EXPECT_EQ(shown[g], std::ranges::count(c.groups, int(g) + 1) > 0) << "group " << g + 1;
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

TEST(SortMode, StoredTextsAndAnythingElseIsSifra)
{
    for (const SortMode mode : {SortMode::Sifra, SortMode::Vrsta, SortMode::Ime, SortMode::Broj})
        EXPECT_EQ(sortModeFromText(sortModeText(mode)), mode);
    EXPECT_EQ(sortModeText(SortMode::Broj), QStringLiteral("broj"));
    for (const char *other : {"", "Broj", "broj "})
        EXPECT_EQ(sortModeFromText(QLatin1String(other)), SortMode::Sifra) << other;
}

class TankNumberGroupsTest : public testing::Test, public ReportFixture
{
protected:
    GroupsShown assign()
    {
        rows = BuildReportRows(TankTable{});
        return AssignGroups(rows, SortMode::Broj, w);
    }

    void write(const char *name, const QString &text) { ASSERT_TRUE(w.WriteString(QStringLiteral("Izvestaj"), QLatin1String(name), text).ok()); }

    ReportRows rows;
};

TEST_F(TankNumberGroupsTest, ValuesAreReadAfreshAndAbsentOnesShowNothing)
{
    EXPECT_EQ(assign(), GroupsShown{});
    EXPECT_EQ(groupsOf(rows), Groups{});
    EXPECT_EQ(ReadSortMode(w), SortMode::Sifra);

    ASSERT_TRUE(WriteStartingGroups(w).ok());
    write("G1Show", QStringLiteral("true"));
    EXPECT_EQ(assign(), shownOnly({1}));
    EXPECT_EQ(std::ranges::count(groupsOf(rows), 1), TankCount);

    ASSERT_TRUE(w.WriteInteger(QStringLiteral("Izvestaj"), QStringLiteral("R97Group"), 16).ok());
    write("G1Show", QStringLiteral("True"));
    EXPECT_EQ(assign(), GroupsShown{});
    EXPECT_EQ(rows[14].group, 16);
}
