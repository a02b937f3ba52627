// The TCP exchange against a small server on its own thread: replies, time-outs and the back-off.
#include "core/exchange/tcpexchange.h"

#include "core/codec/bytes.h"
#include "core/exchange/exchangeframe.h"

#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Accepts connections one after another and answers each request frame with the status 10000 and
// the request code + 1 at the reply offset; when `silent`, it reads but never answers.
class ThreadedServer
{
public:
    explicit ThreadedServer(bool silent, quint16 port = 0)
    {
        std::atomic<int> listening{-1};
        m_thread = std::thread([this, silent, port, &listening] {
            QTcpServer server;
            listening = server.listen(QHostAddress::LocalHost, port) ? server.serverPort() : 0;
            while (!m_stop) {
                if (!server.waitForNewConnection(20))
                    continue;
                ++m_connections;
                std::unique_ptr<QTcpSocket> socket(server.nextPendingConnection());
                serve(*socket, silent);
            }
        });
        while (listening < 0)
            std::this_thread::yield();
        m_port = static_cast<quint16>(listening.load());
    }
    ~ThreadedServer() { m_stop = true; m_thread.join(); }
    quint16 port() const { return m_port; }
    int connections() const { return m_connections; }

private:
    void serve(QTcpSocket &socket, bool silent)
    {
        QByteArray pending;
        while (!m_stop && socket.state() == QAbstractSocket::ConnectedState) {
            if (socket.waitForReadyRead(20))
                pending.append(socket.readAll());
            const TakenRequest taken = takeRequestFrame(pending);
            if (!taken.frame || silent)
                continue;
            ReplyFrame reply{ExchangeStatus::Success, taken.frame->buffer};
            writeI32(reply.buffer, ReplyOffset, *readI32(taken.frame->buffer, 0) + 1);
            socket.write(encodeReplyFrame(reply));
            socket.waitForBytesWritten(1000);
        }
    }

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_connections{0};
    quint16 m_port = 0;
};

constexpr TcpExchange::Timing Quick{200, 200, 300};

quint16 closedPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost) ? probe.serverPort() : 0;
}

} // namespace

TEST(TcpExchange, ASilentServerTimesOutAndTheNextExchangeReconnects)
{
    ThreadedServer server(true);
    TcpExchange exchange(QHostAddress::LocalHost, server.port(), Quick);
    ExchangeBuffer buffer = codeRequest(1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(exchange.read(buffer), ExchangeStatus::NoConnection);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(Quick.replyMs - 20));
    EXPECT_EQ(exchange.read(buffer), ExchangeStatus::NoConnection);
    EXPECT_EQ(server.connections(), 2) << "a time-out drops the connection";
}

TEST(TcpExchange, AFailedConnectHoldsTheLinkDownForTheBackOffThenRepliesComeOverOneConnection)
{
    const quint16 port = closedPort();
    TcpExchange exchange(QHostAddress::LocalHost, port, Quick);
    ExchangeBuffer buffer = codeRequest(1);
    EXPECT_EQ(exchange.read(buffer), ExchangeStatus::NoConnection);

    ThreadedServer server(false, port); // the server comes up during the back-off
    ASSERT_EQ(server.port(), port);
    EXPECT_EQ(exchangeWithRetry(exchange, ExchangeOperation::Read, buffer, LoginTries), ExchangeStatus::NoConnection);
    EXPECT_EQ(server.connections(), 0) << "no connect is tried while the link is down";

    std::this_thread::sleep_for(std::chrono::milliseconds(Quick.backOffMs + 50));
    for (const qint32 code : {374, 474}) {
        buffer = codeRequest(code);
        ASSERT_EQ(exchange.read(buffer), ExchangeStatus::Success);
        EXPECT_EQ(*readI32(replyRecord(buffer), 0), code + 1);
    }
    buffer = codeRequest(474);
    EXPECT_EQ(exchange.write(buffer), ExchangeStatus::Success);
    EXPECT_EQ(*readI32(buffer, ReplyOffset), 0) << "a write leaves the caller's record as it was";
    EXPECT_EQ(server.connections(), 1) << "the connection stays open";
}
