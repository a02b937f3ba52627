// LoadTrend on history files in a temporary folder: order, derived quantities, every way a load
// stops, the stretching and the 60 000-sample limit.
#include "core/history/trendseries.h"

#include "core/history/historyencoder.h"
#include "core/plant/plantmodel.h"
#include "core/services/datafolder.h"
#include "tests/support/namedcases.h"
#include "tests/support/recordingdialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

// Sample n (1 = the newest of the file) lies (n - 1) * 10 minutes before 6 March 2001 00:05; its
// level (channel 5) is (n mod 4000) / 50 m and its temperature (channel 9) 29.6 + (n mod 4000) / 250.
HistorySample sampleNumber(int n)
{
    HistorySample sample;
    sample.stamp = {packDate(2001, 3, 6), 300'000};
    AddSeconds(sample.stamp.date, sample.stamp.timeMs, -600 * (n - 1));
    sample.channels[5] = n % 4000 * 10 - 16000;
    sample.channels[9] = 14800 + 2 * (n % 4000) - 16000;
    return sample;
}

SampleTime timeOf(int n)
{
    const auto [date, timeMs] = sampleNumber(n).stamp;
    return {dayOf(date), monthOf(date), yearOf(date), static_cast<qint32>(timeMs / 3'600'000), static_cast<qint32>(timeMs / 60'000 % 60)};
}

// The header, then blocks of the given numbers of samples, newest block first.
QByteArray historyFile(const std::vector<int> &blockSizes)
{
    QByteArray file(HistoryHeaderSize, 'H');
    int newest = 1;
    for (const int size : blockSizes) {
        HistoryBlockBuilder builder(sampleNumber(newest + size - 1));
        for (int n = newest + size - 2; n >= newest; --n)
            EXPECT_TRUE(builder.append(600, sampleNumber(n)));
        file.append(builder.bytes().data(), HistoryBlockSize);
        newest += size;
    }
    return file;
}

QByteArray withBadStampInSecondBlock()
{
    QByteArray file = historyFile({20, 20, 20});
    file[HistoryHeaderSize + HistoryBlockSize] = '\0'; // day 0 of the second block's base
    return file;
}

class TrendSeriesTest : public testing::Test
{
protected:
    void write(const QByteArray &bytes) const
    {
        QFile file(folder.filePath(HistoryFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    TrendLoad load(TrendRatio ratio = {}) { return LoadTrend(*series, folder, chart, tank, ratio); }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
    TankChartRecord chart{.level{.channel = 5}, .temperature{.channel = 9}};
    TankRecord tank{.diameter = 10, .density20 = 1000};
    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
};

TEST_F(TrendSeriesTest, PositionOneIsTheNewestAndVolumeAndMassFollowLevelAndTemperature)
{
    write(historyFile({30, 40, 50}));
    ASSERT_EQ(load().problem, TrendProblem::None);
    ASSERT_EQ(series->sampleCount, 120);
    EXPECT_EQ(std::vector({series->times[1], series->times[2], series->times[120]}),
              std::vector({SampleTime{6, 3, 2001, 0, 5}, SampleTime{5, 3, 2001, 23, 55}, SampleTime{5, 3, 2001, 4, 15}}));
    EXPECT_EQ(std::vector({series->level[31], series->level[100], series->temperature[100]}), std::vector({31.0L / 50, 2.0L, 30.0L}));
    EXPECT_NEAR(static_cast<double>(series->volume[100]), 157.0796326794897, 1e-12);
    EXPECT_NEAR(static_cast<double>(series->mass[100]), 157.0785331220609, 1e-12);

    chart.level.channel = ChannelCount;
    chart.temperature.channel = -1;
    load();
    EXPECT_EQ(std::vector({series->level[3], series->temperature[3]}), std::vector({0.0L, 0.0L})) << "channels outside the block";
}

TEST_F(TrendSeriesTest, AProblemKeepsWhatWasLoadedBeforeIt)
{
    using enum RecordingDialogs::Kind;
    const struct { const char *name; std::optional<QByteArray> file; TrendProblem problem; int sampleCount; RecordingDialogs::Call report; } cases[] = {
        {"MissingFile", std::nullopt, TrendProblem::FileMissing, 0, {Error, u"Fajl REPORT.STG ne postoji."_s, u"Skladar"_s}},
        {"HeaderOnly", historyFile({}), TrendProblem::None, 0, {}},
        {"ShortLastBlock", historyFile({20, 30}).chopped(1), TrendProblem::ShortBlock, 20,
         {Error, u"Fajl REPORT.STG se zavrsava nepotpunim blokom."_s, u"Skladar"_s}},
        {"StampRejected", withBadStampInSecondBlock(), TrendProblem::StampRejected, 21, {Message, u"INVALID DAY"_s, u"Error"_s}}};
    for (const auto &c : cases) {
        write(historyFile({50, 50}));
        load(); // its samples must not survive
        QFile::remove(folder.filePath(HistoryFileName));
        if (c.file)
            write(*c.file);
        const TrendLoad loaded = load();
        EXPECT_EQ(loaded.problem, c.problem) << c.name;
        EXPECT_EQ(series->sampleCount, c.sampleCount) << c.name;
        EXPECT_EQ(series->level[static_cast<std::size_t>(c.sampleCount) + 1], 0.0L) << c.name;
        RecordingDialogs dialogs;
        reportTrendLoad(loaded, dialogs);
        EXPECT_EQ(dialogs.calls.value(0), c.report) << c.name;
    }
}

// emptyFrom: the first position past the loaded samples' reach.
struct StretchCase { const char *name; int samples; TrendRatio ratio; int stretchedCount; int emptyFrom; };
class StretchTest : public TrendSeriesTest, public testing::WithParamInterface<StretchCase> {};

// Position p holds the sample ceil(p * dd / mm) when that sample was loaded; beyond 60 000
// samples the blocks are not read (the last two carry a stamp that fails its check).
TEST_P(StretchTest, PositionsTakeTheirSourceSamples)
{
    const StretchCase &c = GetParam();
    std::vector<int> sizes(static_cast<std::size_t>(c.samples / 40), 40);
    if (c.samples % 40 != 0)
        sizes.push_back(c.samples % 40);
    write(historyFile(sizes) + (c.samples > TrendCapacity ? withBadStampInSecondBlock().mid(HistoryHeaderSize) : QByteArray()));
    EXPECT_EQ(load(c.ratio).problem, TrendProblem::None);
    const TrendRatio used{std::max(c.ratio.mm, 1), std::max(c.ratio.dd, 1)};
    ASSERT_EQ(series->sampleCount, c.stretchedCount);
    for (int p = 1; p <= c.stretchedCount + 1; ++p) {
        const int source = (p * used.dd + used.mm - 1) / used.mm;
        const bool held = p < c.emptyFrom;
        ASSERT_EQ(series->holdsSample(p), held) << p;
        if (p <= TrendCapacity) {
            ASSERT_EQ(series->times[static_cast<std::size_t>(p)], held ? timeOf(source) : SampleTime{}) << p;
        }
    }
}

const StretchCase StretchCases[] = {{"FortyAtTwelveToOne", 40, {12, 1}, 480, 481}, {"FortyAtOneToSeven", 40, {1, 7}, 6, 6},
    {"OneToFourHalfToEvenDown", 250, {1, 4}, 62, 63}, {"OneToFourHalfToEvenUp", 350, {1, 4}, 88, 88},
    {"TermsBelowOneCountAsOne", 100, {0, -3}, 100, 101}, {"FullSeriesStaysWithinTheCapacity", 60000, {12, 1}, 60000, 60001},
    {"TheNewest60000AreKept", 60030, {1, 1}, 60000, 60001}};
INSTANTIATE_TEST_SUITE_P(, StretchTest, testing::ValuesIn(StretchCases), caseName<StretchCase>);

} // namespace
