// The editors' working copies against the embedded server: loading, saving, failures and limits.
#include "config/consolesheet.h"
#include "config/materialsheet.h"
#include "config/tanksheet.h"

#include "core/exchange/serverlists.h"
#include "tests/config/editorfixture.h"
#include "tests/support/namedcases.h"

#include <QPoint>

namespace {

using namespace Qt::StringLiterals;
constexpr auto Read = ExchangeOperation::Read;
constexpr auto Write = ExchangeOperation::Write;
constexpr qint32 Success = ExchangeStatus::Success;

class EditorSheets : public EditorFixture
{
protected:
    TankParamsWire storedTank(int tankId)
    {
        qint32 status = 0;
        return readRecord(*store, codeRequest(tankId + TankParamsCodeBase), decodeTankParamsWire, status).value();
    }
};

TEST_F(EditorSheets, TankGeometryShowsThreeDecimalsTheDeadZoneNoneAndReadsBackFromACommaLocale)
{
    const TankParamsWire tank{374, 74, 11.5, 12.25, 11, 250, 10.125, 1064.3, 2.5, u"S1"_s, 203};
    ASSERT_EQ(writeRecord(*store, tank, encodeTankParamsWire), Success);
    const Tw comma(settings, dialogs, clock, QLocale(QLocale::German));
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, comma), std::nullopt);
    EXPECT_EQ(sheet.rows[0], (TankGridRow{u"1"_s, u"R 74"_s, u"11,500"_s, u"12,250"_s, u"11,000"_s, u"250"_s,
                                          u"10,125"_s, u"1064,300"_s, u"2,500"_s, u"S1"_s}));
    EXPECT_EQ(tanksFromSheet(sheet, comma)[0], tank);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

struct TankLoadCase
{
    const char *name;
    qint32 failingCode;
    ServerRecord failed;
};

class TankLoadFailure : public EditorSheets, public testing::WithParamInterface<TankLoadCase>
{
};

TEST_P(TankLoadFailure, KeepsTheRowsAndSavesNothing)
{
    failing.insert({Read, GetParam().failingCode});
    TankSheet sheet;
    sheet.rows[0][1] = u"shown before"_s;
    EXPECT_EQ(loadTankSheet(server, sheet, w), GetParam().failed);
    EXPECT_FALSE(sheet.loaded);
    EXPECT_EQ(sheet.rows[0][1], u"shown before"_s);
    EXPECT_TRUE(saveTankSheet(server, sheet, w).isEmpty());
    EXPECT_TRUE(writtenCodes().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(All, TankLoadFailure,
                         testing::Values(TankLoadCase{"MaterialListPage3", 202, ServerRecord::MaterialList},
                                         TankLoadCase{"FirstMaterial", 203, ServerRecord::Material},
                                         TankLoadCase{"FirstTank", 374, ServerRecord::TankParams},
                                         TankLoadCase{"LastTank", 397, ServerRecord::TankParams}),
                         caseName<TankLoadCase>);

TEST_F(EditorSheets, AFailedTankWriteIsNeverTakenForASave)
{
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, w), std::nullopt);
    chooseMaterial(sheet, 5, 1);
    failing.insert({Write, 380});
    const qsizetype before = server.requests.size();
    EXPECT_EQ(saveTankSheet(server, sheet, w), QList<int>{5});
    EXPECT_FALSE(sheet.saved);
    EXPECT_EQ(writtenCodes(before).size(), 14 + EditorTries) << "the save goes on after the failed tank";

    failing.clear();
    EXPECT_TRUE(saveTankSheet(server, sheet, w).isEmpty());
    EXPECT_TRUE(sheet.saved);
    EXPECT_EQ(storedTank(80).sifra, sheet.materials[1].sifra);
    EXPECT_EQ(storedTank(80).materialCode, sheet.materials[1].code);
}

TEST_F(EditorSheets, AnEmptyMaterialListLoadsTheTanksAndNoChoiceChangesThem)
{
    putMaterials(0);
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, w), std::nullopt);
    EXPECT_TRUE(sheet.loaded);
    const auto rows = sheet.rows;
    for (const qsizetype choice : {-1, 0})
        chooseMaterial(sheet, 1, choice);
    EXPECT_EQ(sheet.rows, rows);
    EXPECT_TRUE(sheet.saved);
}

