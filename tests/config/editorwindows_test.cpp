// What stops an editor's save (typed numbers in their ranges, failed and refused writes), and the
// editor windows driven from the keyboard and the mouse as an operator uses them: one panel at a
// time, Enter and Escape, fixed cells that stay in place and open nothing.
#include "config/editors/consolescreeneditor.h"
#include "config/editors/editorfaults.h"
#include "config/editors/materialeditor.h"
#include "config/editors/stringgrid.h"
#include "config/editors/tankeditor.h"
#include "config/editors/usereditor.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace {

using namespace Qt::StringLiterals;
using Call = RecordingDialogs::Call;

class EditorWindows : public EditorFixture
{
protected:
    static QWidget *focused(QWidget &window) { return window.focusWidget() ? window.focusWidget() : &window; }
    static void press(QWidget &window, Qt::Key key) { QTest::keyClick(focused(window), key); }
    static void type(QWidget &window, const QString &text) { QTest::keyClicks(focused(window), text); }
    static QString focusName(QWidget &window) { return focused(window)->objectName(); }
    static StringGrid &grid(const QWidget &window) { return *child<StringGrid>(window, "StringGrid1"); }
    static void trigger(const QWidget &window, const char *action) { child<QAction>(window, action)->trigger(); }
    // Enter on the cell opens its panel, the text typed over the old one, Enter presses "OK".
    static void enterCell(QWidget &window, int column, int row, const QString &text)
    {
        grid(window).setCurrentCell(row, column);
        grid(window).setFocus();
        press(window, Qt::Key_Return);
        type(window, text);
        press(window, Qt::Key_Return);
    }
    static QStringList openPanels(const QWidget &window)
    {
        QStringList open;
        for (const QFrame *panel : window.findChildren<QFrame *>(QRegularExpression(u"^Panel"_s)))
            if (panel->isVisible())
                open.append(panel->objectName());
        return open;
    }
};

constexpr NumberRange Length{0, 100}, Extent{0, 100, false}, Density{500, 2000};
constexpr auto Bad = NumberFault::NotANumber, Out = NumberFault::OutOfRange, Ok = NumberFault::None;

TEST(TypedNumber, ConvertsOnlyAWholeNumberInsideTheRange)
{
    const struct { QString text; NumberRange range; double value; NumberFault fault; } cases[] = {
        {u"7.2x"_s, Extent, 0, Bad},      {u"1E3"_s, {0, 100000}, 1000, Ok}, {u" 11,5 "_s, Length, 11.5, Ok},
        {u"0"_s, Extent, 0, Out},         {u"100"_s, Extent, 100, Ok},        {u"100.001"_s, Extent, 0, Out},
        {u"499,999"_s, Density, 0, Out},  {u"2000"_s, Density, 2000, Ok}};
    for (const auto &c : cases) {
        const TypedNumber typed = parseTypedNumber(c.text, c.range);
        EXPECT_EQ(typed.fault, c.fault) << c.text.toStdString();
        EXPECT_EQ(typed.value, c.value) << c.text.toStdString();
    }
}

TEST(WriteFailuresText, GroupsTheRecordsByReasonAndARefusalSaysOnlyThat)
{
    QList<WriteFailure> failures{{u"R 74"_s, ExchangeStatus::NoConnection}, {u"R 75"_s, ExchangeStatus::UnknownRequest},
                                 {u"R 78"_s, ExchangeStatus::NoConnection}, {QString(), ExchangeStatus::StoreFailed}};
    EXPECT_EQ(writeFailuresText(ServerRecord::TankParams, failures),
              u"Neuspesan unos podataka o rezervoaru.\nR 74, R 78: Racunar nije uspostavio vezu sa serverom.\n"
              "R 75\nServer nije mogao da snimi podatke."_s);
    EXPECT_EQ(writeFailuresText(ServerRecord::User, {{u"PETAR"_s, ExchangeStatus::PasswordTaken}}),
              u"Upis konfiguracije neuspesan.\nPETAR: Tu lozinku vec ima drugi korisnik."_s);
    failures.append({u"R 80"_s, ExchangeStatus::AccessRefused});
    EXPECT_EQ(writeFailuresText(ServerRecord::TankParams, failures), u"Nemate pravo izmene konfiguracije."_s);
}

