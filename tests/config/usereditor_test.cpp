// The user editor driven through its widgets, against the real server and scripted ones.
#include "config/usereditor.h"

#include "config/editorwidgets.h"
#include "config/stringgrid.h"
#include "tests/config/editorfixture.h"
#include "tests/config/scriptedusers.h"
#include "tests/support/namedcases.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using Call = RecordingDialogs::Call;
const Call LeaveQuestion{RecordingDialogs::Kind::Question, QStringLiteral("Da li zelite sa snimite novu konfiguraciju?"),
                         QStringLiteral("Upozorenje!")};

// The seeded store holds ADMIN with every right and OPER.
class UserEditorTest : public EditorFixture
{
public:
    void open(ServerExchange &exchange)
    {
        editor = std::make_unique<UserEditor>(EditorServices{exchange, w, dialogs, clock});
        editor->show();
    }
    void choose(int index) { chooseEntry(*child<DropDownList>(*editor, "ComboBox1"), index); }
    void click(int column, int row) { clickCell(*child<StringGrid>(*editor, "StringGrid1"), column, row); }
    void trigger(const char *action) { child<QAction>(*editor, action)->trigger(); }
    // Through "Promena lozinke", confirmed or not.
    void typePassword(const QString &password, bool confirm = true)
    {
        child<QPushButton>(*editor, "Button1")->click();
        child<QLineEdit>(*editor, "Edit3")->setText(password);
        if (confirm)
            child<QPushButton>(*editor, "Button1")->click();
    }
    void addUser(const QString &name)
    {
        trigger("Novikorisnik1");
        child<QLineEdit>(*editor, "Edit1")->setText(name);
        child<QLineEdit>(*editor, "Edit2")->setText(name);
        child<QPushButton>(*editor, "Button3")->click();
    }

    std::unique_ptr<UserEditor> editor;
};

TEST_F(UserEditorTest, AKeyboardChoiceStoresTheGridAsOpeningTheListDoes)
{
    open(server);
    choose(0);
    click(1, 1);
    QTest::keyClick(child<DropDownList>(*editor, "ComboBox1"), Qt::Key_Down);
    EXPECT_EQ(editor->configuration().selected, 2);
    EXPECT_EQ(editor->configuration().users[0].rights[0].nivo, 0);
}

TEST_F(UserEditorTest, AUserAddedInASlotUsedBeforeStartsWithEveryRightRefused)
{
    open(server);
    addUser(QStringLiteral("Prvi"));
    choose(2);
    click(3, 2);
    trigger("Izlaz1"); // not saved
    editor->show();
    addUser(QStringLiteral("Drugi"));
    choose(2);
    EXPECT_EQ(child<StringGrid>(*editor, "StringGrid1")->cell(3, 2), QString());
    EXPECT_EQ(editor->configuration().users[2].rights, (std::array<TankRights, TankCount>{}));
}

struct LeaveCase
{
    const char *name;
    std::function<void(UserEditorTest &)> change;
    bool asks;
};

class LeavingTheEditor : public UserEditorTest, public testing::WithParamInterface<LeaveCase>
{
};

TEST_P(LeavingTheEditor, AsksAboutUnsavedChangesAndOkSavesThem)
{
    const QList<UserRecord> before = loadUsers(*store).configuration.users;
    open(server);
    GetParam().change(*this);
    dialogs.questionAnswers = {true};
    trigger("Izlaz1");
    EXPECT_EQ(dialogs.calls.count(LeaveQuestion), GetParam().asks ? 1 : 0);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(loadUsers(*store).configuration.users != before, GetParam().asks);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LeavingTheEditor,
    testing::Values(LeaveCase{"RightClickedTwice", [](UserEditorTest &t) { t.choose(1); t.click(2, 2); t.click(2, 2); }, false},
                    LeaveCase{"NewUser", [](UserEditorTest &t) { t.addUser(QStringLiteral("Novi")); }, true},
                    LeaveCase{"Password", [](UserEditorTest &t) { t.choose(0); t.typePassword(QStringLiteral("nova")); }, true},
                    LeaveCase{"Right", [](UserEditorTest &t) { t.choose(1); t.click(14, 5); }, true}),
    caseName<LeaveCase>);

TEST_F(UserEditorTest, AFailedSaveKeepsTheWindowOpenAndLeavingAsksAgain)
{
    ScriptedExchange failing(scriptedUsers(2, ExchangeStatus::StoreFailed));
    open(failing);
    choose(0);
    typePassword(QStringLiteral("nova"));
    dialogs.questionAnswers = {true, false};
    trigger("Izlaz1");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(dialogs.calls.value(1).text, QStringLiteral("Upis konfiguracije neuspesan."));
    trigger("Izlaz1");
    EXPECT_EQ(dialogs.calls.count(LeaveQuestion), 2);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(UserEditorTest, PrintingTakesThePasswordBoxAndAHundredAndFirstUserIsRefused)
{
    ScriptedExchange hundred(scriptedUsers(MaxUsers));
    open(hundred);
    choose(0);
    typePassword(QStringLiteral("nova"), false);
    trigger("Stampajkonfiguraciju1");
    EXPECT_EQ(editor->configuration().users[0].password, "NOVA    ");
    trigger("Novikorisnik1");
    EXPECT_TRUE(child<QFrame>(*editor, "Panel1")->isHidden());
    EXPECT_EQ(dialogs.calls, (QList<Call>{{RecordingDialogs::Kind::Printer, {}, {}},
                                          {RecordingDialogs::Kind::Message, QStringLiteral("Maksimalan broj korisnika je ogranicen na 100"), QStringLiteral("Error...")}}));
}

} // namespace