TEST_F(EditorSheets, TheFirstMaterialOfAnEmptyListIsSavedWithItsEmptyDensityAsZero)
{
    putMaterials(0);
    MaterialSheet sheet;
    ASSERT_EQ(loadMaterialSheet(server, sheet, w), std::nullopt);
    ASSERT_TRUE(sheet.loaded);
    ASSERT_TRUE(addMaterialRow(sheet));
    sheet.rows[0][MaterialNameColumn] = u"Suncokretovo ulje sirovo, iz uvoza, klasa A-1"_s; // 45 characters
    sheet.rows[0][MaterialSifraColumn] = u"SUNCOKRET-1"_s;
    ASSERT_EQ(saveMaterialSheet(server, sheet, w), std::nullopt);
    EXPECT_TRUE(sheet.saved);

    MaterialSheet back;
    ASSERT_EQ(loadMaterialSheet(server, back, w), std::nullopt);
    EXPECT_EQ(back.rows, (QList<MaterialGridRow>{{u"1"_s, u"Suncokretovo ulje sirovo, iz uvoza, klas"_s, u""_s,
                                                  u"SUNCOKRET-"_s, u"0.000"_s}}));
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
    const qsizetype before = server.requests.size();
    ASSERT_EQ(saveMaterialSheet(server, sheet, w), std::nullopt);

    QList<qint32> expected;
    for (int code = 203; code <= 242; ++code)
        expected.append(code);
    expected << 200 << 201 << 202;
    EXPECT_EQ(writtenCodes(before), expected);
    QList<qsizetype> pageCounts;
    for (qsizetype i = server.requests.size() - 3; i < server.requests.size(); ++i)
        pageCounts.append(decodeMaterialListPage(server.requests[i].buffer)->entries.size());
    EXPECT_EQ(pageCounts, (QList<qsizetype>{32, 8, 0}));
    EXPECT_EQ(materialsFromSheet(sheet, w)[39].density20, 912.5);
}

struct MaterialSaveCase
{
    const char *name;
    qint32 failingCode;
    ServerRecord failed;
    qint32 lastWritten;
};

class MaterialSaveFailure : public EditorSheets, public testing::WithParamInterface<MaterialSaveCase>
{
};

TEST_P(MaterialSaveFailure, StopsAtTheFailureAndStaysUnsaved)
{
    putMaterials(3);
    MaterialSheet sheet;
    ASSERT_EQ(loadMaterialSheet(server, sheet, w), std::nullopt);
    sheet.saved = false;
    failing.insert({Write, GetParam().failingCode});
    EXPECT_EQ(saveMaterialSheet(server, sheet, w), GetParam().failed);
    EXPECT_FALSE(sheet.saved);
    EXPECT_EQ(writtenCodes().back(), GetParam().lastWritten);
}

INSTANTIATE_TEST_SUITE_P(All, MaterialSaveFailure,
                         testing::Values(MaterialSaveCase{"SecondMaterial", 204, ServerRecord::Material, 204},
                                         MaterialSaveCase{"ListPage2", 201, ServerRecord::MaterialList, 201}),
                         caseName<MaterialSaveCase>);

TEST_F(EditorSheets, ReservedConsoleCellsAreEighteen)
{
    QList<QPoint> reserved;
    for (int line = 1; line <= ConsoleScreen::Lines; ++line)
        for (int column = 1; column <= ConsoleScreen::Columns; ++column)
            if (isReservedCell(line, column))
                reserved.append(QPoint(column, line));
    QList<QPoint> expected{{19, 1}, {20, 1}};
    for (const int line : {2, 3})
        for (int column = 10; column <= 17; ++column)
            expected.append(QPoint(column, line));
    EXPECT_EQ(reserved, expected);
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

    ConsoleSheet back;
    failing.clear();
    ASSERT_TRUE(loadConsoleSheet(server, back));
    EXPECT_EQ(back.screens[14].cell(1, 20), 'Z');
}

} // namespace
