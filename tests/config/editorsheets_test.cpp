// The editors' working copies against the embedded server: loading, saving, failures and limits.
#include "config/consolesheet.h"
#include "config/materialsheet.h"
#include "config/tanksheet.h"

#include "tests/config/editorfixture.h"

namespace {

using namespace Qt::StringLiterals;
constexpr auto Read = ExchangeOperation::Read;
constexpr auto Write = ExchangeOperation::Write;

using EditorSheets = EditorFixture;

TEST_F(EditorSheets, TankGeometryShowsThreeDecimalsTheDeadZoneNoneAndReadsBackFromACommaLocale)
{
    const TankParamsWire tank{374, 74, 11.5, 12.25, 11, 250, 10.125, 1064.3, 2.5, u"S1"_s, 203};
    ASSERT_EQ(writeRecord(*store, tank, encodeTankParamsWire), ExchangeStatus::Success);
    const Tw comma(settings, dialogs, clock, QLocale(QLocale::German));
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, comma), std::nullopt);
    EXPECT_EQ(sheet.rows[0], (TankGridRow{u"1"_s, u"R 74"_s, u"11,500"_s, u"12,250"_s, u"11,000"_s, u"250"_s,
                                          u"10,125"_s, u"1064,300"_s, u"2,500"_s, u"S1"_s}));
    EXPECT_EQ(tanksFromSheet(sheet, comma)[0], tank);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(EditorSheets, AFailedTankLoadKeepsTheRowsAndSavesNothing)
{
    const struct { const char *name; qint32 code; ServerRecord failed; } cases[] = {
        {"MaterialListPage3", 202, ServerRecord::MaterialList}, {"FirstMaterial", 203, ServerRecord::Material},
        {"FirstTank", 374, ServerRecord::TankParams},           {"LastTank", 397, ServerRecord::TankParams}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        failing = {{Read, c.code}};
        server.requests.clear();
        TankSheet sheet;
        sheet.rows[0][1] = u"shown before"_s;
        EXPECT_EQ(loadTankSheet(server, sheet, w), c.failed);
        EXPECT_EQ(sheet.rows[0][1], u"shown before"_s);
        EXPECT_TRUE(saveTankSheet(server, sheet, w).isEmpty());
        EXPECT_TRUE(writtenCodes().isEmpty());
    }
}

TEST_F(EditorSheets, AFailedTankWriteIsNeverTakenForASave)
{
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, w), std::nullopt);
    const TankParamsWire before = storedTank(80);
    chooseMaterial(sheet, 5, 1);
    failing.insert({Write, 380});
    EXPECT_EQ(saveTankSheet(server, sheet, w), QList<int>{5});
    EXPECT_FALSE(sheet.saved);
    EXPECT_EQ(writtenCodes().size(), 14 + EditorTries) << "the save goes on after the failed tank";
    EXPECT_EQ(storedTank(80), before) << "the failed tank keeps what the server held";
}

TEST_F(EditorSheets, AnEmptyMaterialListLoadsTheTanksAndNoChoiceChangesThem)
{
    putMaterials(0);
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, w), std::nullopt);
    const auto rows = sheet.rows;
    chooseMaterial(sheet, 1, -1);
    chooseMaterial(sheet, 1, 0);
    EXPECT_TRUE(sheet.loaded && sheet.saved && sheet.rows == rows);
}

TEST_F(EditorSheets, NinetySixMaterialsAreTheLimit)
{
    for (const int count : {95, 96}) {
        MaterialSheet sheet;
        sheet.rows.resize(count);
        EXPECT_EQ(addMaterialRow(sheet), count == 95) << count;
        EXPECT_EQ(sheet.rows.size(), MaxMaterials);
        EXPECT_EQ(sheet.rows.back()[MaterialNumberColumn], count == 95 ? u"96"_s : QString());
    }
}

TEST_F(EditorSheets, FortyMaterialsAreWrittenInOrderThenAsPagesOf32And8And0)
{
    putMaterials(40);
    MaterialSheet sheet;
    ASSERT_EQ(loadMaterialSheet(server, sheet, w), std::nullopt);
    sheet.rows[39][MaterialDensityColumn] = u"912,5"_s;
    server.requests.clear();
    ASSERT_EQ(saveMaterialSheet(server, sheet, w), std::nullopt);

    QList<qint32> expected;
    for (int code = 203; code <= 242; ++code)
        expected.append(code);
    EXPECT_EQ(writtenCodes(), expected << 200 << 201 << 202);
    QList<qsizetype> pageCounts;
    for (qsizetype i = server.requests.size() - 3; i < server.requests.size(); ++i)
        pageCounts.append(decodeMaterialListPage(server.requests[i].buffer)->entries.size());
    EXPECT_EQ(pageCounts, (QList<qsizetype>{32, 8, 0}));
    EXPECT_EQ(materialsFromSheet(sheet, w)[39].density20, 912.5);
}

TEST_F(EditorSheets, AFailedMaterialSaveStopsThereAndStaysUnsaved)
{
    putMaterials(3);
    const struct { const char *name; qint32 code; ServerRecord failed; } cases[] = {
        {"SecondMaterial", 204, ServerRecord::Material}, {"ListPage2", 201, ServerRecord::MaterialList}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MaterialSheet sheet;
        ASSERT_EQ(loadMaterialSheet(server, sheet, w), std::nullopt);
        sheet.saved = false;
        failing = {{Write, c.code}};
        EXPECT_EQ(saveMaterialSheet(server, sheet, w), c.failed);
        EXPECT_FALSE(sheet.saved);
        EXPECT_EQ(writtenCodes().back(), c.code);
        failing.clear();
    }
}

TEST_F(EditorSheets, AConsoleLoadThatFailedKeepsTheUnreadScreensBlankAndNeverSavesThem)
{
    failing.insert({Read, 478});
    ConsoleSheet sheet;
    EXPECT_FALSE(loadConsoleSheet(server, sheet));
    EXPECT_NE(sheet.screens[1], ConsoleScreen()) << "the demonstration screens carry the tank's name";
    EXPECT_EQ(sheet.screens[2], ConsoleScreen());
    setShownCell(sheet, 1, 1, 'X');
    EXPECT_TRUE(sheet.saved) << "no screen shown yet";
    sheet.shown = 1;
    setShownCell(sheet, 1, 1, 'X');
    EXPECT_TRUE(saveConsoleSheet(server, sheet).isEmpty());
    EXPECT_TRUE(writtenCodes().isEmpty());
}

TEST_F(EditorSheets, AConsoleSaveWritesAllFifteenScreensAndAFailureLeavesItUnsaved)
{
    ConsoleSheet sheet;
    ASSERT_TRUE(loadConsoleSheet(server, sheet));
    sheet.shown = 15;
    setShownCell(sheet, 1, 20, 'Z');
    failing.insert({Write, 480});
    EXPECT_EQ(saveConsoleSheet(server, sheet), QList<int>{5});
    EXPECT_FALSE(sheet.saved);
    EXPECT_EQ(writtenCodes().size(), 14 + EditorTries);
    EXPECT_EQ(storedScreen(97).cell(1, 20), 'Z');
}

} // namespace
