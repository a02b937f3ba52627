// The connection-lost notice, the transfer window and the exchange log behind the diagnostic list.
#include "config/connectionlostwindow.h"
#include "config/diagnosticlistwindow.h"
#include "config/transferanimation.h"
#include "config/transferwindow.h"

#include "core/exchange/exchangelog.h"
#include "tests/support/fixedclock.h"
#include "tests/support/scriptedexchange.h"
#include "tests/support/widgetdriving.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

TEST(ConnectionLostWindow, ShowsItsWholeNotice)
{
    ConnectionLostWindow window;
    const auto *label = child<QLabel>(window, "Label1");
    EXPECT_LE(label->sizeHint().width(), label->width()) << "the text is cut off";
    EXPECT_TRUE(window.rect().contains(label->geometry()));
    EXPECT_EQ(window.width(), std::max(208, label->sizeHint().width() + 8)) << "wider only as needed";
}

TEST(TransferWindow, AbortStaysRequestedAndTheAnimationRunsWhileShown)
{
    TransferWindow window;
    auto *animation = child<TransferAnimation>(window, "Animate1");
    window.show();
    EXPECT_TRUE(animation->running());
    auto *abort = child<QPushButton>(window, "Button1");
    abort->click();
    abort->click();
    EXPECT_TRUE(window.abortRequested());
    window.close();
    EXPECT_FALSE(animation->running());
    EXPECT_TRUE(window.abortRequested()) << "only the owner clears the request";
}

TEST(ExchangeLog, KeepsTheLatestTwoHundredNewestFirstWithoutPasswordsAndTheListShowsNewOnTop)
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

    DiagnosticListWindow window(log);
    window.show();
    auto *list = child<QListWidget>(window, "ListBox1");
    ASSERT_EQ(list->count(), 200);
    ExchangeBuffer buffer = codeRequest(0);
    log.read(buffer);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("21:45:03 read 0 10004 0 ms"));
}
