// The acquisition's costs: one poll of 54 channels on 15 devices over loopback (and with one of them
// dead), and one sample added to a full history with its durable rename.
#include "demoplant/modbusplant.h"
#include "server/historyrecorder.h"
#include "server/modbuspoller.h"
#include "server/serverlog.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Devices = 15;

// A loopback port whose connections the kernel accepts and nobody ever answers: a hung device.
struct SilentListener
{
    SilentListener()
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 && ::listen(socket, 16) == 0
            && ::getsockname(socket, reinterpret_cast<sockaddr *>(&address), &length) == 0)
            port = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(socket); }

    int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    quint16 port = 0;
};

// Channel c on unit c % 15 + 1, a float32 in holding registers from (c / 15) x 2 on.
QList<ChannelSource> fifteenDevices(quint16 port, quint16 deadPort)
{
    QList<ChannelSource> channels;
    for (int c = 0; c < ChannelCount; ++c) {
        const int unit = c % Devices + 1;
        channels.append({c,
                         {QStringLiteral("127.0.0.1"), unit == Devices ? deadPort : port, unit},
                         ReadHoldingRegisters,
                         c / Devices * 2,
                         RegisterType::Float32,
                         1.0,
                         0.0});
    }
    return channels;
}

void pollDevices(benchmark::State &state, bool oneDead)
{
    ModbusPlantServer plant;
    for (int unit = 1; unit <= Devices; ++unit)
        plant.addUnit(unit, 8, 0);
    if (!plant.start(0)) {
        state.SkipWithError("cannot listen on loopback");
        return;
    }
    const SilentListener dead;
    const quint16 deadPort = oneDead ? dead.port : plant.port();
    const ServerLog quiet;
    ModbusPoller poller(fifteenDevices(plant.port(), deadPort), std::chrono::milliseconds(500), quiet);
    for (auto _ : state)
        benchmark::DoNotOptimize(poller.poll({}));
}

void BM_PollFifteenDevices(benchmark::State &state) { pollDevices(state, false); }
BENCHMARK(BM_PollFifteenDevices)->Unit(benchmark::kMillisecond)->UseRealTime();

// The dead device costs its 500 ms time-out once, within the default poll of 2 s.
void BM_PollFifteenDevicesOneDead(benchmark::State &state) { pollDevices(state, true); }
BENCHMARK(BM_PollFifteenDevicesOneDead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);

// 60 000 samples whose channels wander by a step or two.
RecordedHistory fullHistory(HistorySample &last)
{
    std::mt19937 dice(7);
    last.stamp = {packDate(2025, 1, 1), 0};
    last.channels.fill(-10000);
    RecordedHistory history;
    for (int i = 0; i < MaxHistorySamples; ++i) {
        AddSeconds(last.stamp.date, last.stamp.timeMs, 600);
        for (qint32 &channel : last.channels)
            channel += static_cast<qint32>(dice() % 5) - 2;
        history.append(last);
    }
    return history;
}

void BM_AppendToFullHistory(benchmark::State &state)
{
    QTemporaryDir dir;
    HistorySample sample;
    RecordedHistory history = fullHistory(sample);
    const QString path = dir.filePath(QStringLiteral("REPORT.STG"));
    for (auto _ : state) {
        AddSeconds(sample.stamp.date, sample.stamp.timeMs, 600);
        history.append(sample);
        if (replaceFileDurably(path, history.bytes()))
            state.SkipWithError("the write failed");
    }
    state.counters["samples"] = history.sampleCount();
}
BENCHMARK(BM_AppendToFullHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
