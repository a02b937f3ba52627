// The retry pattern, the paged lists, the stream frames and the choice of the server.
#include "core/exchange/exchangeframe.h"
#include "core/exchange/serverlink.h"
#include "core/exchange/serverlists.h"
#include "core/settings/settingsstore.h"

#include "core/codec/bytes.h"
#include "tests/support/scriptedexchange.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

// A server holding `keys` user keys and the material list `materials`, paged as the real one.
ScriptedExchange::Answer pagedServer(int keys, int materials)
{
    return [=](ExchangeOperation operation, ExchangeBuffer &buffer) {
        const qint32 code = *readI32(buffer, 0);
        if (operation == ExchangeOperation::Write)
            return ExchangeStatus::Success;
        ExchangeBuffer reply{};
        if (code == UserKeysPage1Code || code == UserKeysPage2Code) {
            const int first = (code - 1) * UserKeysPerPage;
            UserKeyListPage page;
            for (int i = first; i < std::min(keys, first + UserKeysPerPage); ++i)
                page.keys.append(QByteArray::number(i).leftJustified(8, ' '));
            encodeUserKeyListPage(page, reply);
        } else {
            const int first = (code - MaterialListPage1Code) * MaterialsPerPage;
            MaterialListPage page{code, {}};
            for (int i = first; i < std::min(materials, first + MaterialsPerPage); ++i)
                page.entries.append({static_cast<quint16>(FirstMaterialCode + i), QString::number(i)});
            encodeMaterialListPage(page, reply);
        }
        putReply(buffer, QByteArray(reply.data(), 1000));
        return ExchangeStatus::Success;
    };
}

} // namespace

TEST(ExchangeWithRetry, TriesUntilSuccessAndAlwaysFromTheOriginalRequest)
{
    int calls = 0;
    ScriptedExchange server([&](ExchangeOperation, ExchangeBuffer &buffer) {
        buffer.fill('\x99'); // a failed read may leave anything in the buffer
        return ++calls == 3 ? ExchangeStatus::Success : ExchangeStatus::NoConnection;
    });
    ExchangeBuffer buffer = codeRequest(374);
    EXPECT_EQ(exchangeWithRetry(server, ExchangeOperation::Read, buffer, LoginTries), ExchangeStatus::Success);
    EXPECT_EQ(server.codes(), (QList<qint32>{374, 374, 374}));
}

TEST(ExchangeWithRetry, GivesUpAfterItsTriesWithTheLastStatus)
{
    struct Case { int tries; int expectedCalls; };
    for (const Case c : {Case{5, 5}, Case{3, 3}, Case{1, 1}, Case{0, 1}}) {
        int calls = 0;
        ScriptedExchange server([&](ExchangeOperation, ExchangeBuffer &) { return ++calls < 2 ? 10001 : 10006; });
        ExchangeBuffer buffer{};
        const qint32 status = exchangeWithRetry(server, ExchangeOperation::Write, buffer, c.tries);
        EXPECT_EQ(calls, c.expectedCalls) << c.tries;
        EXPECT_EQ(status, c.expectedCalls == 1 ? 10001 : 10006) << c.tries;
        EXPECT_EQ(server.requests.front().operation, ExchangeOperation::Write);
    }
}

TEST(ReadUserKeys, ASecondPageOnlyAfterExactlyFiftyKeys)
{
    struct Case { int keys; QList<qint32> codes; };
    for (const Case &c : {Case{0, {1}}, Case{49, {1}}, Case{50, {1, 2}}, Case{51, {1, 2}}, Case{100, {1, 2}}}) {
        ScriptedExchange server(pagedServer(c.keys, 0));
        const auto result = readUserKeys(server);
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(result.list.size(), c.keys);
        EXPECT_EQ(server.codes(), c.codes) << c.keys;
        if (c.keys > 0) {
            EXPECT_EQ(result.list.back(), QByteArray::number(c.keys - 1).leftJustified(8, ' '));
        }
    }
}

TEST(ReadUserKeys, AFailedOrMalformedPageEndsTheRead)
{
    ScriptedExchange failing;
    EXPECT_EQ(readUserKeys(failing).status, ExchangeStatus::NoConnection);
    EXPECT_EQ(failing.requests.size(), EditorTries);

    ScriptedExchange lying([](ExchangeOperation, ExchangeBuffer &buffer) {
        putReply(buffer, QByteArray::fromHex("33000000")); // 51 keys on one page
        return ExchangeStatus::Success;
    });
    EXPECT_EQ(readUserKeys(lying).status, ExchangeStatus::MalformedRecord);
}

TEST(ReadMaterialList, StopsAtTheFailedPageKeepingWhatWasRead)
{
    const auto paged = pagedServer(0, 40);
    ScriptedExchange server([&](ExchangeOperation operation, ExchangeBuffer &buffer) {
        return *readI32(buffer, 0) == 201 ? ExchangeStatus::StoreFailed : paged(operation, buffer);
    });
    const auto result = readMaterialList(server);
    EXPECT_EQ(result.status, ExchangeStatus::StoreFailed);
    EXPECT_EQ(result.list.size(), 32);
}

