// The real server under load: 16 clients at once, with bad frames among the good ones.
#include "core/codec/bytes.h"
#include "tests/support/serverprocess.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

constexpr int Clients = 16;
constexpr int ExchangesPerClient = 1000;

struct Tally
{
    int answered = 0; // well-formed exchanges answered correctly
    int malformed = 0;
    std::vector<std::string> errors;
};

// One client's 1000 exchanges: about half writes of its own material, the rest reads of it, of a
// tank or of the status, and 1 % malformed frames of three kinds.
class LoadClient
{
public:
    LoadClient(quint16 port, int index, Tally &tally) : m_port(port), m_code(FirstClientMaterial + index),
                                                         m_random(static_cast<unsigned>(index)), m_tally(tally) {}

    void run()
    {
        if (!m_client.connectTo(m_port))
            return fail("cannot connect");
        for (int i = 0; i < ExchangesPerClient && m_tally.errors.size() < 10; ++i) {
            const unsigned roll = m_random() % 100;
            if (roll == 0)
                malformed();
            else if (roll < 50)
                write(i + 1.0);
            else
                read(roll);
        }
    }

private:
    void fail(const std::string &what) { m_tally.errors.push_back("client " + std::to_string(m_code) + ": " + what); }

    void write(double density)
    {
        const std::optional<ReplyFrame> reply = m_client.exchange(ExchangeOperation::Write, materialWrite(m_code, density));
        if (!reply || reply->status != ExchangeStatus::Success)
            return fail("a write was not acknowledged");
        m_lastWritten = density;
        ++m_tally.answered;
    }

    void read(unsigned roll)
    {
        if (roll < 70) {
            const std::optional<double> density = readDensity(m_client, m_code);
            if (m_lastWritten > 0 && density != m_lastWritten)
                return fail("its own material reads otherwise than last written");
        } else if (roll < 90) {
            const std::optional<ReplyFrame> reply = m_client.exchange(ExchangeOperation::Read, codeRequest(374));
            if (!reply || reply->status != ExchangeStatus::Success
                || readI32(replyRecord(reply->buffer), TankParamsTankIdOffset) != 74)
                return fail("tank 74 did not read");
        } else {
            const std::optional<ReplyFrame> reply = m_client.exchange(ExchangeOperation::Read, codeRequest(StatusRequestCode));
            if (!reply || reply->status != ExchangeStatus::Success)
                return fail("the status did not read");
        }
        ++m_tally.answered;
    }

    // A wrong operation byte or a short frame ends the connection; garbage in a read is answered.
    void malformed()
    {
        ++m_tally.malformed;
        QByteArray garbage(static_cast<qsizetype>(ExchangeBufferSize), '\0');
        for (char &byte : garbage)
            byte = static_cast<char>(m_random());
        switch (m_random() % 3) {
        case 0:
            m_client.send('\x07' + garbage);
            if (!m_client.closedByServer())
                return fail("a wrong operation byte did not close the connection");
            break;
        case 1:
            m_client.send('\x02' + garbage.left(100));
            m_client.close();
            break;
        default: {
            const std::optional<ReplyFrame> reply = m_client.exchange('\x01' + garbage);
            if (!reply || (reply->status != ExchangeStatus::Success && reply->status < ExchangeStatus::UnknownRequest))
                return fail("a read of garbage was not answered");
            return;
        }
        }
        if (!m_client.connectTo(m_port))
            fail("cannot connect again");
    }

    quint16 m_port;
    qint32 m_code;
    std::mt19937 m_random;
    Tally &m_tally;
    FrameClient m_client;
    double m_lastWritten = 0;
};

using ServerLoadTest = ServerProcessTest;

TEST_F(ServerLoadTest, SixteenClientsWithBadFramesAmongThemAreAllAnsweredCorrectly)
{
    ASSERT_TRUE(server.start(storePath()));
    std::vector<Tally> tallies(Clients);
    QElapsedTimer timer;
    timer.start();
    std::vector<std::thread> threads;
    for (int c = 0; c < Clients; ++c)
        threads.emplace_back([&, c] { LoadClient(server.port(), c, tallies[static_cast<std::size_t>(c)]).run(); });
    for (std::thread &thread : threads)
        thread.join();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    int answered = 0;
    int malformed = 0;
    for (const Tally &tally : tallies) {
        answered += tally.answered;
        malformed += tally.malformed;
        for (const std::string &error : tally.errors)
            ADD_FAILURE() << error;
    }
    EXPECT_EQ(answered + malformed, Clients * ExchangesPerClient);
    EXPECT_GT(malformed, 0);
    const double rate = answered / seconds;
    std::printf("%d exchanges and %d malformed frames in %.2f s: %.0f exchanges per second\n", answered, malformed,
                seconds, rate);
    RecordProperty("exchanges_per_second", static_cast<int>(rate));
    EXPECT_TRUE(server.stop());
}

} // namespace
