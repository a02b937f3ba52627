// Loading and saving the user editor's working copy, against a scripted server and the real one.
#include "config/userconfiguration.h"

#include "tests/config/editorfixture.h"
#include "tests/config/scriptedusers.h"

#include <gtest/gtest.h>

namespace {

const QByteArray NoKey(UserKeySize, '\0');

TEST(UserLoading, AsksForKeyPageTwoOnlyAfterAFullPageOne)
{
    for (const auto &[users, pages] : {std::pair{0, 1}, {49, 1}, {50, 2}, {100, 2}}) {
        ScriptedExchange server(scriptedUsers(users));
        const UserLoading loading = loadUsers(server);
        EXPECT_TRUE(loading.configuration.loaded);
        ASSERT_EQ(loading.configuration.users.size(), users);
        EXPECT_EQ(server.requests.size(), pages + users) << users;
        if (users > 0) {
            EXPECT_EQ(loading.configuration.users.last().rights[0], (TankRights{74, 1, 0})) << "a byte other than 1 refuses";
        }
    }
}

TEST(UserLoading, AFailedReadLeavesNothingToSaveAndNamesTheRecord)
{
    for (const auto &[failing, record] : {std::pair{UserKeysPage1Code, ServerRecord::UserKeys},
                                          std::pair{*readI32(keyRequest("U2      "), 0), ServerRecord::User}}) {
        ScriptedExchange server([&, users = scriptedUsers(3)](ExchangeOperation operation, ExchangeBuffer &buffer) {
            return *readI32(buffer, 0) == failing ? ExchangeStatus::NoConnection : users(operation, buffer);
        });
        const UserLoading loading = loadUsers(server);
        EXPECT_EQ(loading.failure, record);
        EXPECT_FALSE(loading.configuration.loaded);
        EXPECT_TRUE(loading.configuration.users.isEmpty());
        EXPECT_EQ(server.codes().count(failing), EditorTries);
    }
}

TEST(UserSaving, StopsAtTheFirstFailedWriteWithTheWrittenUsersUnderTheirNewKeys)
{
    QList<UserRecord> users(3);
    users[0].password = "A       ";
    users[1].password = "B       ";
    users[2].password = "        ";
    EXPECT_EQ(userWireFor(users[2]).password, NoKey) << "an all-blank password travels as NUL bytes";
    ScriptedExchange server([](ExchangeOperation, ExchangeBuffer &buffer) {
        return buffer[UserPasswordOffset] == 'B' ? ExchangeStatus::StoreFailed : ExchangeStatus::Success;
    });
    EXPECT_FALSE(saveUsers(server, users));
    EXPECT_EQ(server.requests.size(), 1 + EditorTries) << "the third user is not written";
    EXPECT_EQ(QByteArray(server.requests[0].buffer.data(), UserKeySize), NoKey) << "a new user has no key yet";
    EXPECT_EQ(users[0].serverKey, "A       ");
    EXPECT_EQ(users[1].serverKey, NoKey);
    EXPECT_FALSE(users[1].inUse);
}

// The real server holds a user under its password: the key must follow what it holds.
using UserStore = EditorFixture;

TEST_F(UserStore, TwoPasswordChangesBeforeASaveWriteUnderTheKeyTheServerKnows)
{
    UserConfiguration configuration = loadUsers(*store).configuration;
    ASSERT_EQ(addUser(configuration, QStringLiteral("Novi"), QStringLiteral("prva")), NewUserOutcome::Added);
    ASSERT_TRUE(saveUsers(*store, configuration.users));
    UserRecord &added = configuration.users.last();
    confirmPassword(added, QStringLiteral("druga"));
    confirmPassword(added, QStringLiteral("treca"));
    EXPECT_EQ(added.serverKey, "PRVA    ");
    ASSERT_TRUE(saveUsers(*store, configuration.users));
    EXPECT_EQ(added.serverKey, "TRECA   ");
    EXPECT_EQ(loadUsers(*store).configuration.users, configuration.users);
}

} // namespace
