// The editors from the keyboard: Enter presses the open panel's "OK" whatever field is typed in,
// Escape cancels the panel or leaves, Tab walks a panel in a sensible order.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"
#include "config/transferwindow.h"
#include "config/usereditor.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Qt::StringLiterals;

class EditorKeys : public EditorFixture
{
protected:
    // Keys go where the operator's focus is.
    static void press(QWidget &window, Qt::Key key) { QTest::keyClick(focused(window), key); }
    static void type(QWidget &window, const QString &text) { QTest::keyClicks(focused(window), text); }
    static QWidget *focused(QWidget &window)
    {
        QWidget *widget = window.focusWidget();
        EXPECT_NE(widget, nullptr);
        return widget ? widget : &window;
    }
    static QString focusName(QWidget &window) { return focused(window)->objectName(); }
    static StringGrid &grid(QWidget &window) { return *child<StringGrid>(window, "StringGrid1"); }
};

TEST_F(EditorKeys, TheTankEditorIsWorkedFromTheKeyboard)
{
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, u"true"_s).ok());
    TankEditor editor(services);
    editor.show();
    child<QAction>(editor, "Izmenaparametara2")->trigger();
    grid(editor).setFocus();
    press(editor, Qt::Key_Right); // from "Rezervoar" to "D [m]" of R 74
    press(editor, Qt::Key_Return);
    ASSERT_EQ(focusName(editor), u"Edit1"_s);
    QStringList order;
    for (int i = 0; i < 3; ++i, press(editor, Qt::Key_Tab))
        order.append(focusName(editor));
    EXPECT_EQ(order, (QStringList{u"Edit1"_s, u"Button4"_s, u"Button3"_s}));
    ASSERT_EQ(focusName(editor), u"Edit1"_s) << "Tab stays inside the panel";
    type(editor, u"7,25"_s);
    press(editor, Qt::Key_Return);
    EXPECT_FALSE(child<QWidget>(editor, "Panel2")->isVisible());
    EXPECT_EQ(grid(editor).cell(2, 1), u"7,25"_s);

    press(editor, Qt::Key_Return);
    type(editor, u"9"_s);
    press(editor, Qt::Key_Escape);
    EXPECT_EQ(grid(editor).cell(2, 1), u"7,25"_s) << "Escape cancels the entry";
    EXPECT_TRUE(editor.isVisible());

    for (int column = 2; column < TankMaterialColumn; ++column)
        press(editor, Qt::Key_Right);
    press(editor, Qt::Key_Return);
    ASSERT_EQ(focusName(editor), u"ComboBox1"_s);
    press(editor, Qt::Key_Down);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(grid(editor).cell(TankMaterialColumn, 1), editor.sheet().materials[0].sifra);

    dialogs.questionAnswers = {true};
    press(editor, Qt::Key_Escape);
    EXPECT_EQ(dialogs.calls.size(), 1) << "leaving asks about the unsaved values";
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(storedTank(74).diameter, 7.25);
    EXPECT_EQ(storedTank(74).materialCode, editor.sheet().materials[0].code);
}

TEST_F(EditorKeys, EnterInTheNewUserPanelAddsTheUserAndNeverChangesTheSelectedUsersPassword)
{
    UserEditor editor(services);
    editor.show();
    child<QComboBox>(editor, "ComboBox1")->setCurrentIndex(0);
    const QByteArray password = editor.configuration().users[0].password;
    child<QAction>(editor, "Novikorisnik1")->trigger();
    ASSERT_EQ(focusName(editor), u"Edit1"_s);
    type(editor, u"petar"_s);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(dialogs.calls.value(0).text, u"Nije uneta lozinka korisnika!"_s) << "the panel's own OK";
    EXPECT_EQ(child<QPushButton>(editor, "Button1")->text(), u"Promena lozinke"_s);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(editor.configuration().users[0].password, password);

    child<QAction>(editor, "Novikorisnik1")->trigger();
    type(editor, u"petar"_s);
    press(editor, Qt::Key_Tab);
    type(editor, u"pet"_s);
    press(editor, Qt::Key_Return);
    ASSERT_EQ(editor.configuration().users.size(), 3);
    EXPECT_EQ(shownName(editor.configuration().users[2]).trimmed(), u"PETAR"_s);

    child<QPushButton>(editor, "Button1")->click();
    ASSERT_EQ(focusName(editor), u"Edit3"_s);
    type(editor, u"x"_s);
    press(editor, Qt::Key_Escape);
    EXPECT_EQ(child<QLineEdit>(editor, "Edit3")->text(), shownPassword(editor.configuration().users[0]));
    child<QPushButton>(editor, "Button1")->click();
    child<QLineEdit>(editor, "Edit3")->selectAll();
    type(editor, u"nova"_s);
    press(editor, Qt::Key_Return);
    EXPECT_EQ(editor.configuration().users[0].password, "NOVA    ") << "Enter confirms the password";
    EXPECT_TRUE(editor.isVisible());
}

TEST_F(EditorKeys, TheMaterialAndConsoleEntriesTakeEnterAndEscape)
{
    MaterialEditor materials(services);
    materials.show();
    grid(materials).setFocus();
    press(materials, Qt::Key_Return); // "Ime materijala" of the first material
    type(materials, u"Repica"_s);
    press(materials, Qt::Key_Escape);
    EXPECT_NE(grid(materials).cell(1, 1), u"Repica"_s);
    ASSERT_TRUE(materials.isVisible()) << "Escape cancelled the entry only";
    press(materials, Qt::Key_Return);
    type(materials, u"Repica"_s);
    press(materials, Qt::Key_Return);
    EXPECT_EQ(grid(materials).cell(1, 1), u"Repica"_s);

    ConsoleScreenEditor console(services);
    console.show();
    child<QComboBox>(console, "ComboBox1")->setCurrentIndex(0);
    grid(console).setFocus();
    press(console, Qt::Key_Return);
    ASSERT_EQ(focusName(console), u"Edit1"_s);
    type(console, u"Q"_s);
    EXPECT_EQ(focusName(console), u"Button1"_s) << "the character typed, the focus moves to OK";
    press(console, Qt::Key_Return);
    EXPECT_EQ(grid(console).cell(1, 1), u"Q"_s);
}

TEST(TransferWindowKeys, EscapeAsksToStopTheTransferAsPrekidDoes)
{
    TransferWindow window;
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.abortRequested());
    EXPECT_TRUE(window.isVisible()) << "its owner hides it when the transfer has stopped";
}

} // namespace
