// The user editor driven through its widgets, against the real server and a scripted one.
#include "config/usereditor.h"

#include "config/editorwidgets.h"
#include "config/stringgrid.h"
#include "tests/config/editorfixture.h"
#include "tests/config/scriptedusers.h"
#include "tests/support/namedcases.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString Granted = QStringLiteral("   X");
const QString Leave = QStringLiteral("Da li zelite sa snimite novu konfiguraciju?");

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
    T *child(const char *name) const
    {
        T *found = editor->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // With the mouse on the opened list.
    void choose(int index)
    {
        auto *list = child<DropDownList>("ComboBox1");
        list->showPopup();
        QAbstractItemView *view = list->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(index, 0)).center());
        list->hidePopup();
        ASSERT_EQ(list->currentIndex(), index);
    }

    void clickCell(int column, int row)
    {
        auto *grid = child<StringGrid>("StringGrid1");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, column)).center());
    }

    void addUser(const QString &name, const QString &password)
    {
        child<QAction>("Novikorisnik1")->trigger();
        child<QLineEdit>("Edit1")->setText(name);
        child<QLineEdit>("Edit2")->setText(password);
        child<QPushButton>("Button3")->click();
    }

    void changePassword(const QString &password)
    {
        child<QPushButton>("Button1")->click();
        child<QLineEdit>("Edit3")->setText(password);
        child<QPushButton>("Button1")->click();
    }

    void leave() { child<QAction>("Izlaz1")->trigger(); }

    qsizetype questions() const
    {
        return std::count_if(dialogs.calls.begin(), dialogs.calls.end(),
                             [](const RecordingDialogs::Call &call) { return call.text == Leave; });
    }

    std::unique_ptr<UserEditor> editor;
};

TEST_F(UserEditorTest, AKeyboardChoiceStoresTheGridAsOpeningTheListDoes)
{
    open(server);
    choose(0);
    clickCell(1, 1);
    QTest::keyClick(child<DropDownList>("ComboBox1"), Qt::Key_Down);
    EXPECT_EQ(editor->configuration().selected, 2);
    choose(0);
    EXPECT_EQ(child<StringGrid>("StringGrid1")->cell(1, 1), QString());
    EXPECT_EQ(editor->configuration().users[0].rights[0].nivo, 0);
}

TEST_F(UserEditorTest, AUserAddedInASlotUsedBeforeStartsWithEveryRightRefused)
{
    open(server);
    addUser(QStringLiteral("Prvi"), QStringLiteral("p1"));
    choose(2);
    clickCell(3, 2);
    leave(); // the question is not answered: the changes are dropped
    ASSERT_EQ(questions(), 1);
    editor->show();
    addUser(QStringLiteral("Drugi"), QStringLiteral("p2"));
    choose(2);
    for (int slot = 1; slot <= TankCount; ++slot) {
        for (int right = 1; right <= RightCount; ++right)
            EXPECT_EQ(child<StringGrid>("StringGrid1")->cell(slot, right), QString()) << slot << " " << right;
    }
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
    QSignalSpy closed(editor.get(), &QDialog::finished);
    GetParam().change(*this);
    dialogs.questionAnswers = {true};
    leave();
    EXPECT_EQ(questions(), GetParam().asks ? 1 : 0);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(loadUsers(*store).configuration.users != before, GetParam().asks);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, LeavingTheEditor,
    testing::Values(LeaveCase{"Nothing", [](UserEditorTest &t) { t.choose(1); }, false},
                    LeaveCase{"ARightClickedTwice", [](UserEditorTest &t) { t.choose(1); t.clickCell(2, 2); t.clickCell(2, 2); }, false},
                    LeaveCase{"NewUser", [](UserEditorTest &t) { t.addUser(QStringLiteral("Novi"), QStringLiteral("novi")); }, true},
                    LeaveCase{"Password", [](UserEditorTest &t) { t.choose(0); t.changePassword(QStringLiteral("nova")); }, true},
                    LeaveCase{"Right", [](UserEditorTest &t) { t.choose(1); t.clickCell(14, 5); }, true}),
    caseName<LeaveCase>);

TEST_F(UserEditorTest, AFailedSaveKeepsTheWindowOpenAndLeavingAsksAgain)
{
    ScriptedExchange failing([users = scriptedUsers(2)](ExchangeOperation operation, ExchangeBuffer &buffer) {
        return operation == ExchangeOperation::Write ? ExchangeStatus::StoreFailed : users(operation, buffer);
    });
    open(failing);
    choose(0);
    changePassword(QStringLiteral("nova"));
    dialogs.questionAnswers = {true, false};
    leave();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(dialogs.calls.contains(RecordingDialogs::Call{RecordingDialogs::Kind::Message,
                                                             QStringLiteral("Upis konfiguracije neuspesan."), QStringLiteral("Error...")}));
    leave();
    EXPECT_EQ(questions(), 2);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(UserEditorTest, PrintingTakesThePasswordBoxAsOpeningTheListDoes)
{
    open(server);
    choose(0);
    child<QPushButton>("Button1")->click();
    child<QLineEdit>("Edit3")->setText(QStringLiteral("nova"));
    child<QAction>("Stampajkonfiguraciju1")->trigger();
    EXPECT_EQ(dialogs.calls.value(0).kind, RecordingDialogs::Kind::Printer);
    EXPECT_EQ(editor->configuration().users[0].password, "NOVA    ");
    EXPECT_EQ(editor->configuration().users[0].serverKey, "ADMIN   ");
}

TEST_F(UserEditorTest, AHundredAndFirstUserIsRefused)
{
    ScriptedExchange hundred(scriptedUsers(MaxUsers));
    open(hundred);
    child<QAction>("Novikorisnik1")->trigger();
    EXPECT_TRUE(child<QFrame>("Panel1")->isHidden());
    EXPECT_EQ(dialogs.calls.value(0), (RecordingDialogs::Call{RecordingDialogs::Kind::Message,
                                                              QStringLiteral("Maksimalan broj korisnika je ogranicen na 100"),
                                                              QStringLiteral("Error...")}));
}

} // namespace