TEST_F(EditorWindows, TheTankEditorSavesOnlyNumbersInRangeExactlyAndAsksBeforeDroppingTypedOnes)
{
    TankParamsWire r75 = storedTank(75);
    r75.deadZoneVolume = 15.5803360663969;
    ASSERT_EQ(writeRecord(*store, r75, encodeTankParamsWire), ExchangeStatus::Success);
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, u"true"_s).ok());
    TankEditor editor(services);
    editor.show();
    trigger(editor, "Izmenaparametara2");
    enterCell(editor, 2, 1, u"abc"_s);
    enterCell(editor, 5, 4, u"-5"_s);
    enterCell(editor, 7, 4, u"1e20"_s);
    trigger(editor, "Snimikonfiguraciju1");
    EXPECT_EQ(dialogs.calls, QList<Call>{(Call{RecordingDialogs::Kind::Message,
                                               u"Konfiguracija nije snimljena. Ispravite:\nR 74, D [m]: \"abc\" nije broj.\n"
                                               "R 79, H 0 [mm]: \"-5\" nije u opsegu od 0 do 100000.\n"
                                               "R 79, V maksimalno [m3]: \"1e20\" nije u opsegu od 0 do 100000."_s, u"Error"_s})});
    EXPECT_TRUE(writtenCodes().isEmpty());
    EXPECT_EQ(grid(editor).cell(2, 1), u"abc"_s) << "left as typed, to be corrected";

    grid(editor).setCurrentCell(1, 2);
    press(editor, Qt::Key_Return);
    QStringList tabOrder;
    for (int i = 0; i < 4; ++i, press(editor, Qt::Key_Tab))
        tabOrder.append(focusName(editor));
    EXPECT_EQ(tabOrder, (QStringList{u"Edit1"_s, u"Button4"_s, u"Button3"_s, u"Edit1"_s}));
    press(editor, Qt::Key_Escape);
    EXPECT_EQ(openPanels(editor), QStringList()) << "Escape cancels the entry";
    grid(editor).setCurrentCell(1, TankMaterialColumn);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(openPanels(editor), QStringList{u"Panel1"_s});
    EXPECT_FALSE(grid(editor).isEnabled() || editor.findChild<QMenu *>()->menuAction()->isEnabled()) << "one panel at a time";
    press(editor, Qt::Key_Down);
    press(editor, Qt::Key_Return);
    EXPECT_TRUE(grid(editor).isEnabled());

    dialogs.calls.clear();
    enterCell(editor, 2, 1, u"4,5"_s);
    enterCell(editor, 5, 4, u"0"_s);
    enterCell(editor, 7, 4, u"1000"_s);
    trigger(editor, "Snimikonfiguraciju1");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(storedTank(74).diameter, 4.5);
    EXPECT_EQ(storedTank(74).materialCode, editor.sheet().materials[0].code);
    EXPECT_EQ(storedTank(75).deadZoneVolume, 15.5803360663969) << "an untouched value is written exactly";
    EXPECT_EQ(grid(editor).cell(2, 1), u"4.500"_s) << "the grid shows what was saved";

    enterCell(editor, 2, 1, u"5"_s);
    press(editor, Qt::Key_Escape);
    EXPECT_EQ(dialogs.calls.value(0).text, u"Da li zelite sa snimite novu konfiguraciju?"_s);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(storedTank(74).diameter, 4.5) << "Cancel drops the typed value";
}

// A picture of part of the grid as the operator sees it, frozen views included.
QImage strip(StringGrid &cells, int width, int height)
{
    return cells.grab(QRect(cells.viewport()->geometry().topLeft(), QSize(width, height))).toImage();
}

