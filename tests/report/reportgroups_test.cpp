// The report's groups: the key modes, the tank-number mode from the settings, the group panel's store.
#include "report/reportgroups.h"
#include "report/reportsettings.h"
#include "report/reporttable.h"

#include "tests/report/reportfixture.h"
#include "tests/support/namedcases.h"

namespace {

using Groups = std::array<int, TankCount>;

// Slot s gets the sifra, kind and name of column s - 1 of these texts.
TankTable tanksWith(const std::array<const char *, TankCount> &texts)
{
    TankTable tanks;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        TankRecord &tank = tanks.records[i];
        tank.materialSifra = QString::fromLatin1(texts[i]);
        tank.materialKind = QStringLiteral("k") + tank.materialSifra;
        tank.materialName = QStringLiteral("n") + tank.materialSifra;
    }
    return tanks;
}

struct KeyCase
{
    const char *name;
    SortMode mode;
    std::array<const char *, TankCount> keys;
    Groups groups;
};

class KeyGroupsTest : public testing::TestWithParam<KeyCase>, public ReportFixture
{};

Groups groupsOf(const ReportRows &rows)
{
    Groups groups{};
    for (std::size_t i = 0; i < rows.size(); ++i)
        groups[i] = rows[i].group;
    return groups;
}

} // namespace

TEST_P(KeyGroupsTest, EachKeyIsAGroupNumberedByItsFirstTank)
{
    const KeyCase &c = GetParam();
    ReportRows rows = BuildReportRows(tanksWith(c.keys));
    const GroupsShown shown = AssignGroups(rows, c.mode, w);
    EXPECT_EQ(groupsOf(rows), c.groups);
    for (int g = 1; g <= TankCount; ++g)
        EXPECT_EQ(shown[static_cast<std::size_t>(g - 1)], std::ranges::count(c.groups, g) > 0) << "group " << g;
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
    for (const char *other : {"", "Broj", "broj ", "x"})
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

    ReportRows rows;
};

TEST_F(TankNumberGroupsTest, AbsentValuesPutNoTankInAnyShownGroup)
{
    EXPECT_EQ(assign(), GroupsShown{});
    EXPECT_EQ(groupsOf(rows), Groups{});
    EXPECT_EQ(ReadSortMode(w), SortMode::Sifra);
}

TEST_F(TankNumberGroupsTest, AfterTheStartAllTanksAreInGroupOneAndValuesAreReadAfresh)
{
    ASSERT_TRUE(WriteStartingGroups(w).ok());
    ASSERT_TRUE(w.WriteString(QStringLiteral("Izvestaj"), QStringLiteral("G1Show"), QStringLiteral("true")).ok());
    GroupsShown expected{};
    expected[0] = true;
    EXPECT_EQ(assign(), expected);
    Groups ones;
    ones.fill(1);
    EXPECT_EQ(groupsOf(rows), ones);

    ASSERT_TRUE(w.WriteInteger(QStringLiteral("Izvestaj"), QStringLiteral("R97Group"), 16).ok());
    ASSERT_TRUE(w.WriteString(QStringLiteral("Izvestaj"), QStringLiteral("G1Show"), QStringLiteral("True")).ok());
    EXPECT_EQ(assign(), GroupsShown{});
    EXPECT_EQ(rows[14].group, 16);
}

TEST_F(TankNumberGroupsTest, StoringUnticksGroupsWithoutTanks)
{
    OperatorGroups groups;
    groups.tankGroup.fill(2);
    groups.tankGroup[0] = 0; // no item selected
    groups.shown[1] = true;
    groups.shown[4] = true; // group 5 holds no tank
    ASSERT_TRUE(StoreOperatorGroups(w, groups).ok());
    GroupsShown expected{};
    expected[1] = true;
    EXPECT_EQ(groups.shown, expected);

    const OperatorGroups stored = ReadOperatorGroups(w);
    EXPECT_EQ(stored.tankGroup, groups.tankGroup);
    EXPECT_EQ(stored.shown, expected);
    QString text;
    ASSERT_TRUE(w.ReadString(QStringLiteral("Izvestaj"), QStringLiteral("G5Show"), text).ok());
    EXPECT_EQ(text, QStringLiteral("false"));
}

TEST(CollectReportGroups, ShownGroupsInOrderWithTheirTanksAndSums)
{
    ReportRows rows = BuildReportRows(TankTable{});
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].group = i < 2 ? 7 : 3;
    rows[14].group = 0;
    TankQuantities quantities{};
    for (std::size_t i = 0; i < quantities.size(); ++i)
        quantities[i].mass = static_cast<long double>(i + 1);
    GroupsShown shown{};
    shown[2] = shown[6] = shown[9] = true; // group 10 has no tank

    const QList<ReportGroup> groups = CollectReportGroups(rows, shown, quantities);
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].group, 3);
    EXPECT_EQ(groups[0].slots, (QList<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(groups[0].sum, 102.0L);
    EXPECT_EQ(groups[1].slots, (QList<int>{1, 2}));
    EXPECT_EQ(groups[1].sum, 3.0L);
}
