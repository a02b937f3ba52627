// The TCP transport on a loopback port: frames split and merged, bad frames, many clients, the request
// log, the rights of each session, the allow-list and failed logins. TLS is the end-to-end test's.
#include "server/tcpserver.h"

#include "core/codec/bytes.h"
#include "core/exchange/exchangeframe.h"
#include "tests/server/sessionfixture.h"
#include "tests/support/namedcases.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using namespace Qt::StringLiterals;

TEST(ListenAddress, ParsesNumericAddressesAndPrintsThemBack)
{
    const std::pair<const char *, bool> texts[] = {
        {"127.0.0.1:7400", true}, {"0.0.0.0:0", true},      {"[::1]:65535", true},    {"127.0.0.1", false},
        {"127.0.0.1:65536", false}, {"localhost:7400", false}, {"::1:7400", false},  {":7400", false},
        {"127.0.0.1:port", false},
    };
    for (const auto &[text, valid] : texts) {
        const std::optional<ListenAddress> parsed = parseListenAddress(QString::fromLatin1(text));
        ASSERT_EQ(parsed.has_value(), valid) << text;
        if (parsed) {
            EXPECT_EQ(listenAddressText(parsed->address, parsed->port), QString::fromLatin1(text));
        }
    }
}

TEST(AllowList, MatchesBlocksOfBothFamiliesAndMappedAddresses)
{
    AllowList list;
    EXPECT_TRUE(list.allows(QHostAddress(u"192.0.2.7"_s))) << "an empty list lets everybody in";
    for (const char *block : {"10.1.2.0/24", "fd00::/8", "192.0.2.7"})
        ASSERT_TRUE(list.add(QString::fromLatin1(block))) << block;
    for (const char *bad : {"10.1.2.0/33", "fd00::/129", "host.example", ""})
        EXPECT_FALSE(list.add(QString::fromLatin1(bad))) << bad;
    const std::pair<const char *, bool> clients[] = {
        {"10.1.2.255", true}, {"10.1.3.0", false},       {"::ffff:10.1.2.9", true}, {"fd12::1", true},
        {"fe80::1", false},   {"192.0.2.7", true},       {"192.0.2.8", false},      {"127.0.0.1", false},
    };
    for (const auto &[client, allowed] : clients)
        EXPECT_EQ(list.allows(QHostAddress(QString::fromLatin1(client))), allowed) << client;
}

TEST(LoginThrottle, ShutsAnAddressOutForTenMinutesAfterTwentyFailuresInTenMinutes)
{
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(6, 0)));
    LoginThrottle throttle(clock);
    const QString address = u"10.1.2.3"_s;
    throttle.recordFailure(address); // forgotten by the time the others come
    clock.set(clock.now().addSecs(LoginThrottle::WindowSeconds));
    for (int i = 1; i < LoginThrottle::FailuresPerAddress; ++i)
        ASSERT_FALSE(throttle.recordFailure(address)) << i;
    EXPECT_FALSE(throttle.shutOut(address));
    EXPECT_TRUE(throttle.recordFailure(address));
    EXPECT_TRUE(throttle.shutOut(address));
    EXPECT_FALSE(throttle.shutOut(u"10.1.2.4"_s));
    clock.set(clock.now().addSecs(LoginThrottle::WindowSeconds - 1));
    EXPECT_TRUE(throttle.shutOut(address));
    clock.set(clock.now().addSecs(1));
    EXPECT_FALSE(throttle.shutOut(address));
    EXPECT_FALSE(throttle.recordFailure(address)) << "the count starts afresh";
}

class TcpServerTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        startServer({});
    }

    void startServer(TcpServer::Options options)
    {
        m_server.reset();
        m_server.emplace(*m_sessions, m_throttle, m_serverLog, std::move(options));
        ASSERT_TRUE(m_server->listen({QHostAddress(QHostAddress::LocalHost), 0}));
    }

    std::unique_ptr<QTcpSocket> connectClient()
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, m_server->address().port);
        EXPECT_TRUE(QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; }, 5000));
        return socket;
    }

    // The status of one request on the connection; 0 when no reply came.
    static qint32 ask(QTcpSocket &socket, ExchangeOperation operation, const ExchangeBuffer &buffer)
    {
        socket.write(encodeRequestFrame({operation, buffer}));
        const QList<ReplyFrame> reply = replies(socket, 1);
        return reply.isEmpty() ? 0 : reply.front().status;
    }

    // The buffers of the next count reply frames, each after its status; fewer after 5 s.
    static QList<ReplyFrame> replies(QTcpSocket &socket, int count)
    {
        QByteArray pending;
        QList<ReplyFrame> frames;
        static_cast<void>(QTest::qWaitFor([&] {
            pending += socket.readAll();
            while (std::optional<ReplyFrame> frame = takeReplyFrame(pending))
                frames.append(*frame);
            return frames.size() >= count;
        }, 5000));
        return frames;
    }

    static QByteArray readFrame(qint32 code) { return encodeRequestFrame({ExchangeOperation::Read, codeRequest(code)}); }

    // What the handler answers itself, and a reply frame, as (status, buffer).
    std::pair<qint32, ExchangeBuffer> direct(ExchangeOperation operation, ExchangeBuffer buffer)
    {
        const qint32 status = m_handler->handle(operation, buffer);
        return {status, buffer};
    }
    static std::pair<qint32, ExchangeBuffer> whole(const ReplyFrame &frame) { return {frame.status, frame.buffer}; }

    std::optional<TcpServer> m_server;
};