TEST_F(EditorWindows, TheMaterialGridStopsABadDensityKeepsItsFixedCellsInPlaceAndReopensAtTheTop)
{
    putMaterials(40);
    ASSERT_EQ(writeRecord(*store, MaterialWire{205, {205, u"S3"_s, u"Ime 3"_s, u"Ulje"_s, 912.3456789}}, encodeMaterialWire),
              ExchangeStatus::Success);
    MaterialEditor editor(services);
    editor.show();
    StringGrid &cells = grid(editor);
    const QImage row = strip(cells, cells.viewport()->width(), cells.rowHeight(0));
    const QImage column = strip(cells, cells.columnWidth(0), cells.viewport()->height());
    cells.verticalScrollBar()->setValue(cells.verticalScrollBar()->maximum());
    EXPECT_EQ(strip(cells, cells.viewport()->width(), cells.rowHeight(0)), row) << "the header row stays";
    cells.verticalScrollBar()->setValue(0);
    cells.resize(cells.width() / 2, cells.height()); // narrow enough to scroll sideways
    cells.horizontalScrollBar()->setValue(cells.horizontalScrollBar()->maximum());
    ASSERT_GT(cells.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(strip(cells, cells.columnWidth(0), cells.viewport()->height()), column) << "the number column stays";

    enterCell(editor, MaterialDensityColumn, 1, u"92O"_s);
    trigger(editor, "Novimaterijal1");
    enterCell(editor, MaterialNameColumn, 41, u"Novo"_s);
    trigger(editor, "Pregled1");
    EXPECT_EQ(dialogs.calls.value(0).text, u"Konfiguracija nije snimljena. Ispravite:\n"
                                           "Materijal 1 (Ime 1), Ro na 20 \u00B0C [kg/m3]: \"92O\" nije broj.\n"
                                           "Materijal 41 (Novo), Ro na 20 \u00B0C [kg/m3]: \"\" nije broj."_s);
    EXPECT_TRUE(writtenCodes().isEmpty());
    enterCell(editor, MaterialDensityColumn, 1, u"920"_s);
    enterCell(editor, MaterialDensityColumn, 41, u"1999,5"_s);
    trigger(editor, "Pregled1");
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(stored(205, decodeMaterialWire).material.density20, 912.3456789);
    EXPECT_EQ(stored(243, decodeMaterialWire).material.density20, 1999.5);

    cells.setCurrentCell(40, 2);
    trigger(editor, "Izlaz1");
    editor.show();
    EXPECT_EQ(cells.verticalScrollBar()->value() + cells.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(cells.currentRow(), 1);
}

TEST_F(EditorWindows, InEveryEditorAFixedCellOpensNothingAndARefusedWriteSaysSoOnceAndTriesNoFurtherRecord)
{
    server.answer = [this](ExchangeOperation operation, ExchangeBuffer &buffer) {
        return operation == ExchangeOperation::Write ? ExchangeStatus::AccessRefused : store->exchange(operation, buffer);
    };
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, u"true"_s).ok());
    TankEditor tanks(services);
    MaterialEditor materials(services);
    ConsoleScreenEditor console(services);
    UserEditor users(services);
    const std::pair<QDialog *, const char *> saves[] = {
        {&tanks, "Snimikonfiguraciju1"}, {&materials, "Pregled1"}, {&console, "Snimi1"}, {&users, "Button2"}};
    for (const auto &[editor, save] : saves) {
        SCOPED_TRACE(save);
        editor->show();
        if (auto *list = editor->findChild<QComboBox *>(u"ComboBox1"_s); list && editor != &tanks)
            list->setCurrentIndex(0);
        if (editor == &tanks)
            trigger(tanks, "Izmenaparametara2");
        StringGrid &cells = grid(*editor);
        for (const auto &[column, row] : {std::pair{0, 0}, {3, 0}, {0, 2}, {cells.columnCount() - 1, 0}}) {
            const QString text = cells.cell(column, row);
            clickCell(cells, column, row, true);
            EXPECT_EQ(openPanels(*editor), QStringList()) << column << ", " << row;
            EXPECT_EQ(cells.cell(column, row), text);
        }
        EXPECT_TRUE(dialogs.calls.isEmpty());
        server.requests.clear();
        if (auto *button = editor->findChild<QPushButton *>(QLatin1String(save)))
            button->click();
        else
            trigger(*editor, save);
        ASSERT_EQ(dialogs.calls.size(), 1);
        EXPECT_EQ(dialogs.calls[0].text, u"Nemate pravo izmene konfiguracije."_s);
        EXPECT_EQ(writtenCodes().size(), 1) << "a refusal is not asked again";
        dialogs.calls.clear();
    }
}

TEST_F(EditorWindows, EnterInTheNewUserPanelAddsTheUserAndConfirmsOnlyAPasswordBeingChanged)
{
    UserEditor editor(services);
    editor.show();
    child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(0);
    const QByteArray password = editor.configuration().users[0].password;
    trigger(editor, "Novikorisnik1");
    type(editor, u"petar"_s);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(dialogs.calls.value(0).text, u"Nije uneta lozinka korisnika!"_s) << "the panel's own OK";
    press(editor, Qt::Key_Return);
    trigger(editor, "Novikorisnik1");
    type(editor, u"petar"_s);
    press(editor, Qt::Key_Tab);
    type(editor, u"pet"_s);
    press(editor, Qt::Key_Return);
    ASSERT_EQ(editor.configuration().users.size(), 3);
    EXPECT_EQ(shownName(editor.configuration().users[2]).trimmed(), u"PETAR"_s);
    EXPECT_EQ(editor.configuration().users[0].password, password);

    child<QPushButton>(editor, "Button1")->click();
    child<QLineEdit>(editor, "Edit3")->selectAll();
    type(editor, u"nova"_s);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(editor.configuration().users[0].password, "NOVA    ");
    EXPECT_TRUE(editor.isVisible());
}

TEST_F(EditorWindows, TheConsoleTakesACharacterFromTheKeyboard)
{
    ConsoleScreenEditor console(services);
    console.show();
    child<QComboBox>(console, "ComboBox1")->setCurrentIndex(0);
    grid(console).setFocus();
    press(console, Qt::Key_Return);
    type(console, u"Q"_s);
    EXPECT_EQ(focusName(console), u"Button1"_s) << "the character typed, the focus moves to OK";
    press(console, Qt::Key_Return);
    EXPECT_EQ(grid(console).cell(1, 1), u"Q"_s);
}

} // namespace
