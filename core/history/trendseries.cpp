// LoadTrend: the tank's two channels read block by block, the derived quantities, the stretching.
#include "core/history/trendseries.h"

#include "core/history/channelreading.h"
#include "core/history/historyfile.h"
#include "core/plant/plantmodel.h"
#include "core/services/dialogs.h"

#include <algorithm>
#include <numbers>

namespace {

// One sample of a block as the series takes it.
struct BlockSample
{
    long double level;
    long double temperature;
    SampleTime time;
};

// A block carries its base sample and at most 255 delta samples.
using BlockSamples = std::array<BlockSample, 256>;

// What the tank's geometry and material turn a level and a temperature into.
struct Derivation
{
    long double volumePerMetre; // diameter^2 * pi / 4, m3 per m of level
    long double density20;      // kg/m3
};

void appendSample(TrendSeries &series, const BlockSample &sample, const Derivation &derivation)
{
    const auto p = static_cast<std::size_t>(++series.sampleCount);
    series.level[p] = sample.level;
    series.temperature[p] = sample.temperature;
    series.volume[p] = derivation.volumePerMetre * sample.level;
    series.mass[p] = ((20.0L - sample.temperature) * 0.0007L + derivation.density20) * series.volume[p] / 1000.0L;
    series.times[p] = sample.time;
}

void copyPosition(TrendSeries &series, int from, int to)
{
    const auto f = static_cast<std::size_t>(from);
    const auto t = static_cast<std::size_t>(to);
    series.level[t] = series.level[f];
    series.temperature[t] = series.temperature[f];
    series.mass[t] = series.mass[f];
    series.volume[t] = series.volume[f];
    series.times[t] = series.times[f];
}

void clearPositions(TrendSeries &series, int first, int last)
{
    for (auto p = static_cast<std::size_t>(std::max(first, 1)); p <= static_cast<std::size_t>(std::max(last, 0)); ++p) {
        series.level[p] = series.temperature[p] = series.mass[p] = series.volume[p] = 0.0L;
        series.times[p] = SampleTime{};
    }
}

// Takes the reader's samples in decoding order, returning how many; outcome tells how the block ended.
int decodeBlock(HistoryBlockReader &reader, const TankChartRecord &chart, BlockSamples &samples, BlockStep &outcome)
{
    int count = 0;
    do {
        const HistorySample &sample = reader.sample();
        samples[static_cast<std::size_t>(count++)]
            = {channelReading(sample, chart.level.channel), channelReading(sample, chart.temperature.channel),
               minuteOf(sample.stamp)};
    } while ((outcome = reader.next()) == BlockStep::Sample);
    return count;
}

// Reads blocks in file order, appending each block's samples newest first, until the file ends,
// the series is full or a problem stops the reading.
TrendLoad readSamples(TrendSeries &series, const DataFolder &folder, const TankChartRecord &chart,
                      const Derivation &derivation)
{
    HistoryFile file(folder);
    std::array<char, HistoryBlockSize> block;
    BlockSamples samples;
    while (series.sampleCount < TrendCapacity) {
        const HistoryRead read = file.readBlock(block);
        if (read == HistoryRead::EndOfFile)
            break;
        if (read != HistoryRead::Block) {
            const TrendProblem problem = read == HistoryRead::Missing      ? TrendProblem::FileMissing
                                         : read == HistoryRead::ShortBlock ? TrendProblem::ShortBlock
                                                                           : TrendProblem::ReadFailed;
            return {problem, file.problemText(read)};
        }
        HistoryBlockReader reader(block);
        reader.followOnly({chart.level.channel, chart.temperature.channel});
        BlockStep outcome = BlockStep::End;
        for (int j = decodeBlock(reader, chart, samples, outcome); j-- > 0 && series.sampleCount < TrendCapacity;)
            appendSample(series, samples[static_cast<std::size_t>(j)], derivation);
        if (outcome == BlockStep::StampRejected)
            return {TrendProblem::StampRejected, stampErrorText(reader.stampError())};
    }
    return {};
}

// round(count * mm / dd), half to even.
qint64 stretchedCount(qint64 count, const TrendRatio &ratio)
{
    const qint64 scaled = count * ratio.mm;
    qint64 quotient = scaled / ratio.dd;
    const qint64 twiceRemainder = 2 * (scaled % ratio.dd);
    if (twiceRemainder > ratio.dd || (twiceRemainder == ratio.dd && quotient % 2 == 1))
        ++quotient;
    return quotient;
}

// A stretched sample i covers the positions k - 11 .. k with k = i * mm div dd: twelve positions,
// the most a sample fills at the chart's widest ratio.
constexpr qint64 CoveredBelow = 11;

// The loaded sample that a stretched position shows, or 0; where several samples cover a position
// the smallest i wins.
qint64 sourceOf(qint64 position, qint64 loadedCount, const TrendRatio &ratio)
{
    const qint64 source = (position * ratio.dd + ratio.mm - 1) / ratio.mm;
    const bool reaches = source * ratio.mm / ratio.dd - CoveredBelow <= position;
    return source <= loadedCount && reaches ? source : 0;
}

// Stretches the series in place: growing, each position's source lies at or before it, so the
// positions are filled from the top down; shrinking, at or after it, so from the bottom up.
void stretch(TrendSeries &series, const TrendRatio &ratio)
{
    const int loaded = series.sampleCount;
    const int count = static_cast<int>(std::min<qint64>(stretchedCount(loaded, ratio), TrendCapacity));
    const bool growing = ratio.mm > ratio.dd;
    for (int i = 0; i < count && ratio.mm != ratio.dd; ++i) {
        const int p = growing ? count - i : i + 1;
        const auto source = static_cast<int>(sourceOf(p, loaded, ratio));
        if (source == 0)
            clearPositions(series, p, p);
        else if (source != p)
            copyPosition(series, source, p);
    }
    series.sampleCount = count;
}

} // namespace

void TrendSeries::clear()
{
    sampleCount = loadedCount = 0;
    ratio = TrendRatio{};
    for (TrendArray<long double> *values : {&level, &temperature, &mass, &volume})
        values->fill(0);
    times.fill(SampleTime{});
}

bool TrendSeries::holdsSample(int position) const
{
    return position >= 1 && position <= sampleCount && sourceOf(position, loadedCount, ratio) != 0;
}

TrendLoad LoadTrend(TrendSeries &series, const DataFolder &folder, const TankChartRecord &chart, const TankRecord &tank,
                    TrendRatio ratio)
{
    // Every position up to the new count is written anew; those above it are cleared at the end.
    const int previous = series.sampleCount;
    series.sampleCount = 0;
    const long double diameter = tank.diameter;
    const TrendLoad load = readSamples(series, folder, chart,
                                       {diameter * diameter * std::numbers::pi_v<long double> / 4.0L, tank.density20});
    series.loadedCount = series.sampleCount;
    series.ratio = {std::max(ratio.mm, 1), std::max(ratio.dd, 1)};
    stretch(series, series.ratio);
    clearPositions(series, series.sampleCount + 1, std::max(previous, series.loadedCount));
    return load;
}

void reportTrendLoad(const TrendLoad &load, Dialogs &dialogs)
{
    if (load.problem == TrendProblem::StampRejected)
        dialogs.message(load.text, StampErrorCaption);
    else if (load.problem != TrendProblem::None)
        dialogs.reportError(load.text);
}
