// Loading and saving the user editor's working copy, against a scripted server and the real one.
#include "config/userconfiguration.h"

#include "tests/config/editorfixture.h"
#include "tests/config/scriptedusers.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

namespace {

const QByteArray NoKey(UserKeySize, '\0');

struct KeyPagesCase
{
    const char *name;
    int users;
    QList<qint32> pageCodes; // the key pages asked for
};

class UserKeyPages : public testing::TestWithParam<KeyPagesCase>
{
};

TEST_P(UserKeyPages, AskForPageTwoOnlyAfterAFullPageOne)
{
    ScriptedExchange server(scriptedUsers(GetParam().users));
    const UserLoading loading = loadUsers(server);
    ASSERT_FALSE(loading.failure);
    EXPECT_TRUE(loading.configuration.loaded);
    ASSERT_EQ(loading.configuration.users.size(), GetParam().users);
    QList<qint32> pageCodes = server.codes();
    pageCodes.removeIf([](qint32 code) { return code >= RequestCodeLimit; });
    EXPECT_EQ(pageCodes, GetParam().pageCodes);
    if (GetParam().users > 0) {
        const UserRecord &last = loading.configuration.users.last();
        EXPECT_EQ(last.serverKey, scriptedKey(GetParam().users));
        EXPECT_EQ(last.rights[0], (TankRights{74, 1, 0, 0, 0, 0})) << "a byte other than 1 refuses";
    }
}

INSTANTIATE_TEST_SUITE_P(Users, UserKeyPages,
                         testing::Values(KeyPagesCase{"None", 0, {1}}, KeyPagesCase{"FortyNine", 49, {1}},
                                         KeyPagesCase{"Fifty", 50, {1, 2}}, KeyPagesCase{"Hundred", 100, {1, 2}}),
                         caseName<KeyPagesCase>);

TEST(UserLoading, AFailedReadLeavesNothingToSaveAndNamesTheRecord)
{
    for (const auto &[failing, record] : {std::pair{UserKeysPage1Code, ServerRecord::UserKeys},
                                          std::pair{*readI32(keyRequest(scriptedKey(2)), 0), ServerRecord::User}}) {
        ScriptedExchange server([&, answer = scriptedUsers(3)](ExchangeOperation operation, ExchangeBuffer &buffer) {
            return *readI32(buffer, 0) == failing ? ExchangeStatus::NoConnection : answer(operation, buffer);
        });
        const UserLoading loading = loadUsers(server);
        EXPECT_EQ(loading.failure, record);
        EXPECT_FALSE(loading.configuration.loaded);
        EXPECT_TRUE(loading.configuration.users.isEmpty());
        EXPECT_EQ(server.codes().count(failing), EditorTries);
    }
}

TEST(UserConfiguration, NewUsersAreCheckedAndTheListStopsAtOneHundred)
{
    UserConfiguration configuration;
    EXPECT_EQ(addUser(configuration, {}, QStringLiteral("x")), NewUserOutcome::NoName);
    EXPECT_EQ(addUser(configuration, QStringLiteral("x"), {}), NewUserOutcome::NoPassword);
    for (int i = 0; i < MaxUsers; ++i)
        ASSERT_EQ(addUser(configuration, QStringLiteral("Pera"), QStringLiteral("lozinka1")), NewUserOutcome::Added);
    EXPECT_EQ(addUser(configuration, QStringLiteral("Mika"), QStringLiteral("m")), NewUserOutcome::Full);
    ASSERT_EQ(configuration.users.size(), MaxUsers);
    const UserRecord &user = configuration.users.first();
    EXPECT_EQ(user.name, QByteArray("PERA").leftJustified(UserNameSize, ' '));
    EXPECT_EQ(user.password, "LOZINKA1");
    EXPECT_FALSE(user.inUse);
    EXPECT_EQ(user.rights, (std::array<TankRights, TankCount>{}));
}

struct WireCase
{
    const char *name;
    UserRecord user;
    QByteArray key;
    QByteArray password;
};

class UserWireFor : public testing::TestWithParam<WireCase>
{
};

TEST_P(UserWireFor, KeysAndPasswords)
{
    const UserWire wire = userWireFor(GetParam().user);
    EXPECT_EQ(wire.key, GetParam().key);
    EXPECT_EQ(wire.password, GetParam().password);
    EXPECT_EQ(wire.level, 0);
}

UserRecord record(bool inUse, const QByteArray &password)
{
    UserRecord user;
    user.inUse = inUse;
    user.serverKey = "OLD     ";
    user.password = password;
    return user;
}

INSTANTIATE_TEST_SUITE_P(Users, UserWireFor,
                         testing::Values(WireCase{"NewUser", record(false, "NEW     "), NoKey, "NEW     "},
                                         WireCase{"KnownUser", record(true, "NEW     "), "OLD     ", "NEW     "},
                                         WireCase{"BlankPassword", record(true, "        "), "OLD     ", NoKey},
                                         WireCase{"EmptyPassword", record(true, NoKey), "OLD     ", NoKey}),
                         caseName<WireCase>);

TEST(UserSaving, StopsAtTheFirstFailedWriteWithTheWrittenUsersUnderTheirNewKeys)
{
    QList<UserRecord> users{record(false, "A       "), record(true, "B       "), record(false, "C       ")};
    ScriptedExchange server([&](ExchangeOperation, ExchangeBuffer &buffer) {
        return QByteArray(buffer.data() + UserPasswordOffset, UserKeySize) == "B       " ? ExchangeStatus::StoreFailed
                                                                                        : ExchangeStatus::Success;
    });
    EXPECT_FALSE(saveUsers(server, users));
    EXPECT_EQ(server.requests.size(), 1 + EditorTries) << "the third user is not written";
    EXPECT_TRUE(users[0].inUse);
    EXPECT_EQ(users[0].serverKey, "A       ");
    EXPECT_EQ(users[1].serverKey, "OLD     ");
    EXPECT_FALSE(users[2].inUse);
}

// The real server holds a user under its password: the key must follow what it holds.
using UserStore = EditorFixture;

TEST_F(UserStore, TwoPasswordChangesBeforeASaveWriteUnderTheKeyTheServerKnows)
{
    UserConfiguration configuration = loadUsers(*store).configuration;
    const qsizetype seeded = configuration.users.size();
    ASSERT_EQ(addUser(configuration, QStringLiteral("Novi"), QStringLiteral("prva")), NewUserOutcome::Added);
    ASSERT_TRUE(saveUsers(*store, configuration.users));
    UserRecord &added = configuration.users.last();
    EXPECT_EQ(added.serverKey, "PRVA    ");

    confirmPassword(added, QStringLiteral("druga"));
    confirmPassword(added, QStringLiteral("treca"));
    EXPECT_EQ(added.serverKey, "PRVA    ");
    ASSERT_TRUE(saveUsers(*store, configuration.users));

    const UserLoading reloaded = loadUsers(*store);
    ASSERT_EQ(reloaded.configuration.users.size(), seeded + 1);
    EXPECT_EQ(reloaded.configuration.users.last().password, "TRECA   ");
    EXPECT_EQ(reloaded.configuration.users, configuration.users);
}

} // namespace
