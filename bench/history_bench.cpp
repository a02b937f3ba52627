// LoadTrend of a full history file from the page cache, next to a plain read of the same file.
#include "core/history/historyencoder.h"
#include "core/history/trendseries.h"
#include "core/plant/plantmodel.h"
#include "core/services/datafolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

namespace {

// 60 000 samples 10 minutes apart: every channel wanders by a step or two, now and then it jumps.
QByteArray fullHistoryFile()
{
    std::mt19937 dice(7);
    std::vector<HistorySample> samples(TrendCapacity);
    samples[0].stamp = {packDate(2023, 1, 1), 0};
    samples[0].channels.fill(-10000);
    for (std::size_t i = 1; i < samples.size(); ++i) {
        HistorySample &sample = samples[i] = samples[i - 1];
        AddSeconds(sample.stamp.date, sample.stamp.timeMs, 600);
        for (qint32 &channel : sample.channels)
            channel += dice() % 64 == 0 ? static_cast<qint32>(dice() % 400) - 200 : static_cast<qint32>(dice() % 5) - 2;
        sample.counters[0] += 1;
    }
    return encodeHistoryFile(samples, 600);
}

// The file written once into a temporary folder; the first run brings it into the page cache.
class HistoryFixture : public benchmark::Fixture
{
public:
    void SetUp(const benchmark::State &) override
    {
        if (folder)
            return;
        QFile file(dir.filePath(HistoryFileName));
        const QByteArray bytes = fullHistoryFile();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
        folder = std::make_unique<DataFolder>(dir.path());
        chart.level.channel = 20;
        chart.temperature.channel = 21;
        tank.diameter = 11.5;
        tank.density20 = 920.2;
    }

    QTemporaryDir dir;
    std::unique_ptr<DataFolder> folder;
    TankChartRecord chart;
    TankRecord tank;
    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
};

BENCHMARK_DEFINE_F(HistoryFixture, LoadTrend)(benchmark::State &state)
{
    const TrendRatio ratio{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    for (auto _ : state) {
        const TrendLoad load = LoadTrend(*series, *folder, chart, tank, ratio);
        if (load.problem != TrendProblem::None || series->loadedCount != TrendCapacity)
            state.SkipWithError("the history did not load whole");
    }
    state.SetBytesProcessed(state.iterations() * QFile(folder->filePath(HistoryFileName)).size());
}
BENCHMARK_REGISTER_F(HistoryFixture, LoadTrend)
    ->Args({1, 1})
    ->Args({12, 1})
    ->Args({1, 7})
    ->Unit(benchmark::kMillisecond);

// The limit: the same file read in the same 4096-byte blocks without decoding anything.
BENCHMARK_DEFINE_F(HistoryFixture, PlainRead)(benchmark::State &state)
{
    std::array<char, HistoryBlockSize> block;
    qint64 size = 0;
    for (auto _ : state) {
        QFile file(folder->filePath(HistoryFileName));
        file.open(QIODevice::ReadOnly);
        size = 0;
        while (const qint64 read = file.read(block.data(), static_cast<qint64>(block.size())))
            size += read > 0 ? read : 0;
        benchmark::DoNotOptimize(block);
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK_REGISTER_F(HistoryFixture, PlainRead)->Unit(benchmark::kMillisecond);

} // namespace