TEST(WriteMaterialList, ThirtyTwoThirtyTwoAndTheRestEveryPageWritten)
{
    struct Case { int n; std::array<int, 3> counts; };
    for (const Case &c : {Case{0, {0, 0, 0}}, Case{32, {32, 0, 0}}, Case{33, {32, 1, 0}}, Case{64, {32, 32, 0}},
                          Case{65, {32, 32, 1}}, Case{96, {32, 32, 32}}, Case{100, {32, 32, 32}}}) {
        EXPECT_EQ(materialPageCounts(c.n), c.counts) << c.n;
        MaterialTable list;
        for (int i = 0; i < c.n; ++i)
            list.append({static_cast<quint16>(203 + i), QString::number(i)});
        ScriptedExchange server(pagedServer(0, 0));
        EXPECT_EQ(writeMaterialList(server, list), ExchangeStatus::Success);
        ASSERT_EQ(server.codes(), (QList<qint32>{200, 201, 202}));
        for (int page = 0; page < 3; ++page) {
            const auto written = decodeMaterialListPage(server.requests[page].buffer);
            ASSERT_TRUE(written);
            EXPECT_EQ(written->entries.size(), c.counts[static_cast<std::size_t>(page)]);
            if (!written->entries.isEmpty()) {
                EXPECT_EQ(written->entries.front().code, 203 + 32 * page);
            }
        }
    }
}

TEST(WriteMaterialList, StopsAtTheFirstFailedPage)
{
    ScriptedExchange server([](ExchangeOperation, ExchangeBuffer &buffer) {
        return *readI32(buffer, 0) == 201 ? ExchangeStatus::MalformedRecord : ExchangeStatus::Success;
    });
    EXPECT_EQ(writeMaterialList(server, MaterialTable(40)), ExchangeStatus::MalformedRecord);
    EXPECT_EQ(server.codes(), (QList<qint32>{200, 201, 201, 201, 201, 201}));
}

TEST(ExchangeFrames, SplitAndMergedRequestsComeOutWhole)
{
    RequestFrame first{ExchangeOperation::Read, codeRequest(374)};
    RequestFrame second{ExchangeOperation::Write, codeRequest(474)};
    const QByteArray stream = encodeRequestFrame(first) + encodeRequestFrame(second);
    ASSERT_EQ(stream.size(), 2 * 1025);
    EXPECT_EQ(stream[0], '\x01');
    EXPECT_EQ(stream[1025], '\x02');

    QByteArray pending;
    QList<RequestFrame> frames;
    for (const char byte : stream) { // byte by byte
        pending.append(byte);
        const TakenRequest taken = takeRequestFrame(pending);
        ASSERT_FALSE(taken.malformed);
        if (taken.frame)
            frames.append(*taken.frame);
    }
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[1].operation, ExchangeOperation::Write);
    EXPECT_EQ(*readI32(frames[1].buffer, 0), 474);
    EXPECT_TRUE(pending.isEmpty());

    pending = stream; // both at once
    EXPECT_EQ(*readI32(takeRequestFrame(pending).frame->buffer, 0), 374);
    EXPECT_EQ(*readI32(takeRequestFrame(pending).frame->buffer, 0), 474);
    EXPECT_FALSE(takeRequestFrame(pending).frame);
}

TEST(ExchangeFrames, AnUnknownOperationIsMalformedAtOnce)
{
    for (const char op : {'\x00', '\x03', '\xff'}) {
        QByteArray pending(1, op);
        EXPECT_TRUE(takeRequestFrame(pending).malformed);
    }
}

TEST(ExchangeFrames, ReplyStatusIsLittleEndianBeforeTheBuffer)
{
    ReplyFrame reply{ExchangeStatus::UnknownUser, codeRequest(7)};
    QByteArray pending = encodeReplyFrame(reply);
    ASSERT_EQ(pending.size(), 1028);
    EXPECT_EQ(pending.left(5), QByteArray::fromHex("1427000007"));
    pending.chop(1);
    EXPECT_FALSE(takeReplyFrame(pending));
    pending.append('\0');
    const auto taken = takeReplyFrame(pending);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->status, 10004);
    EXPECT_TRUE(pending.isEmpty());
}

TEST(ServerAddress, FirstOctetInTheLowestByteAndZeroForTheEmbeddedServer)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("s.reg")));
    EXPECT_TRUE(serverAddressFromSettings(store).embedded());

    ASSERT_TRUE(store.WriteInteger(QStringLiteral("Forma\\"), QStringLiteral("IPServer"), 0x0A01A8C0).ok());
    ServerAddress address = serverAddressFromSettings(store);
    EXPECT_EQ(address.address, QHostAddress(QStringLiteral("192.168.1.10")));
    EXPECT_EQ(address.port, 7400);

    for (const auto &[port, expected] : std::map<qint32, quint16>{{7500, 7500}, {65535, 65535}, {0, 7400}, {70000, 7400}, {-1, 7400}}) {
        ASSERT_TRUE(store.WriteInteger(QStringLiteral("Forma\\"), QStringLiteral("Port"), port).ok());
        EXPECT_EQ(serverAddressFromSettings(store).port, expected) << port;
    }
}

TEST(ServerLink, FollowsTheSettingsAtEverySelect)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("s.reg")));
    int made = 0;
    ServerLink link(store, [&] {
        ++made;
        return std::make_unique<ScriptedExchange>([](ExchangeOperation, ExchangeBuffer &) { return ExchangeStatus::Success; });
    });
    ExchangeBuffer buffer{};
    EXPECT_EQ(link.read(buffer), ExchangeStatus::Success);
    link.select();
    EXPECT_EQ(made, 1) << "an unchanged address keeps the exchange";

    ASSERT_TRUE(store.WriteInteger(QStringLiteral("Forma\\"), QStringLiteral("IPServer"), 0x0100007F).ok());
    link.select();
    EXPECT_EQ(link.address().address, QHostAddress::LocalHost);
    EXPECT_FALSE(link.address().embedded());
}
