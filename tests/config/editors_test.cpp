// The tank, material and console editors against the embedded server: their working copies loaded
// and saved with failures and limits, and their windows driven as an operator uses them.
#include "config/editors/consolescreeneditor.h"
#include "config/editors/consolesheet.h"
#include "config/editors/materialsheet.h"
#include "config/editors/stringgrid.h"
#include "config/editors/tankeditor.h"
#include "config/editors/tanksheet.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Qt::StringLiterals;
using Call = RecordingDialogs::Call;
using Kind = RecordingDialogs::Kind;
constexpr auto Read = ExchangeOperation::Read;
constexpr auto Write = ExchangeOperation::Write;
using Editors = EditorFixture;

TEST_F(Editors, TankGeometryShowsThreeDecimalsTheDeadZoneNoneAndReadsBackFromACommaLocale)
{
    const TankParamsWire tank{374, 74, 11.5, 12.25, 11, 250, 10.125, 1064.3, 2.5, u"S1"_s, 203};
    ASSERT_EQ(writeRecord(*store, tank, encodeTankParamsWire), ExchangeStatus::Success);
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, QLocale(QLocale::German)), std::nullopt);
    EXPECT_EQ(sheet.rows[1], (TankGridRow{u"1"_s, u"R 74"_s, u"11,500"_s, u"12,250"_s, u"11,000"_s, u"250"_s,
                                          u"10,125"_s, u"1064,300"_s, u"2,500"_s, u"S1"_s}));
    EXPECT_EQ(tanksFromSheet(sheet).tanks[1], tank);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(Editors, AFailedTankLoadKeepsTheRowsAndSavesNothing)
{
    const struct { const char *name; qint32 code; ServerRecord failed; } cases[] = {
        {"MaterialListPage3", 202, ServerRecord::MaterialList}, {"FirstMaterial", 203, ServerRecord::Material},
        {"FirstTank", 374, ServerRecord::TankParams},           {"LastTank", 397, ServerRecord::TankParams}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        failing = {{Read, c.code}};
        server.requests.clear();
        TankSheet sheet;
        sheet.rows[1][1] = u"shown before"_s;
        EXPECT_EQ(loadTankSheet(server, sheet, w.locale()), c.failed);
        EXPECT_EQ(sheet.rows[1][1], u"shown before"_s);
        EXPECT_TRUE(saveTankSheet(server, sheet, w.locale()).failures.isEmpty());
        EXPECT_TRUE(writtenCodes().isEmpty());
    }
}

TEST_F(Editors, AFailedTankWriteIsNeverTakenForASave)
{
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, w.locale()), std::nullopt);
    const TankParamsWire before = storedTank(80);
    chooseMaterial(sheet, 5, 1);
    failing.insert({Write, 380});
    EXPECT_EQ(saveTankSheet(server, sheet, w.locale()).failures, (QList<WriteFailure>{{u"R 80"_s, ExchangeStatus::NoConnection}}));
    EXPECT_FALSE(sheet.saved);
    EXPECT_EQ(writtenCodes().size(), 14 + EditorTries) << "the save goes on after the failed tank";
    EXPECT_EQ(storedTank(80), before) << "the failed tank keeps what the server held";
}

TEST_F(Editors, AnEmptyMaterialListLoadsTheTanksAndNoChoiceChangesThem)
{
    putMaterials(0);
    TankSheet sheet;
    ASSERT_EQ(loadTankSheet(server, sheet, w.locale()), std::nullopt);
    const auto rows = sheet.rows;
    chooseMaterial(sheet, 1, -1);
    chooseMaterial(sheet, 1, 0);
    EXPECT_TRUE(sheet.loaded && sheet.saved && sheet.rows == rows);
}

TEST_F(Editors, NinetySixMaterialsAreTheLimit)
{
    for (const int count : {95, 96}) {
        MaterialSheet sheet;
        sheet.rows.resize(count);
        EXPECT_EQ(addMaterialRow(sheet), count == 95) << count;
        EXPECT_EQ(sheet.rows.size(), MaxMaterials);
        EXPECT_EQ(sheet.rows.back()[MaterialNumberColumn], count == 95 ? u"96"_s : QString());
    }
}

