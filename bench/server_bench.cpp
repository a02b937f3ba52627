// Latency of the request handler on a seeded store: a user read (the login) and a tank read.
#include "core/exchange/serverexchange.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

void readUser(benchmark::State &state)
{
    answerRead(state, keyRequest("ADMIN   "));
}
BENCHMARK(readUser);

void readTankParams(benchmark::State &state)
{
    answerRead(state, codeRequest(TankParamsCodeBase + 74));
}
BENCHMARK(readTankParams);

} // namespace