// Only the request lines of the log, without the logins and other events.
QStringList requestLines(const QStringList &log)
{
    return log.filter(QRegularExpression(u" ms$"_s));
}

TEST_F(TcpServerTest, SplitAndMergedFramesAreAnsweredInOrderAndLogged)
{
    auto client = connectClient();
    ASSERT_EQ(ask(*client, ExchangeOperation::Read, keyRequest("ADMIN")), ExchangeStatus::Success);
    m_log.clear();
    ExchangeBuffer screen = codeRequest(474);
    std::fill_n(screen.begin() + ConsoleScreenOffset, 80, 'z');
    for (const char byte : encodeRequestFrame({ExchangeOperation::Write, screen})) {
        client->write(&byte, 1);
        client->flush();
        QCoreApplication::processEvents();
    }
    const QList<ReplyFrame> echo = replies(*client, 1);
    ASSERT_EQ(echo.size(), 1);
    EXPECT_EQ(whole(echo[0]), std::pair(ExchangeStatus::Success, screen));

    client->write(encodeRequestFrame({ExchangeOperation::Read, keyRequest("OPER    ")}) + readFrame(474)
                  + readFrame(3).left(10));
    QList<ReplyFrame> frames = replies(*client, 2);
    client->write(readFrame(3).mid(10));
    frames += replies(*client, 1);
    ASSERT_EQ(frames.size(), 3);
    EXPECT_EQ(whole(frames[0]), direct(ExchangeOperation::Read, keyRequest("OPER    ")));
    EXPECT_EQ(whole(frames[1]), direct(ExchangeOperation::Read, codeRequest(474)));
    EXPECT_EQ(frames[1].buffer[ReplyOffset + ConsoleScreenOffset], 'z');
    EXPECT_EQ(frames[2].status, ExchangeStatus::UnknownRequest);

    const QStringList lines = requestLines(m_log);
    ASSERT_EQ(lines.size(), 4);
    const QString line = u"^127\\.0\\.0\\.1:%1 %2 \\d+\\.\\d{3} ms$"_s;
    const QString peer = QString::number(client->localPort());
    for (const auto &[i, entry] : {std::pair{0, u"write 474 10000"_s}, {1, u"read key 10000"_s}, {3, u"read 3 10002"_s}})
        EXPECT_TRUE(QRegularExpression(line.arg(peer, entry)).match(lines[i]).hasMatch()) << lines[i].toStdString();
    EXPECT_EQ(ask(*client, ExchangeOperation::Write, screen), ExchangeStatus::Success) << "reading another's key leaves the login as it was";
}

// A wrong operation byte ends its own connection only; the others' half-sent frames survive it and a broken one.
TEST_F(TcpServerTest, HalfSentFramesOfOtherClientsSurviveBadAndBrokenFrames)
{
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (std::size_t i = 0; i < 5; ++i) {
        clients.push_back(connectClient());
        ASSERT_EQ(ask(*clients.back(), ExchangeOperation::Read, keyRequest("OPER")), ExchangeStatus::Success);
        clients.back()->write(readFrame(300 + TankIdList[static_cast<int>(i) + 1]).left(600));
    }
    auto bad = connectClient();
    auto broken = connectClient();
    bad->write("\x07" + readFrame(374).mid(1));
    broken->write(readFrame(374).left(500));
    broken->flush();
    broken->abort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bad->state() == QAbstractSocket::UnconnectedState; }, 5000));
    for (std::size_t i = 0; i < clients.size(); ++i)
        clients[i]->write(readFrame(300 + TankIdList[static_cast<int>(i) + 1]).mid(600));
    for (std::size_t i = clients.size(); i-- > 0;) {
        const QList<ReplyFrame> reply = replies(*clients[i], 1);
        ASSERT_EQ(reply.size(), 1) << i;
        EXPECT_EQ(readI32(replyRecord(reply[0].buffer), TankParamsTankIdOffset), TankIdList[static_cast<int>(i) + 1]);
    }
    EXPECT_EQ(requestLines(m_log).size(), 10);
}

// Who may ask what: each row on a fresh connection of each kind of session.
struct Rights
{
    const char *name;
    ExchangeOperation operation;
    ExchangeBuffer request;
    qint32 unbound, level3, level1; // the status each kind of session gets
};

constexpr qint32 Ok = ExchangeStatus::Success;
constexpr qint32 Refused = ExchangeStatus::AccessRefused;

