// The users' working copy loaded and saved against a scripted server and the real one, and the user
// editor driven through its widgets.
#include "config/editors/editorwidgets.h"
#include "config/editors/stringgrid.h"
#include "config/editors/userconfiguration.h"
#include "config/editors/usereditor.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

// User i has the key "U<i>" and only the level of tank 74 (its temperature byte 2 refuses).
qint32 answerUsers(int count, ExchangeBuffer &buffer)
{
    const std::span<char> reply = std::span<char>(buffer).subspan(ReplyOffset);
    const qint32 code = *readI32(buffer, 0);
    if (code > UserKeysPage2Code) {
        const QByteArray key(buffer.data(), UserKeySize);
        return encodeUserWire(UserWire{key, 0, key, QByteArray(UserNameSize, ' '), {TankRights{74, 1, 2}}}, reply) ? ExchangeStatus::Success : 0;
    }
    UserKeyListPage page;
    for (int i = (code - 1) * UserKeysPerPage + 1; i <= std::min(count, code * UserKeysPerPage); ++i)
        page.keys.append(userKeyFor(QStringLiteral("U%1").arg(i)));
    return encodeUserKeyListPage(page, reply) ? ExchangeStatus::Success : 0;
}

TEST(UserLoading, AsksForKeyPageTwoOnlyAfterAFullPageOne)
{
    for (const auto &[users, pages] : {std::pair{0, 1}, {49, 1}, {50, 2}, {100, 2}}) {
        ScriptedExchange server([users = users](ExchangeOperation, ExchangeBuffer &buffer) { return answerUsers(users, buffer); });
        const UserLoading loading = loadUsers(server);
        EXPECT_TRUE(loading.configuration.loaded);
        ASSERT_EQ(loading.configuration.users.size(), users);
        EXPECT_EQ(server.requests.size(), pages + users) << users;
        EXPECT_TRUE(users == 0 || loading.configuration.users.back().serverKey == userKeyFor(QStringLiteral("U%1").arg(users)));
        for (const UserRecord &user : loading.configuration.users)
            EXPECT_EQ(user.rights[1], (TankRights{74, 1, 0})) << "a byte other than 1 refuses";
    }
}

TEST(UserLoading, AFailedReadLeavesNothingToSaveAndNamesTheRecord)
{
    for (const auto &[failing, record] : {std::pair{UserKeysPage1Code, ServerRecord::UserKeys},
                                          std::pair{*readI32(keyRequest("U2      "), 0), ServerRecord::User}}) {
        ScriptedExchange server([failing = failing](ExchangeOperation, ExchangeBuffer &buffer) {
            return *readI32(buffer, 0) == failing ? ExchangeStatus::NoConnection : answerUsers(3, buffer);
        });
        const UserLoading loading = loadUsers(server);
        EXPECT_EQ(loading.failure, record);
        EXPECT_FALSE(loading.configuration.loaded);
        EXPECT_TRUE(loading.configuration.users.isEmpty());
        EXPECT_EQ(server.codes().count(failing), EditorTries);
    }
}

// The real server holds a user under its password: the key must follow what it holds.
using UserStore = EditorFixture;

TEST_F(UserStore, TwoPasswordChangesBeforeASaveWriteUnderTheKeyTheServerKnows)
{
    EXPECT_EQ(userWireFor(UserRecord{}).key + userWireFor(UserRecord{}).password, QByteArray(2 * UserKeySize, '\0'))
        << "a new user has no key yet, and an all-blank password travels as NUL bytes";
    UserConfiguration configuration = loadUsers(*store).configuration;
    ASSERT_EQ(addUser(configuration, QStringLiteral("Novi"), QStringLiteral("prva")), NewUserOutcome::Added);
    ASSERT_FALSE(saveUsers(*store, configuration.users));
    UserRecord &added = configuration.users.last();
    confirmPassword(added, QStringLiteral("druga"));
    confirmPassword(added, QStringLiteral("treca"));
    EXPECT_EQ(added.serverKey, "PRVA    ");
    ASSERT_FALSE(saveUsers(*store, configuration.users));
    EXPECT_EQ(loadUsers(*store).configuration.users, configuration.users);
}

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
    // Through "Promena lozinke", confirmed.
    void typePassword(const QString &password)
    {
        child<QPushButton>(editor, "Button1")->click();
        child<QLineEdit>(editor, "Edit3")->setText(password);
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
    EXPECT_EQ(editor.configuration().users[0].rights[1].nivo, 0);
}

// A rights record of tank number 0 matches no tank, which the login takes as nothing to hide.
TEST_F(UserEditorTest, AUserAddedInASlotUsedBeforeIsSavedWithEveryRightRefusedOnItsOwnTanks)
{
    addUser(QStringLiteral("Prvi"));
    choose(2);
    click(3, 2);
    trigger("Izlaz1"); // not saved
    editor.show();
    addUser(QStringLiteral("Drugi"));
    child<QPushButton>(editor, "Button2")->click(); // never chosen in the list
    const UserRecord added = loadUsers(*store).configuration.users.value(2);
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(added.rights[slot], (TankRights{static_cast<quint8>(TankIdList[slot])})) << slot;
}

TEST_F(UserEditorTest, LeavingAsksAboutUnsavedChangesAndOkSavesThem)
{
    const std::pair<std::function<void()>, bool> changes[] = {
        {[this] { choose(1); click(2, 2); click(2, 2); }, false}, {[this] { choose(1); click(14, 5); }, true},
        {[this] { choose(0); typePassword(QStringLiteral("nova")); }, true}};
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

TEST_F(UserEditorTest, AHundredAndFirstUserIsRefused)
{
    for (int user = 3; user <= MaxUsers; ++user)
        addUser(QStringLiteral("K%1").arg(user));
    trigger("Novikorisnik1");
    EXPECT_TRUE(child<QFrame>(editor, "Panel1")->isHidden());
    EXPECT_EQ(dialogs.calls, (QList<Call>{{RecordingDialogs::Kind::Message, QStringLiteral("Maksimalan broj korisnika je ogranicen na 100"), QStringLiteral("Error...")}}));
}

} // namespace
