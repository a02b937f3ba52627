// The editor windows driven through their widgets, as an operator uses them, against the embedded server.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"

#include "tests/config/editorfixture.h"
#include "tests/support/namedcases.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using namespace Qt::StringLiterals;
using Call = RecordingDialogs::Call;
using Kind = RecordingDialogs::Kind;

template <typename T = QWidget>
T *child(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void trigger(const QObject &window, const char *action)
{
    child<QAction>(window, action)->trigger();
}

QPoint cellCentre(StringGrid *grid, int column, int row)
{
    return grid->visualItemRect(grid->item(row, column)).center();
}

void clickCell(const QObject &window, int column, int row)
{
    auto *grid = child<StringGrid>(window, "StringGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, column, row));
}

void doubleClickCell(const QObject &window, int column, int row)
{
    auto *grid = child<StringGrid>(window, "StringGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, column, row));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, column, row));
}

QString cell(const QObject &window, int column, int row)
{
    return child<StringGrid>(window, "StringGrid1")->cell(column, row);
}

class EditorWindows : public EditorFixture
{
protected:
    TankParamsWire storedTank(int tankId)
    {
        qint32 status = 0;
        return readRecord(*store, codeRequest(tankId + TankParamsCodeBase), decodeTankParamsWire, status).value();
    }
};

TEST_F(EditorWindows, ATanksMaterialIsChosenAndAFailedSaveAsksAgainOnLeaving)
{
    TankEditor editor(services);
    editor.show();
    doubleClickCell(editor, TankMaterialColumn, 1);
    ASSERT_TRUE(child(editor, "Panel1")->isVisible());
    child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(1);
    child<QPushButton>(editor, "Button2")->click();
    const MaterialRecord chosen = editor.sheet().materials[1];
    EXPECT_EQ(cell(editor, TankMaterialColumn, 1), chosen.sifra);

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

struct ChangeCase
{
    const char *name;
    const char *change;
    bool editable;
};

class TankParameterEntry : public EditorWindows, public testing::WithParamInterface<ChangeCase>
{
};

TEST_P(TankParameterEntry, OpensOnlyWithTheServiceValueAndLeavesWithoutAsking)
{
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, QString::fromLatin1(GetParam().change)).ok());
    TankEditor editor(services);
    editor.show();
    EXPECT_EQ(child<QAction>(editor, "Izmenaparametara2")->isVisible(), GetParam().editable);
    if (GetParam().editable)
        trigger(editor, "Izmenaparametara2");
    doubleClickCell(editor, 2, 3);
    ASSERT_EQ(child(editor, "Panel2")->isVisible(), GetParam().editable);
    QTest::keyClick(&editor, Qt::Key_Escape);
    ASSERT_TRUE(editor.isVisible()) << "the window is left through its menu only";
    if (GetParam().editable) {
        child<QLineEdit>(editor, "Edit1")->setText(u"11,5"_s);
        child<QPushButton>(editor, "Button3")->click();
        trigger(editor, "Snimikonfiguraciju1");
        EXPECT_EQ(storedTank(78).diameter, 11.5);
    }
    trigger(editor, "Izlaz1");
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(All, TankParameterEntry,
                         testing::Values(ChangeCase{"ChangeTrue", "true", true}, ChangeCase{"ChangeYes", "yes", false}),
                         caseName<ChangeCase>);

TEST_F(EditorWindows, TheFirstMaterialOfANewPlantIsTypedInAndSaved)
{
    putMaterials(0);
    MaterialEditor editor(services);
    editor.show();
    trigger(editor, "Novimaterijal1");
    for (const auto &[column, text] : {std::pair{MaterialNameColumn, u"Suncokretovo ulje"_s}, {MaterialSifraColumn, u"SUNC"_s}}) {
        doubleClickCell(editor, column, 1);
        auto *entry = child<QLineEdit>(editor, "Edit1");
        EXPECT_EQ(entry->maxLength(), column == MaterialNameColumn ? 40 : 10);
        entry->setText(text);
        child<QPushButton>(editor, "Button2")->click();
    }
    trigger(editor, "Pregled1");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(cell(editor, MaterialDensityColumn, 1), u"0.000"_s) << "the grid shows the list read anew";
    trigger(editor, "Izlaz1");
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(EditorWindows, NinetySixMaterialsRefuseANewOneAndStillPrint)
{
    putMaterials(96);
    MaterialEditor editor(services);
    editor.show();
    trigger(editor, "Novimaterijal1");
    trigger(editor, "Stampaj1");
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, u"Maksimalan broj materijala je ogranicen na 96"_s, u"Error"_s},
                                          {Kind::Printer, {}, {}}}));
    EXPECT_EQ(child<StringGrid>(editor, "StringGrid1")->rowCount(), 97);
}

TEST_F(EditorWindows, AConsoleEditKeptWhenTheTankIsChosenWithTheKeyboardOnTheClosedList)
{
    ConsoleScreenEditor editor(services);
    editor.show();
    clickCell(editor, 1, 1);
    EXPECT_FALSE(child(editor, "Panel1")->isVisible()) << "no tank chosen yet";

    auto *tanks = child<QComboBox>(editor, "ComboBox1");
    QTest::keyClick(tanks, Qt::Key_Down);
    ASSERT_EQ(tanks->currentText(), u"R 74"_s);
    clickCell(editor, 1, 1);
    ASSERT_TRUE(child(editor, "Panel1")->isVisible());
    EXPECT_FALSE(child(editor, "StringGrid1")->isEnabled());
    QTest::keyClicks(child(editor, "Edit1"), u"A"_s);
    child<QPushButton>(editor, "Button1")->click();
    clickCell(editor, 2, 1);
    child<QLineEdit>(editor, "Edit1")->clear();
    child<QPushButton>(editor, "Button1")->click();

    QTest::keyClick(tanks, Qt::Key_Down);
    EXPECT_NE(cell(editor, 1, 1), u"A"_s);
    QTest::keyClick(tanks, Qt::Key_Up);
    EXPECT_EQ(cell(editor, 1, 1) + cell(editor, 2, 1), u"A "_s);
    trigger(editor, "Snimi1");
    ConsoleSheet back;
    ASSERT_TRUE(loadConsoleSheet(*store, back));
    EXPECT_EQ(back.screens[0].cell(1, 1), 'A');
}

struct ReservedCase
{
    const char *name;
    const char *console;
    bool open;
};

class ReservedConsoleCells : public EditorWindows, public testing::WithParamInterface<ReservedCase>
{
};

TEST_P(ReservedConsoleCells, AreBlueAndLockedUnlessTheServiceValueOpensThem)
{
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Console"_s, QString::fromLatin1(GetParam().console)).ok());
    ConsoleScreenEditor editor(services);
    editor.show();
    child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(0);
    auto *grid = child<StringGrid>(editor, "StringGrid1");
    const QImage picture = grid->viewport()->grab().toImage();
    EXPECT_EQ(picture.pixelColor(cellCentre(grid, 19, 1)) == QColor(Qt::blue), !GetParam().open);
    EXPECT_NE(picture.pixelColor(cellCentre(grid, 18, 1)), QColor(Qt::blue));
    clickCell(editor, 19, 1);
    EXPECT_EQ(child(editor, "Panel1")->isVisible(), GetParam().open);
}

INSTANTIATE_TEST_SUITE_P(All, ReservedConsoleCells,
                         testing::Values(ReservedCase{"Locked", "", false}, ReservedCase{"Open", "true", true}),
                         caseName<ReservedCase>);

} // namespace