TEST_F(Editors, FortyMaterialsAreWrittenInOrderThenAsPagesOf32And8And0)
{
    putMaterials(40);
    MaterialSheet sheet;
    ASSERT_EQ(loadMaterialSheet(server, sheet, w.locale()), std::nullopt);
    typeMaterialValue(sheet, 40, MaterialDensityColumn, u"912,5"_s);
    server.requests.clear();
    ASSERT_EQ(saveMaterialSheet(server, sheet).failed, std::nullopt);
    QList<qint32> expected;
    for (int code = 203; code <= 242; ++code)
        expected.append(code);
    EXPECT_EQ(writtenCodes(), expected << 200 << 201 << 202);
    QList<qsizetype> pageCounts;
    for (qsizetype i = server.requests.size() - 3; i < server.requests.size(); ++i)
        pageCounts.append(decodeMaterialListPage(server.requests[i].buffer)->entries.size());
    EXPECT_EQ(pageCounts, (QList<qsizetype>{32, 8, 0}));
    EXPECT_EQ(materialsFromSheet(sheet).materials[39].density20, 912.5);
}

TEST_F(Editors, AFailedMaterialSaveStopsThereAndStaysUnsaved)
{
    putMaterials(3);
    const struct { const char *name; qint32 code; ServerRecord failed; } cases[] = {
        {"SecondMaterial", 204, ServerRecord::Material}, {"ListPage2", 201, ServerRecord::MaterialList}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MaterialSheet sheet;
        ASSERT_EQ(loadMaterialSheet(server, sheet, w.locale()), std::nullopt);
        sheet.saved = false;
        failing = {{Write, c.code}};
        EXPECT_EQ(saveMaterialSheet(server, sheet).failed, c.failed);
        EXPECT_FALSE(sheet.saved);
        EXPECT_EQ(writtenCodes().back(), c.code);
        failing.clear();
    }
}

TEST_F(Editors, AConsoleLoadThatFailedKeepsTheUnreadScreensBlankAndNeverSavesThem)
{
    failing.insert({Read, 478});
    ConsoleSheet sheet;
    EXPECT_FALSE(loadConsoleSheet(server, sheet));
    EXPECT_NE(sheet.screens[2], ConsoleScreen()) << "the demonstration screens carry the tank's name";
    EXPECT_EQ(sheet.screens[3], ConsoleScreen());
    setShownCell(sheet, 1, 1, 'X');
    EXPECT_TRUE(sheet.saved) << "no screen shown yet";
    sheet.shown = 1;
    setShownCell(sheet, 1, 1, 'X');
    EXPECT_TRUE(saveConsoleSheet(server, sheet).isEmpty());
    EXPECT_TRUE(writtenCodes().isEmpty());
}

void trigger(const QObject &window, const char *action) { child<QAction>(window, action)->trigger(); }
StringGrid *grid(const QObject &window) { return child<StringGrid>(window, "StringGrid1"); }

void enter(const QObject &window, const QString &text, const char *ok)
{
    child<QLineEdit>(window, "Edit1")->setText(text);
    child<QPushButton>(window, ok)->click();
}

