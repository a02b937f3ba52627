// Latency of the request handler on a seeded store: a user read (the login) and a tank read; and
// whole exchanges of the client's transport with the server over loopback, plain and over TLS.
#include "core/exchange/serverexchange.h"
#include "core/exchange/tcpexchange.h"
#include "core/services/clock.h"
#include "server/loginthrottle.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"
#include "server/serverlog.h"
#include "server/sessionhandler.h"
#include "server/tcpserver.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

// One seeded store for the whole run, in a folder removed at exit; null when it did not open.
RequestHandler *seededHandler()
{
    static QTemporaryDir dir;
    static std::unique_ptr<PlantStore> store = PlantStore::open(dir.filePath(u"plant.sqlite"_s)).store;
    static std::unique_ptr<RequestHandler> handler = store ? std::make_unique<RequestHandler>(*store) : nullptr;
    return handler.get();
}

void answerRead(benchmark::State &state, const ExchangeBuffer &request)
{
    RequestHandler *handler = seededHandler();
    if (!handler) {
        state.SkipWithError("the store did not open");
        return;
    }
    for (auto _ : state) {
        ExchangeBuffer buffer = request;
        if (handler->handle(ExchangeOperation::Read, buffer) != ExchangeStatus::Success) {
            state.SkipWithError("the read failed");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
}

void readUser(benchmark::State &state) { answerRead(state, keyRequest("ADMIN   ")); }
BENCHMARK(readUser);

void readTankParams(benchmark::State &state) { answerRead(state, codeRequest(TankParamsCodeBase + 74)); }
BENCHMARK(readTankParams);

// The server on a seeded store, on a thread with its own event loop, as the program runs it.
class ServerThread : public QThread
{
public:
    explicit ServerThread(bool tls)
        : m_tls(tls)
    {
        start();
    }
    ~ServerThread() override
    {
        quit();
        wait();
    }
    // The port, once listening; 0 when the server could not start.
    quint16 port()
    {
        while (m_port < 0)
            yieldCurrentThread();
        return static_cast<quint16>(m_port.load());
    }

protected:
    void run() override
    {
        QTemporaryDir dir;
        std::unique_ptr<PlantStore> store = PlantStore::open(dir.filePath(u"plant.sqlite"_s)).store;
        TcpServer::Options options;
        QString error;
        if (m_tls) {
            options.tls = loadTlsIdentity(QStringLiteral(SKLADAR_BENCH_TLS_DIR "/server.crt"),
                                          QStringLiteral(SKLADAR_BENCH_TLS_DIR "/server.key"), error);
        }
        if (!store || (m_tls && !options.tls)) {
            m_port = 0;
            return;
        }
        const SystemClock clock;
        LoginThrottle throttle(clock);
        const ServerLog log;
        RequestHandler handler(*store);
        SessionHandler sessions(handler, *store, clock, throttle, log);
        TcpServer server(sessions, throttle, log, std::move(options));
        m_port = server.listen({QHostAddress(QHostAddress::LocalHost), 0}) ? server.address().port : 0;
        exec();
    }

private:
    bool m_tls;
    std::atomic<int> m_port{-1};
};

// Exchanges per second: one tank read after the login, on one kept connection.
void exchangeOverLoopback(benchmark::State &state)
{
    const bool tls = state.range(0) != 0;
    ServerThread server(tls);
    TcpExchange::Tls trust;
    trust.enabled = tls;
    trust.trusted = QSslCertificate::fromPath(QStringLiteral(SKLADAR_BENCH_TLS_DIR "/server.crt"));
    TcpExchange exchange(QHostAddress::LocalHost, server.port(), TcpExchange::Timing{}, trust);
    ExchangeBuffer login = keyRequest("ADMIN");
    if (server.port() == 0 || exchange.read(login) != ExchangeStatus::Success) {
        state.SkipWithError("the server did not answer the login");
        return;
    }
    for (auto _ : state) {
        ExchangeBuffer buffer = codeRequest(TankParamsCodeBase + 74);
        if (exchange.read(buffer) != ExchangeStatus::Success) {
            state.SkipWithError("the read failed");
            break;
        }
    }
    state.counters["exchanges/s"]
        = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(tls ? "TLS" : "plain");
}
BENCHMARK(exchangeOverLoopback)->Arg(0)->Arg(1)->UseRealTime();

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
