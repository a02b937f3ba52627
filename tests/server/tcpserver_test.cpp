// The TCP transport on a loopback port: frames split and merged, bad frames, many clients, the request log.
#include "server/tcpserver.h"

#include "core/codec/bytes.h"
#include "core/exchange/exchangeframe.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
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

class TcpServerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        StoreOpening opening = PlantStore::open(m_dir.filePath(u"plant.sqlite"_s));
        ASSERT_TRUE(opening.store) << opening.error.toStdString();
        m_store = std::move(opening.store);
        m_handler.emplace(*m_store);
        m_server.emplace(*m_handler, [this](const QString &line) { m_log.append(line); });
        ASSERT_TRUE(m_server->listen({QHostAddress(QHostAddress::LocalHost), 0}));
    }

    std::unique_ptr<QTcpSocket> connectClient()
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, m_server->address().port);
        EXPECT_TRUE(QTest::qWaitFor([&] { return socket->state() == QAbstractSocket::ConnectedState; }, 5000));
        return socket;
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

    QTemporaryDir m_dir;
    std::unique_ptr<PlantStore> m_store;
    std::optional<RequestHandler> m_handler;
    std::optional<TcpServer> m_server;
    QStringList m_log;
};

TEST_F(TcpServerTest, SplitAndMergedFramesAreAnsweredInOrderAndLogged)
{
    auto client = connectClient();
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

    ASSERT_EQ(m_log.size(), 4);
    const QString line = u"^127\\.0\\.0\\.1:%1 %2 \\d+\\.\\d{3} ms$"_s;
    const QString peer = QString::number(client->localPort());
    for (const auto &[i, entry] : {std::pair{0, u"write 474 10000"_s}, {1, u"read key 10000"_s}, {3, u"read 3 10002"_s}})
        EXPECT_TRUE(QRegularExpression(line.arg(peer, entry)).match(m_log[i]).hasMatch()) << m_log[i].toStdString();
}

// A wrong operation byte ends its own connection only; the others' half-sent frames survive it and a broken one.
TEST_F(TcpServerTest, HalfSentFramesOfOtherClientsSurviveBadAndBrokenFrames)
{
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (std::size_t i = 0; i < 5; ++i) {
        clients.push_back(connectClient());
        clients.back()->write(readFrame(300 + TankIdList[i]).left(600));
    }
    auto bad = connectClient();
    auto broken = connectClient();
    bad->write("\x07" + readFrame(374).mid(1));
    broken->write(readFrame(374).left(500));
    broken->flush();
    broken->abort();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bad->state() == QAbstractSocket::UnconnectedState; }, 5000));
    for (std::size_t i = 0; i < clients.size(); ++i)
        clients[i]->write(readFrame(300 + TankIdList[i]).mid(600));
    for (std::size_t i = clients.size(); i-- > 0;) {
        const QList<ReplyFrame> reply = replies(*clients[i], 1);
        ASSERT_EQ(reply.size(), 1) << i;
        EXPECT_EQ(readI32(replyRecord(reply[0].buffer), TankParamsTankIdOffset), TankIdList[i]);
    }
    EXPECT_EQ(m_log.size(), 5);
}

} // namespace
