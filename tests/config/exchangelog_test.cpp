// The exchange log behind the diagnostic list: the latest two hundred, newest first, without passwords.
#include "core/exchange/exchangelog.h"

#include "tests/support/fixedclock.h"
#include "tests/support/scriptedexchange.h"

#include <gtest/gtest.h>

TEST(ExchangeLog, KeepsTheLatestTwoHundredNewestFirstWithoutPasswords)
{
    FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(21, 45, 3)));
    ScriptedExchange server([](ExchangeOperation, ExchangeBuffer &) { return ExchangeStatus::Success; });
    ExchangeLog log(server, clock);
    for (int code = 1; code <= 201; ++code) {
        ExchangeBuffer buffer = codeRequest(code);
        log.read(buffer);
    }
    ExchangeBuffer key = keyRequest("ADMIN   ");
    server.answer = [](ExchangeOperation, ExchangeBuffer &) { return ExchangeStatus::UnknownUser; };
    EXPECT_EQ(log.write(key), ExchangeStatus::UnknownUser);
    ASSERT_EQ(log.entries().size(), 200);
    EXPECT_EQ(describeExchange(log.entries()[0]), QStringLiteral("21:45:03 write key 10004 0 ms"));
    EXPECT_EQ(describeExchange(log.entries()[1]), QStringLiteral("21:45:03 read 201 10000 0 ms"));
    EXPECT_EQ(log.entries().back().requestCode, 3);
    EXPECT_EQ(server.requests.size(), 202) << "every exchange reaches the server";
}
