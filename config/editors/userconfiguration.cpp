// Loading, changing and saving the users of the user editor.
#include "config/editors/userconfiguration.h"

#include "core/codec/shorttext.h"
#include "core/codec/windows1252.h"
#include "core/exchange/serverlists.h"

#include <algorithm>
#include <stdexcept>

namespace {

const QByteArray NoKey(UserKeySize, '\0');

template <typename Rights> auto &flagOf(Rights &rights, int right)
{
    switch (right) {
    case 1:
        return rights.nivo;
    case 2:
        return rights.temperatura;
    case 3:
        return rights.masa;
    case 4:
        return rights.zapremina;
    case 5:
        return rights.istorija;
    }
    throw std::out_of_range("right outside 1..5");
}

// The flags as the editor keeps them: 1 exactly when the server's byte is 1.
SlotArray<TankRights> editorRights(const SlotArray<TankRights> &received)
{
    SlotArray<TankRights> rights = received;
    for (TankRights &tank : rights) {
        for (int right = 1; right <= RightCount; ++right)
            rightFlag(tank, right) = rightFlag(tank, right) == 1 ? 1 : 0;
    }
    return rights;
}

UserRecord loadedUser(const UserWire &wire)
{
    return UserRecord{true, wire.userName, wire.password, wire.password, editorRights(wire.rights)};
}

} // namespace

SlotArray<TankRights> refusedRights()
{
    SlotArray<TankRights> rights{};
    for (int slot = 1; slot <= TankCount; ++slot)
        rights[slot].tankId = static_cast<quint8>(TankIdList[slot]);
    return rights;
}

quint8 &rightFlag(TankRights &rights, int right) { return flagOf(rights, right); }

quint8 rightFlag(const TankRights &rights, int right) { return flagOf(rights, right); }

QString shownName(const UserRecord &user) { return textUpToNul(user.name); }

QString shownPassword(const UserRecord &user) { return textUpToNul(user.password); }

QByteArray paddedText(const QString &text, int size)
{
    return toWindows1252(text.toUpper()).leftJustified(size, ' ', true);
}

UserRecord *UserConfiguration::selectedUser()
{
    return selected >= 1 && selected <= users.size() ? &users[selected - 1] : nullptr;
}

NewUserOutcome addUser(UserConfiguration &configuration, const QString &name, const QString &password)
{
    if (name.isEmpty())
        return NewUserOutcome::NoName;
    if (password.isEmpty())
        return NewUserOutcome::NoPassword;
    if (configuration.users.size() >= MaxUsers)
        return NewUserOutcome::Full;
    UserRecord user;
    user.name = paddedText(name, UserNameSize);
    user.password = paddedText(password, UserKeySize);
    configuration.users.append(user);
    return NewUserOutcome::Added;
}

void confirmPassword(UserRecord &user, const QString &text)
{
    user.password = text.isEmpty() ? NoKey : paddedText(text, UserKeySize);
}

UserLoading loadUsers(ServerExchange &server)
{
    UserLoading result;
    const PagedRead<QList<QByteArray>> keys = readUserKeys(server);
    if (!keys.ok()) {
        result.failure = ServerRecord::UserKeys;
        return result;
    }
    QList<UserRecord> users;
    for (const QByteArray &key : keys.list) {
        qint32 status = 0;
        const std::optional<UserWire> wire = readRecord(server, keyRequest(key), decodeUserWire, status, EditorTries);
        if (!wire) {
            result.failure = ServerRecord::User;
            return result;
        }
        users.append(loadedUser(*wire));
    }
    result.configuration.users = users;
    result.configuration.stored = users;
    result.configuration.loaded = true;
    return result;
}

UserWire userWireFor(const UserRecord &user)
{
    UserWire wire;
    wire.key = user.inUse ? user.serverKey : NoKey;
    const bool blank = std::all_of(user.password.begin(), user.password.end(), [](char c) { return c == ' '; });
    wire.password = blank ? NoKey : user.password;
    wire.userName = user.name;
    wire.rights = user.rights;
    return wire;
}

std::optional<WriteFailure> saveUsers(ServerExchange &server, QList<UserRecord> &users)
{
    for (UserRecord &user : users) {
        const qint32 status = writeRecord(server, userWireFor(user), encodeUserWire);
        if (status != ExchangeStatus::Success)
            return WriteFailure{shownName(user).trimmed(), status};
        user.inUse = true;
        user.serverKey = user.password;
    }
    return std::nullopt;
}
