// A scripted server holding a number of users, for the user editor's tests.
#pragma once

#include "core/codec/bytes.h"
#include "core/exchange/serverrecords.h"
#include "tests/support/scriptedexchange.h"

// User i (1-based) has the key and password "U<i>" and only the level of tank 74 (its
// temperature byte is 2, which refuses); writes fail with writeStatus.
inline ScriptedExchange::Answer scriptedUsers(int count, qint32 writeStatus = ExchangeStatus::Success)
{
    return [=](ExchangeOperation operation, ExchangeBuffer &buffer) -> qint32 {
        const std::span<char> reply = std::span<char>(buffer).subspan(ReplyOffset);
        const qint32 code = *readI32(buffer, 0);
        if (operation == ExchangeOperation::Write)
            return writeStatus;
        if (code > UserKeysPage2Code) {
            const QByteArray key(buffer.data(), UserKeySize);
            encodeUserWire(UserWire{key, 0, key, QByteArray(UserNameSize, ' '), {TankRights{74, 1, 2}}}, reply);
            return ExchangeStatus::Success;
        }
        UserKeyListPage page;
        for (int i = (code - 1) * UserKeysPerPage + 1; i <= std::min(count, code * UserKeysPerPage); ++i)
            page.keys.append(userKeyFor(QStringLiteral("U%1").arg(i)));
        encodeUserKeyListPage(page, reply);
        return ExchangeStatus::Success;
    };
}
