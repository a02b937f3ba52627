// LoadTrend on history files in a temporary folder: order, derived quantities, every way a load
// stops, the 60 000-sample limit and the stretching.
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

constexpr int LevelChannel = 5;
constexpr int TemperatureChannel = 9;

// Sample n (1 = the newest of the file) lies (n - 1) * 10 minutes before 6 March 2001 00:05; its
// level is (n mod 4000) / 50 m and its temperature 29.6 + (n mod 4000) / 250 degrees.
HistorySample sampleNumber(int n)
{
    HistorySample sample;
    sample.stamp = {packDate(2001, 3, 6), 300'000};
    EXPECT_EQ(AddSeconds(sample.stamp.date, sample.stamp.timeMs, -600 * (n - 1)), std::nullopt);
    sample.channels[LevelChannel] = n % 4000 * 10 - 16000;
    sample.channels[TemperatureChannel] = 14800 + 2 * (n % 4000) - 16000;
    return sample;
}

// The header, then blocks of the given sizes (base sample included), newest block first.
QByteArray historyFile(const std::vector<int> &blockSizes)
{
    QByteArray file(HistoryHeaderSize, 'H');
    int newest = 1;
    for (const int size : blockSizes) {
        HistoryBlockBuilder builder(sampleNumber(newest + size - 1));
        for (int n = newest + size - 2; n >= newest; --n)
            EXPECT_TRUE(builder.append(600, sampleNumber(n)));
        const auto bytes = builder.bytes();
        file.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
        newest += size;
    }
    return file;
}

class TrendSeriesTest : public testing::Test
{
protected:
    TrendSeriesTest()
    {
        chart.level.channel = LevelChannel;
        chart.temperature.channel = TemperatureChannel;
        tank.diameter = 10;
        tank.density20 = 1000;
    }

    void write(const QByteArray &bytes) const
    {
        QFile file(folder.filePath(HistoryFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    TrendLoad load(TrendRatio ratio = {}) { return LoadTrend(*series, folder, chart, tank, ratio); }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
    TankChartRecord chart;
    TankRecord tank;
    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
};

TEST_F(TrendSeriesTest, PositionOneIsTheNewestAndVolumeAndMassFollowLevelAndTemperature)
{
    write(historyFile({30, 40, 50}));
    ASSERT_EQ(load().problem, TrendProblem::None);
    ASSERT_EQ(series->sampleCount, 120);
    EXPECT_EQ(series->times[1], SampleTime(6, 3, 2001, 0, 5));
    EXPECT_EQ(series->times[2], SampleTime(5, 3, 2001, 23, 55));
    EXPECT_EQ(series->times[120], SampleTime(5, 3, 2001, 4, 15));
    EXPECT_EQ(series->level[31], 31.0L / 50);
    EXPECT_EQ(series->level[100], 2.0L);
    EXPECT_EQ(series->temperature[100], 30.0L);
    EXPECT_NEAR(static_cast<double>(series->volume[100]), 157.0796326794897, 1e-12);
    EXPECT_NEAR(static_cast<double>(series->mass[100]), 157.0785331220609, 1e-12);
}

TEST_F(TrendSeriesTest, ChannelsOutsideTheBlockReadAsZero)
{
    write(historyFile({30}));
    chart.level.channel = ChannelCount;
    chart.temperature.channel = -1;
    load();
    ASSERT_EQ(series->sampleCount, 30);
    EXPECT_EQ(series->level[3], 0.0L);
    EXPECT_EQ(series->temperature[3], 0.0L);
    EXPECT_EQ(series->mass[3], 0.0L);
}

struct ProblemCase
{
    const char *name;
    QByteArray file;
    bool present;
    TrendProblem problem;
    int sampleCount;
    RecordingDialogs::Call report;
};

QByteArray withBadStampInSecondBlock()
{
    QByteArray file = historyFile({20, 20, 20});
    file[HistoryHeaderSize + HistoryBlockSize] = '\0'; // day 0 of the second block's base
    return file;
}

class TrendProblemTest : public TrendSeriesTest, public testing::WithParamInterface<ProblemCase>
{
};

TEST_P(TrendProblemTest, KeepsWhatWasLoadedBeforeTheProblem)
{
    const ProblemCase &c = GetParam();
    write(historyFile({50, 50}));
    load(); // earlier contents must not survive
    QFile::remove(folder.filePath(HistoryFileName));
    if (c.present)
        write(c.file);
    const TrendLoad loaded = load();
    EXPECT_EQ(loaded.problem, c.problem);
    EXPECT_EQ(series->sampleCount, c.sampleCount);
    EXPECT_EQ(series->level[static_cast<std::size_t>(c.sampleCount) + 1], 0.0L);
    RecordingDialogs dialogs;
    reportTrendLoad(loaded, dialogs);
    EXPECT_EQ(dialogs.calls.value(0), c.report);
}

using Kind = RecordingDialogs::Kind;
const QString Skladar = Dialogs::applicationTitle();
INSTANTIATE_TEST_SUITE_P(, TrendProblemTest, testing::Values(
    ProblemCase{"MissingFile", {}, false, TrendProblem::FileMissing, 0, {Kind::Error, QStringLiteral("Fajl REPORT.STG ne postoji."), Skladar}},
    ProblemCase{"HeaderOnly", historyFile({}), true, TrendProblem::None, 0, {}},
    ProblemCase{"ShortHeader", QByteArray(4095, 'H'), true, TrendProblem::ShortBlock, 0,
                {Kind::Error, QStringLiteral("Fajl REPORT.STG se zavrsava nepotpunim blokom."), Skladar}},
    ProblemCase{"ShortLastBlock", historyFile({20, 30}).chopped(1), true, TrendProblem::ShortBlock, 20,
                {Kind::Error, QStringLiteral("Fajl REPORT.STG se zavrsava nepotpunim blokom."), Skladar}},
    ProblemCase{"StampRejected", withBadStampInSecondBlock(), true, TrendProblem::StampRejected, 21,
                {Kind::Message, QStringLiteral("INVALID DAY"), QStringLiteral("Error")}}),
    caseName<ProblemCase>);

TEST_F(TrendSeriesTest, KeepsTheNewest60000SamplesAndReadsNoOlderBlock)
{
    std::vector<int> sizes{30};
    sizes.insert(sizes.end(), 1200, 50);
    QByteArray file = historyFile(sizes);
    file.append(withBadStampInSecondBlock().mid(HistoryHeaderSize));
    write(file);
    EXPECT_EQ(load().problem, TrendProblem::None);
    EXPECT_EQ(series->sampleCount, TrendCapacity);
    const HistoryStamp oldest = sampleNumber(TrendCapacity).stamp;
    const auto minutes = static_cast<qint32>(oldest.timeMs / 60'000);
    EXPECT_EQ(series->times[TrendCapacity],
              SampleTime(dayOf(oldest.date), monthOf(oldest.date), yearOf(oldest.date), minutes / 60, minutes % 60));
}

struct StretchCase
{
    const char *name;
    int samples;
    TrendRatio ratio;
    int stretchedCount;
    int emptyFrom; // the first position past the loaded samples' reach
};

class StretchTest : public TrendSeriesTest, public testing::WithParamInterface<StretchCase>
{
};

// Position p holds the sample ceil(p * dd / mm) when that sample was loaded.
TEST_P(StretchTest, PositionsTakeTheirSourceSamples)
{
    const StretchCase &c = GetParam();
    std::vector<int> sizes(static_cast<std::size_t>(c.samples / 50), 50);
    if (c.samples % 50 != 0)
        sizes.push_back(c.samples % 50);
    write(historyFile(sizes));
    const auto reference = std::make_unique<TrendSeries>();
    ASSERT_EQ(LoadTrend(*reference, folder, chart, tank, {}).problem, TrendProblem::None);
    load(c.ratio);
    const TrendRatio used{std::max(c.ratio.mm, 1), std::max(c.ratio.dd, 1)};
    ASSERT_EQ(series->sampleCount, c.stretchedCount);
    for (int p = 1; p <= c.stretchedCount + 1; ++p) {
        const auto source = static_cast<std::size_t>((p * used.dd + used.mm - 1) / used.mm);
        const bool held = p < c.emptyFrom;
        ASSERT_EQ(series->holdsSample(p), held) << p;
        ASSERT_EQ(series->times[static_cast<std::size_t>(p)], held ? reference->times[source] : SampleTime()) << p;
        ASSERT_EQ(series->mass[static_cast<std::size_t>(p)], held ? reference->mass[source] : 0.0L) << p;
    }
}

INSTANTIATE_TEST_SUITE_P(, StretchTest, testing::Values(
    StretchCase{"FortyAtTwelveToOne", 40, {12, 1}, 480, 481},
    StretchCase{"FortyAtOneToSeven", 40, {1, 7}, 6, 6},
    StretchCase{"OneToFourHalfToEven", 250, {1, 4}, 62, 63},
    StretchCase{"OneToFourHalfToEvenUp", 350, {1, 4}, 88, 88},
    StretchCase{"TermsBelowOneCountAsOne", 100, {0, -3}, 100, 101},
    StretchCase{"FullSeriesStaysWithinTheCapacity", 60000, {12, 1}, 60000, 60001}),
    caseName<StretchCase>);

} // namespace
