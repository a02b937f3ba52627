// The editor windows driven through their widgets, as an operator uses them, against the embedded server.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"

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
using EditorWindows = EditorFixture;

void trigger(const QObject &window, const char *action)
{
    child<QAction>(window, action)->trigger();
}

StringGrid *grid(const QObject &window)
{
    return child<StringGrid>(window, "StringGrid1");
}

QPoint cellCentre(const QObject &window, int column, int row)
{
    return grid(window)->visualItemRect(grid(window)->item(row, column)).center();
}

void enter(const QObject &window, const QString &text, const char *ok)
{
    child<QLineEdit>(window, "Edit1")->setText(text);
    child<QPushButton>(window, ok)->click();
}

TEST_F(EditorWindows, ATanksMaterialIsChosenAndAFailedSaveAsksAgainOnLeaving)
{
    TankEditor editor(services);
    editor.show();
    clickCell(*grid(editor), TankMaterialColumn, 1, true);
    ASSERT_TRUE(child<QWidget>(editor, "Panel1")->isVisible());
    child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(1);
    child<QPushButton>(editor, "Button2")->click();
    const MaterialRecord chosen = editor.sheet().materials[1];
    EXPECT_EQ(grid(editor)->cell(TankMaterialColumn, 1), chosen.sifra);

    failing.insert({ExchangeOperation::Write, 374});
    trigger(editor, "Snimikonfiguraciju1");
    EXPECT_EQ(dialogs.calls, QList<Call>{(Call{Kind::Message, u"Neuspesan unos podataka o rezervoaru."_s, u"Error"_s})});
    failing.clear();
    dialogs.questionAnswers = {true};
    trigger(editor, "Izlaz1");
    EXPECT_EQ(dialogs.calls.back(),
              (Call{Kind::Question, u"Da li zelite sa snimite novu konfiguraciju?"_s, u"Upozorenje!"_s}));
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(storedTank(74).materialCode, chosen.code);
}

TEST_F(EditorWindows, TankParametersAreTypedOnlyWithTheServiceValueAndLeaveWithoutAsking)
{
    for (const bool editable : {true, false}) {
        SCOPED_TRACE(editable);
        ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, editable ? u"true"_s : u"yes"_s).ok());
        TankEditor editor(services);
        editor.show();
        auto *change = child<QAction>(editor, "Izmenaparametara2");
        EXPECT_EQ(change->isVisible(), editable);
        if (editable)
            change->trigger();
        clickCell(*grid(editor), 2, 3, true);
        ASSERT_EQ(child<QWidget>(editor, "Panel2")->isVisible(), editable);
        QTest::keyClick(&editor, Qt::Key_Escape);
        ASSERT_TRUE(editor.isVisible()) << "the window is left through its menu only";
        if (editable) {
            enter(editor, u"11,5"_s, "Button3");
            trigger(editor, "Snimikonfiguraciju1");
            EXPECT_EQ(storedTank(78).diameter, 11.5);
        }
        trigger(editor, "Izlaz1");
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(dialogs.calls.isEmpty());
    }
}

TEST_F(EditorWindows, TheFirstMaterialOfANewPlantIsTypedInAndSaved)
{
    putMaterials(0);
    MaterialEditor editor(services);
    editor.show();
    trigger(editor, "Novimaterijal1");
    for (const auto &[column, text] : {std::pair{MaterialNameColumn, u"Suncokretovo ulje"_s}, {MaterialSifraColumn, u"SUNC"_s}}) {
        clickCell(*grid(editor), column, 1, true);
        enter(editor, text, "Button2");
    }
    trigger(editor, "Pregled1");
    EXPECT_EQ(grid(editor)->cell(MaterialDensityColumn, 1), u"0.000"_s) << "the grid shows the list read anew";
    trigger(editor, "Stampaj1");
    trigger(editor, "Izlaz1");
    EXPECT_EQ(dialogs.calls, QList<Call>{(Call{Kind::Printer, {}, {}})}) << "nothing failed, nothing left unsaved";
}

TEST_F(EditorWindows, AConsoleEditIsKeptWhenTheTankIsChosenWithTheKeyboardOnTheClosedList)
{
    ConsoleScreenEditor editor(services);
    editor.show();
    clickCell(*grid(editor), 1, 1);
    EXPECT_FALSE(child<QWidget>(editor, "Panel1")->isVisible()) << "no tank chosen yet";

    auto *tanks = child<QComboBox>(editor, "ComboBox1");
    QTest::keyClick(tanks, Qt::Key_Down);
    ASSERT_EQ(tanks->currentText(), u"R 74"_s);
    clickCell(*grid(editor), 1, 1);
    ASSERT_TRUE(child<QWidget>(editor, "Panel1")->isVisible());
    EXPECT_FALSE(grid(editor)->isEnabled());
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

TEST_F(EditorWindows, ReservedConsoleCellsAreBlueAndLockedUnlessTheServiceValueOpensThem)
{
    for (const bool open : {false, true}) {
        SCOPED_TRACE(open);
        ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Console"_s, open ? u"true"_s : QString()).ok());
        ConsoleScreenEditor editor(services);
        editor.show();
        child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(0);
        const QImage picture = grid(editor)->viewport()->grab().toImage();
        EXPECT_EQ(picture.pixelColor(cellCentre(editor, 19, 1)) == QColor(Qt::blue), !open);
        EXPECT_NE(picture.pixelColor(cellCentre(editor, 18, 1)), QColor(Qt::blue));
        clickCell(*grid(editor), 19, 1);
        EXPECT_EQ(child<QWidget>(editor, "Panel1")->isVisible(), open);
    }
}

} // namespace
