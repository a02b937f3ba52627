// The user editor driven through its widgets against the real server.
#include "config/usereditor.h"

#include "config/editorwidgets.h"
#include "config/stringgrid.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Call = RecordingDialogs::Call;
const Call LeaveQuestion{RecordingDialogs::Kind::Question, QStringLiteral("Da li zelite sa snimite novu konfiguraciju?"),
                         QStringLiteral("Upozorenje!")};

// The seeded store holds ADMIN with every right and OPER.
class UserEditorTest : public EditorFixture
{
protected:
    UserEditorTest() { editor.show(); }

    void choose(int index) { chooseEntry(*child<DropDownList>(editor, "ComboBox1"), index); }
    void click(int column, int row) { clickCell(*child<StringGrid>(editor, "StringGrid1"), column, row); }
    void trigger(const char *action) { child<QAction>(editor, action)->trigger(); }
    // Through "Promena lozinke", confirmed or not.
    void typePassword(const QString &password, bool confirm = true)
    {
        child<QPushButton>(editor, "Button1")->click();
        child<QLineEdit>(editor, "Edit3")->setText(password);
        if (confirm)
            child<QPushButton>(editor, "Button1")->click();
    }
    void addUser(const QString &name)
    {
        trigger("Novikorisnik1");
        child<QLineEdit>(editor, "Edit1")->setText(name);
        child<QLineEdit>(editor, "Edit2")->setText(name);
        child<QPushButton>(editor, "Button3")->click();
    }

    UserEditor editor{services};
};

TEST_F(UserEditorTest, AKeyboardChoiceStoresTheGridAsOpeningTheListDoes)
{
    choose(0);
    click(1, 1);
    QTest::keyClick(child<DropDownList>(editor, "ComboBox1"), Qt::Key_Down);
    EXPECT_EQ(editor.configuration().selected, 2);
    EXPECT_EQ(editor.configuration().users[0].rights[0].nivo, 0);
}

TEST_F(UserEditorTest, AUserAddedInASlotUsedBeforeStartsWithEveryRightRefused)
{
    addUser(QStringLiteral("Prvi"));
    choose(2);
    click(3, 2);
    trigger("Izlaz1"); // not saved
    editor.show();
    addUser(QStringLiteral("Drugi"));
    choose(2);
    EXPECT_EQ(child<StringGrid>(editor, "StringGrid1")->cell(3, 2), QString());
    EXPECT_EQ(editor.configuration().users[2].rights, (std::array<TankRights, TankCount>{}));
}

TEST_F(UserEditorTest, LeavingAsksAboutUnsavedChangesAndOkSavesThem)
{
    const std::pair<std::function<void()>, bool> changes[] = {
        {[this] { choose(1); click(2, 2); click(2, 2); }, false}, {[this] { addUser(QStringLiteral("Novi")); }, true},
        {[this] { choose(0); typePassword(QStringLiteral("nova")); }, true}, {[this] { choose(1); click(14, 5); }, true}};
    for (const auto &[change, asks] : changes) {
        const QList<UserRecord> before = loadUsers(*store).configuration.users;
        dialogs.calls.clear();
        dialogs.questionAnswers = {true};
        editor.show();
        change();
        trigger("Izlaz1");
        EXPECT_EQ(dialogs.calls.count(LeaveQuestion), asks ? 1 : 0);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(loadUsers(*store).configuration.users != before, asks);
    }
}

TEST_F(UserEditorTest, AFailedSaveKeepsTheWindowOpenAndLeavingAsksAgain)
{
    failing.insert({ExchangeOperation::Write, *readI32(keyRequest("ADMIN   "), 0)});
    choose(0);
    typePassword(QStringLiteral("nova"));
    dialogs.questionAnswers = {true, false};
    trigger("Izlaz1");
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(dialogs.calls.value(1).text, QStringLiteral("Upis konfiguracije neuspesan."));
    trigger("Izlaz1");
    EXPECT_EQ(dialogs.calls.count(LeaveQuestion), 2);
    EXPECT_FALSE(editor.isVisible());
}

TEST_F(UserEditorTest, PrintingTakesThePasswordBoxAndAHundredAndFirstUserIsRefused)
{
    choose(0);
    typePassword(QStringLiteral("nova"), false);
    trigger("Stampajkonfiguraciju1");
    EXPECT_EQ(editor.configuration().users[0].password, "NOVA    ");
    for (int user = 3; user <= MaxUsers; ++user)
        addUser(QStringLiteral("K%1").arg(user));
    trigger("Novikorisnik1");
    EXPECT_TRUE(child<QFrame>(editor, "Panel1")->isHidden());
    EXPECT_EQ(dialogs.calls, (QList<Call>{{RecordingDialogs::Kind::Printer, {}, {}},
                                          {RecordingDialogs::Kind::Message, QStringLiteral("Maksimalan broj korisnika je ogranicen na 100"), QStringLiteral("Error...")}}));
}

} // namespace