ExchangeBuffer screenWrite()
{
    ExchangeBuffer screen = codeRequest(474);
    std::fill_n(screen.begin() + ConsoleScreenOffset, 80, 'x');
    return screen;
}

const Rights RightsTable[] = {
    {"status", ExchangeOperation::Read, codeRequest(StatusRequestCode), Ok, Ok, Ok},
    {"liveValuesWithoutAcquisition", ExchangeOperation::Read, codeRequest(LiveRequestCode), ExchangeStatus::UnknownRequest,
     ExchangeStatus::UnknownRequest, ExchangeStatus::UnknownRequest},
    {"loginOfOwnKey", ExchangeOperation::Read, keyRequest("OPER"), Ok, Ok, Ok},
    {"loginOfOtherKey", ExchangeOperation::Read, keyRequest("ADMIN"), Ok, Refused, Ok},
    {"wrongPassword", ExchangeOperation::Read, keyRequest("NOBODY"), ExchangeStatus::UnknownUser, Refused,
     ExchangeStatus::UnknownUser},
    {"tank", ExchangeOperation::Read, codeRequest(374), Refused, Ok, Ok},
    {"material", ExchangeOperation::Read, codeRequest(203), Refused, Ok, Ok},
    {"materialList", ExchangeOperation::Read, codeRequest(200), Refused, Ok, Ok},
    {"consoleScreen", ExchangeOperation::Read, codeRequest(474), Refused, Ok, Ok},
    {"unknownCode", ExchangeOperation::Read, codeRequest(3), Refused, ExchangeStatus::UnknownRequest,
     ExchangeStatus::UnknownRequest},
    {"userKeys", ExchangeOperation::Read, codeRequest(UserKeysPage1Code), Refused, Refused, Ok},
    {"userKeysPage2", ExchangeOperation::Read, codeRequest(UserKeysPage2Code), Refused, Refused, Ok},
    {"screenWrite", ExchangeOperation::Write, screenWrite(), Refused, Refused, Ok},
    {"emptyUserWrite", ExchangeOperation::Write, codeRequest(StatusRequestCode), Refused, Refused,
     ExchangeStatus::MalformedRecord},
};

TEST_F(TcpServerTest, EachSessionGetsWhatItsLevelAllows)
{
    for (const Rights &row : RightsTable) {
        for (const auto &[login, expected] : {std::pair<const char *, qint32>{nullptr, row.unbound},
                                              {"OPER", row.level3}, {"ADMIN", row.level1}}) {
            auto client = connectClient();
            if (login) {
                ASSERT_EQ(ask(*client, ExchangeOperation::Read, keyRequest(login)), Ok);
            }
            const std::optional<StoreResult<ConsoleScreen>> before =
                expected == Refused ? std::optional(m_store->consoleScreen(74)) : std::nullopt;
            EXPECT_EQ(ask(*client, row.operation, row.request), expected)
                << row.name << " as " << (login ? login : "nobody");
            if (before) {
                EXPECT_EQ(m_store->consoleScreen(74).value, before->value) << row.name << ": a refusal stores nothing";
            }
        }
    }
}

TEST_F(TcpServerTest, AddressesOutsideTheAllowListAreClosed)
{
    TcpServer::Options options;
    ASSERT_TRUE(options.allowed.add(u"10.0.0.0/8"_s));
    startServer(std::move(options));
    auto outsider = connectClient();
    EXPECT_TRUE(QTest::qWaitFor([&] { return outsider->state() == QAbstractSocket::UnconnectedState; }, 5000));
    EXPECT_TRUE(m_log.contains(u"127.0.0.1: connection refused: address not allowed"_s)) << m_log.join(u'\n').toStdString();
}

TEST_F(TcpServerTest, FailedLoginsCloseTheConnectionAndThenShutTheAddressOut)
{
    int connections = 0;
    for (int failed = 0; failed < LoginThrottle::FailuresPerAddress; ++connections) {
        auto client = connectClient();
        for (int i = 0; i < FailedLoginsPerConnection; ++i, ++failed)
            ASSERT_EQ(ask(*client, ExchangeOperation::Read, keyRequest("GUESS")), ExchangeStatus::UnknownUser);
        EXPECT_TRUE(QTest::qWaitFor([&] { return client->state() == QAbstractSocket::UnconnectedState; }, 5000))
            << "the fifth failure closes the connection";
    }
    EXPECT_EQ(connections, 4);
    auto shutOut = connectClient();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shutOut->state() == QAbstractSocket::UnconnectedState; }, 5000));
    m_clock.set(m_clock.now().addSecs(LoginThrottle::WindowSeconds));
    auto later = connectClient();
    EXPECT_EQ(ask(*later, ExchangeOperation::Read, keyRequest("OPER")), Ok);
    EXPECT_EQ(m_log.filter(u": failed login"_s).size(), LoginThrottle::FailuresPerAddress);
}

} // namespace
