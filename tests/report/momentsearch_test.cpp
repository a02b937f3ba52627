// The search for the report's moment: which sample a block gives, the dead zones, the file's blocks.
#include "report/momentsearch.h"

#include "core/services/datafolder.h"
#include "tests/support/historybytes.h"
#include "tests/support/namedcases.h"

#include <QTemporaryDir>

#include <algorithm>
#include <numbers>

namespace {

constexpr PackedDate December5 = packDate(2026, 12, 5);
constexpr quint32 Hour = 3'600'000;
constexpr quint32 Minute = 60'000;
constexpr qint16 Temperature20 = -6000; // (-6000 + 16000) / 500 = 20 degrees

class MomentSearchTest : public testing::Test
{
protected:
    MomentSearchTest()
    {
        for (TankRecord &tank : tanks.records) {
            tank.diameter = 2;
            tank.density20 = 900;
        }
        std::ranges::fill(channels, ChannelPair{0, 1});
        quantities[1].level = 99; // the previous computation's
    }

    MomentSearch compute(const std::array<char, HistoryBlockSize> &block, HistoryStamp target) { return ComputeQuantities(block, target, channels, tanks, quantities); }

    // Base at 08:00 (level 1000) and three delta samples at 08:10, 08:20 and 08:30, each 100 higher.
    static auto threeSamples(int deltaCount = -1, char fill = 0) { return historyBlock({December5, 8 * Hour}, 1000, Temperature20, {{600, 100}, {600, 100}, {600, 100}}, deltaCount, fill); }

    TankTable tanks;
    ChannelPairs channels;
    TankChartRecords records{};
    TankQuantities quantities{};
    QTemporaryDir dir;
};

struct TakenCase
{
    const char *name;
    quint32 target;   // ms of 5 December
    int deltaCount;   // of three written samples
    char fill;        // the stream's bytes after them
    qint32 levelRaw;
};

class TakenSampleTest : public MomentSearchTest, public testing::WithParamInterface<TakenCase>
{};

struct FileCase
{
    const char *name;
    int hour, minute;
    bool shortTail;
    SearchOutcome outcome;
    qint32 levelRaw; // 0: the quantities stay
};

class FindMomentTest : public MomentSearchTest, public testing::WithParamInterface<FileCase>
{};

} // namespace

TEST_P(TakenSampleTest, TakesTheFirstLaterDeltaSampleOrTheLast)
{
    const TakenCase &c = GetParam();
    EXPECT_EQ(compute(threeSamples(c.deltaCount, c.fill), {December5, c.target}).outcome, SearchOutcome::Computed);
    EXPECT_EQ(quantities[1].level, channelValue(c.levelRaw));
}

// With 255 announced samples and a stream of +1 codes after the three, sample j >= 4 lies at
// 08:30:00 + (j - 3) s with level 1300 + j - 3; sample 58 is the last complete one in the block.
INSTANTIATE_TEST_SUITE_P(Targets, TakenSampleTest, testing::Values(
    TakenCase{"BeforeTheFirstDeltaTakesIt", 8 * Hour, -1, 0, 1100},
    TakenCase{"EqualToAMiddleSampleTakesTheNext", 8 * Hour + 10 * Minute, -1, 0, 1200},
    TakenCase{"EqualToTheLastTakesIt", 8 * Hour + 30 * Minute, -1, 0, 1300},
    TakenCase{"EqualToTheThirdOfAnOverrunningBlock", 8 * Hour + 30 * Minute, 255, 1, 1301},
    TakenCase{"AfterAnOverrunningBlockTakesItsLastCompleteSample", 9 * Hour, 255, 1, 1355}),
    caseName<TakenCase>);

TEST_F(MomentSearchTest, DeadZonesChannelsOutsideTheHistoryAndBlocksWithoutDeltaSamples)
{
    tanks.slot(1).deadZoneHeight = 40'000; // mm: above the 34.2 m read
    tanks.slot(2).deadZoneVolume = 1e6;
    channels[3] = {54, -1};
    ASSERT_EQ(compute(threeSamples(), {December5, 8 * Hour}).outcome, SearchOutcome::Computed);
    EXPECT_EQ(quantities[1].level, 40.0L);
    EXPECT_EQ(quantities[2].mass, 0.0L);
    EXPECT_EQ(quantities[3].level, 0.0L);
    EXPECT_EQ(quantities[3].temperature, 0.0L);

    quantities[4] = {3.0L, 30.0L, 0, 0};
    ASSERT_EQ(compute(threeSamples(0), {December5, 9 * Hour}).outcome, SearchOutcome::Computed);
    const long double volume = 4.0L * std::numbers::pi_v<long double> / 4 * 3.0L;
    EXPECT_EQ(quantities[4], (TankQuantity{3.0L, 30.0L, (-10 * 0.0007L + 900) * volume / 1000, volume}));
}

TEST_F(MomentSearchTest, AStepThatFailsTheStampCheckLeavesTheQuantities)
{
    const TankQuantities before = quantities;
    const auto pastTheYears = historyBlock({packDate(2050, 12, 31), 23 * Hour + 55 * Minute}, 0, 0, {{600, 1}});
    const MomentSearch search = compute(pastTheYears, {packDate(2050, 12, 31), 23 * Hour + 59 * Minute});
    EXPECT_EQ(search.outcome, SearchOutcome::StampRejected);
    EXPECT_EQ(search.text, QStringLiteral("INVALID YEAR"));
    EXPECT_EQ(quantities, before);
}

TEST_P(FindMomentTest, TheFirstBlockInFileOrderThatBeginsBeforeTheMoment)
{
    const FileCase &c = GetParam();
    const auto newest = historyBlock({December5, 12 * Hour}, 2000, Temperature20, {{600, 10}});
    const auto older = historyBlock({December5, 8 * Hour}, 1000, Temperature20, {{600, 10}});
    ASSERT_TRUE(writeHistoryFile(dir.filePath(QStringLiteral("REPORT.STG")), {newest, older}, QByteArray(c.shortTail ? 100 : 0, '\0')));
    const MomentSearch search = FindMoment(DataFolder(dir.path()), {5, 12, 2026, c.hour, c.minute}, records, tanks, quantities);
    EXPECT_EQ(search.outcome, c.outcome);
    EXPECT_EQ(quantities[1].level, c.levelRaw == 0 ? 99.0L : channelValue(c.levelRaw));
}

INSTANTIATE_TEST_SUITE_P(Moments, FindMomentTest, testing::Values(
    FileCase{"AfterTheNewestBlockBegins", 13, 0, false, SearchOutcome::Computed, 2010},
    FileCase{"AtTheNewestBlocksBeginning", 12, 0, false, SearchOutcome::Computed, 1010},
    FileCase{"BeforeEveryBlock", 7, 59, false, SearchOutcome::NoBlock, 0},
    FileCase{"ReachingAnIncompleteBlock", 7, 0, true, SearchOutcome::FileFailed, 0}),
    caseName<FileCase>);
