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
    template <typename T>
    T *get(const char *name) const { return child<T>(*editor, name); }
    void choose(int index) { chooseEntry(*get<DropDownList>("ComboBox1"), index); }
    void click(int column, int row) { clickCell(*get<StringGrid>("StringGrid1"), column, row); }
    QString cell(int column, int row) const { return get<StringGrid>("StringGrid1")->cell(column, row); }
    void trigger(const char *action) { get<QAction>(action)->trigger(); }
    void addUser(const QString &name)
    {
        trigger("Novikorisnik1");
        get<QLineEdit>("Edit1")->setText(name);
        get<QLineEdit>("Edit2")->setText(name);
        get<QPushButton>("Button3")->click();
    }
    void typePassword(const QString &password, bool confirm = true)
    {
        get<QPushButton>("Button1")->click();
        get<QLineEdit>("Edit3")->setText(password);
        if (confirm)
            get<QPushButton>("Button1")->click();
    }

    std::unique_ptr<UserEditor> editor;
};

TEST_F(UserEditorTest, AKeyboardChoiceStoresTheGridAsOpeningTheListDoes)
{
    open(server);
    choose(0);
    click(1, 1);
    QTest::keyClick(get<DropDownList>("ComboBox1"), Qt::Key_Down);
    choose(0);
    EXPECT_EQ(cell(1, 1), QString());
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
    EXPECT_EQ(cell(3, 2), QString());
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
                    LeaveCase{"UnconfirmedPassword", [](UserEditorTest &t) { t.choose(0); t.typePassword(QStringLiteral("x"), false); }, false},
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
    EXPECT_TRUE(dialogs.calls.contains(Call{RecordingDialogs::Kind::Message, QStringLiteral("Upis konfiguracije neuspesan."), QStringLiteral("Error...")}));
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
    EXPECT_TRUE(get<QFrame>("Panel1")->isHidden());
    EXPECT_EQ(dialogs.calls, (QList<Call>{{RecordingDialogs::Kind::Printer, {}, {}},
                                          {RecordingDialogs::Kind::Message, QStringLiteral("Maksimalan broj korisnika je ogranicen na 100"), QStringLiteral("Error...")}}));
}

} // namespace
