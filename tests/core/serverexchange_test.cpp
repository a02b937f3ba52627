// The retry pattern, the paged lists, the reply frame and the choice of the server.
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

// A server holding the material list `materials`, paged as the real one.
ScriptedExchange::Answer pagedServer(int materials)
{
    return [=](ExchangeOperation, ExchangeBuffer &buffer) {
        const qint32 code = *readI32(buffer, 0);
        const int first = (code - MaterialListPage1Code) * MaterialsPerPage;
        MaterialListPage page{code, {}};
        for (int i = first; i < std::min(materials, first + MaterialsPerPage); ++i)
            page.entries.append({static_cast<quint16>(FirstMaterialCode + i), QString::number(i)});
        ExchangeBuffer reply{};
        encodeMaterialListPage(page, reply);
        putReply(buffer, QByteArray(reply.data(), 1000));
        return ExchangeStatus::Success;
    };
}

} // namespace

TEST(ExchangeWithRetry, TriesFromTheOriginalRequestUntilSuccessARefusalOrItsTriesRunOut)
{
    // After a first failed connection the server answers `later` until the try succeedsAt.
    struct Case { int tries; int succeedsAt; int calls; qint32 status; qint32 later = 10006; };
    for (const Case c : {Case{5, 3, 3, 10000}, Case{3, 9, 3, 10006}, Case{0, 9, 1, 10001}, Case{5, 9, 2, 10007, 10007}}) {
        int calls = 0;
        ScriptedExchange server([&](ExchangeOperation, ExchangeBuffer &buffer) {
            buffer.fill('\x99'); // a failed exchange may leave anything in the buffer
            return ++calls == c.succeedsAt ? 10000 : calls < 2 ? 10001 : c.later;
        });
        ExchangeBuffer buffer = codeRequest(374);
        EXPECT_EQ(exchangeWithRetry(server, ExchangeOperation::Write, buffer, c.tries), c.status) << c.tries;
        EXPECT_EQ(server.codes(), QList<qint32>(c.calls, 374)) << c.tries;
        EXPECT_EQ(server.requests.front().operation, ExchangeOperation::Write);
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

TEST(MaterialList, AFailedPageStopsReadingKeepingWhatWasReadAndStopsWriting)
{
    const auto paged = pagedServer(40);
    ScriptedExchange reading([&](ExchangeOperation operation, ExchangeBuffer &buffer) {
        return *readI32(buffer, 0) == 201 ? ExchangeStatus::StoreFailed : paged(operation, buffer);
    });
    const auto result = readMaterialList(reading);
    EXPECT_EQ(std::pair(result.status, result.list.size()), std::pair(qint32{ExchangeStatus::StoreFailed}, qsizetype{32}));
    ScriptedExchange writing([](ExchangeOperation, ExchangeBuffer &buffer) {
        return *readI32(buffer, 0) == 201 ? ExchangeStatus::MalformedRecord : ExchangeStatus::Success;
    });
    EXPECT_EQ(writeMaterialList(writing, MaterialTable(40)), ExchangeStatus::MalformedRecord);
    EXPECT_EQ(writing.codes(), (QList<qint32>{200, 201, 201, 201, 201, 201}));
}

// Request frames, bad operations among them, are proven through the server's own connections.
TEST(ExchangeFrames, TheReplyStatusLeadsLittleEndian)
{
    QByteArray pending = encodeReplyFrame({ExchangeStatus::UnknownUser, codeRequest(7)});
    ASSERT_EQ(pending.size(), 1028);
    EXPECT_EQ(pending.left(5), QByteArray::fromHex("1427000007"));
    pending.chop(1);
    EXPECT_FALSE(takeReplyFrame(pending));
    pending.append('\0');
    EXPECT_EQ(takeReplyFrame(pending)->status, 10004);
    EXPECT_TRUE(pending.isEmpty());
}

TEST(ServerLink, ALoginSharesTheEmbeddedServerAndTakesTheAddressFromTheSettings)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("s.reg")));
    const auto set = [&](const char *name, qint32 value) {
        ASSERT_TRUE(store.WriteInteger(QStringLiteral("Forma\\"), QLatin1String(name), value).ok());
    };
    int made = 0;
    ServerLink link(store, [&] {
        ++made;
        return std::make_unique<ScriptedExchange>([](ExchangeOperation, ExchangeBuffer &) { return ExchangeStatus::Success; });
    });
    ExchangeBuffer buffer{};
    EXPECT_EQ(link.read(buffer), ExchangeStatus::Success) << "no address: the embedded server";
    link.beginLogin();
    link.endLogin(true);
    EXPECT_EQ(made, 1) << "the embedded server at an unchanged address is shared";

    set("IPServer", 0x0A01A8C0);
    set("Port", 0);
    link.beginLogin();
    link.endLogin(true);
    EXPECT_EQ(link.address(), (ServerAddress{QHostAddress(QStringLiteral("192.168.1.10")), 7400, false, {}}));
    ASSERT_TRUE(store.WriteString(ServerAddressKey, TlsCertificateValue, QStringLiteral("/etc/plant.crt")).ok());
    for (const auto &[tls, expected] : {std::pair{"TRUE", false}, {"true", true}}) {
        ASSERT_TRUE(store.WriteString(ServerAddressKey, TlsValue, QLatin1String(tls)).ok());
        EXPECT_EQ(serverAddressFromSettings(store).tls, expected) << tls;
    }
    EXPECT_EQ(serverAddressFromSettings(store).trustedCertificate, QStringLiteral("/etc/plant.crt"));
    for (const auto &[port, expected] : std::map<qint32, quint16>{{65535, 65535}, {0, 7400}, {70000, 7400}, {-1, 7400}}) {
        set("Port", port);
        EXPECT_EQ(serverAddressFromSettings(store).port, expected) << port;
    }
}
