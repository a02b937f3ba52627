// Loading and saving the user editor's working copy, against a scripted server and the real one.
#include "config/userconfiguration.h"

#include "core/codec/bytes.h"
#include "tests/config/editorfixture.h"

#include <gtest/gtest.h>

namespace {

const QByteArray NoKey(UserKeySize, '\0');

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
        if (users > 0) {
            EXPECT_EQ(loading.configuration.users.last().rights[0], (TankRights{74, 1, 0})) << "a byte other than 1 refuses";
        }
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
    EXPECT_EQ(userWireFor(UserRecord{}).key + userWireFor(UserRecord{}).password, NoKey + NoKey)
        << "a new user has no key yet, and an all-blank password travels as NUL bytes";
    UserConfiguration configuration = loadUsers(*store).configuration;
    ASSERT_EQ(addUser(configuration, QStringLiteral("Novi"), QStringLiteral("prva")), NewUserOutcome::Added);
    ASSERT_TRUE(saveUsers(*store, configuration.users));
    UserRecord &added = configuration.users.last();
    confirmPassword(added, QStringLiteral("druga"));
    confirmPassword(added, QStringLiteral("treca"));
    EXPECT_EQ(added.serverKey, "PRVA    ");
    ASSERT_TRUE(saveUsers(*store, configuration.users));
    EXPECT_EQ(loadUsers(*store).configuration.users, configuration.users);
}

} // namespace
