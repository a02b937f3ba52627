// A scripted server holding a number of users, for the user editor's tests.
#pragma once

#include "core/codec/bytes.h"
#include "core/exchange/serverrecords.h"
#include "tests/support/scriptedexchange.h"

#include <algorithm>

// The key of user i (1-based): "U001    ".
inline QByteArray scriptedKey(int i)
{
    return QStringLiteral("U%1").arg(i, 3, 10, QLatin1Char('0')).toLatin1().leftJustified(UserKeySize, ' ');
}

// Answers the key pages and every user read; user i is named "USER i" and granted only the
// level of tank 74; writes succeed.
inline ScriptedExchange::Answer scriptedUsers(int count)
{
    return [count](ExchangeOperation operation, ExchangeBuffer &buffer) -> qint32 {
        if (operation == ExchangeOperation::Write)
            return ExchangeStatus::Success;
        const std::span<char> reply = std::span<char>(buffer).subspan(ReplyOffset);
        const qint32 code = *readI32(buffer, 0);
        if (code == UserKeysPage1Code || code == UserKeysPage2Code) {
            UserKeyListPage page;
            const int first = (code - UserKeysPage1Code) * UserKeysPerPage;
            for (int i = first + 1; i <= std::min(count, first + UserKeysPerPage); ++i)
                page.keys.append(scriptedKey(i));
            encodeUserKeyListPage(page, reply);
            return ExchangeStatus::Success;
        }
        UserWire user;
        user.key = user.password = QByteArray(buffer.data(), UserKeySize);
        user.userName = ("USER " + user.key.mid(1).trimmed()).leftJustified(UserNameSize, ' ');
        user.rights[0] = TankRights{74, 1, 2, 0, 0, 0};
        encodeUserWire(user, reply);
        return ExchangeStatus::Success;
    };
}