TEST_F(Editors, LeavingAfterAMaterialChoiceAsksWhetherUnsavedOrWhoseSaveFailed)
{
    const TankParamsWire before = storedTank(74);
    for (const bool failedSave : {false, true}) {
        SCOPED_TRACE(failedSave);
        dialogs.calls.clear();
        TankEditor editor(services);
        editor.show();
        clickCell(*grid(editor), TankMaterialColumn, 1, true);
        child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(1);
        child<QPushButton>(editor, "Button2")->click();
        if (failedSave) {
            failing.insert({Write, 374});
            trigger(editor, "Snimikonfiguraciju1");
            EXPECT_EQ(dialogs.calls, QList<Call>{(Call{Kind::Message, u"Neuspesan unos podataka o rezervoaru.\nR 74: Racunar nije uspostavio vezu sa serverom."_s, u"Error"_s})});
            failing.clear();
            dialogs.calls.clear();
        }
        dialogs.questionAnswers = {failedSave}; // without a failed save the operator leaves unsaved
        trigger(editor, "Izlaz1");
        EXPECT_EQ(dialogs.calls, QList<Call>{(Call{Kind::Question, u"Da li zelite sa snimite novu konfiguraciju?"_s, u"Upozorenje!"_s})});
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(storedTank(74).materialCode, failedSave ? editor.sheet().materials[1].code : before.materialCode);
    }
}

TEST_F(Editors, TankParametersAreTypedOnlyWithTheServiceValue)
{
    for (const bool editable : {true, false}) {
        SCOPED_TRACE(editable);
        ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, editable ? u"true"_s : u"yes"_s).ok());
        TankEditor editor(services);
        editor.show();
        if (editable)
            trigger(editor, "Izmenaparametara2");
        clickCell(*grid(editor), 2, 3, true);
        ASSERT_EQ(child<QWidget>(editor, "Panel2")->isVisible(), editable);
        ASSERT_NE(editor.focusWidget(), nullptr);
        QTest::keyClick(editor.focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(editor.isVisible(), editable) << "Escape cancels the panel, else leaves";
        if (editable) {
            EXPECT_FALSE(child<QWidget>(editor, "Panel2")->isVisible());
            enter(editor, u"11,5"_s, "Button3");
            trigger(editor, "Snimikonfiguraciju1");
            EXPECT_EQ(storedTank(78).diameter, 11.5);
        }
    }
}

TEST_F(Editors, AConsoleEditIsKeptWhenTheTankIsChosenWithTheKeyboardOnTheClosedList)
{
    ConsoleScreenEditor editor(services);
    editor.show();
    clickCell(*grid(editor), 1, 1);
    EXPECT_FALSE(child<QWidget>(editor, "Panel1")->isVisible()) << "no tank chosen yet";
    auto *tanks = child<QComboBox>(editor, "ComboBox1");
    QTest::keyClick(tanks, Qt::Key_Down);
    ASSERT_EQ(tanks->currentText(), u"R 74"_s);
    clickCell(*grid(editor), 1, 1);
    QTest::keyClicks(child<QWidget>(editor, "Edit1"), u"A"_s);
    child<QPushButton>(editor, "Button1")->click();
    clickCell(*grid(editor), 2, 1);
    enter(editor, QString(), "Button1");
    QTest::keyClick(tanks, Qt::Key_Down);
    EXPECT_NE(grid(editor)->cell(1, 1), u"A"_s);
    QTest::keyClick(tanks, Qt::Key_Up);
    EXPECT_EQ(grid(editor)->cell(1, 1) + grid(editor)->cell(2, 1), u"A "_s);
    trigger(editor, "Snimi1");
    EXPECT_EQ(storedScreen(74).cell(1, 1), 'A');
}

TEST_F(Editors, ReservedConsoleCellsAreBlueAndLockedUnlessTheServiceValueOpensThem)
{
    for (const bool open : {false, true}) {
        SCOPED_TRACE(open);
        ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Console"_s, open ? u"true"_s : QString()).ok());
        ConsoleScreenEditor editor(services);
        editor.show();
        child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(0);
        const QImage picture = grid(editor)->viewport()->grab().toImage();
        const auto colour = [&](int column) { return picture.pixelColor(grid(editor)->visualItemRect(grid(editor)->item(1, column)).center()); };
        EXPECT_EQ(colour(19) == QColor(Qt::blue), !open);
        EXPECT_NE(colour(18), QColor(Qt::blue));
        clickCell(*grid(editor), 19, 1);
        EXPECT_EQ(child<QWidget>(editor, "Panel1")->isVisible(), open);
    }
}

} // namespace
