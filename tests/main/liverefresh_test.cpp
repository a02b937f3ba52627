// The live refresh's arithmetic: samples, bars, derived quantities, trends, the lost-connection
// count, the pan and the hover test.
#include "main/liverefresh.h"

#include "core/plant/plantmodel.h"
#include "core/exchange/serverexchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

namespace {

// A plant map whose channel c holds the value c + sample / 1000 at every sample.
PlantMap rampMap()
{
    PlantMap map;
    for (int channel = 1; channel <= SampleTable::Channels; ++channel)
        for (int sample = 1; sample <= SampleTable::Samples; ++sample)
            map.samples.set(channel, sample, channel + sample / 1000.0);
    return map;
}

DisplayElement level(int channel, int tankId)
{
    return {.dataChannel = channel, .rangeMax = 10, .rangeMin = 0, .kind = QStringLiteral("l"), .tankId = tankId,
            .valueFormat = QStringLiteral("%.3f m")};
}

} // namespace

TEST(LiveRefresh, TheCurrentSampleIsAtTheCounterPlus299AndTheCounterWrapsAfter699)
{
    PlantMap map = rampMap();
    map.elements[0] = level(4, 74);
    map.elements[2] = level(60, 74); // beyond the table: no sample
    map.elements[3] = {.dataChannel = 5, .value = 7, .kind = QStringLiteral("h")};
    map.elements[4] = {.dataChannel = 5, .value = 7, .kind = QStringLiteral("d")};
    refreshValues(map, 699, TankTable{}, QLocale::c());
    EXPECT_DOUBLE_EQ(map.elements[0].value, 4.998);
    EXPECT_EQ(map.elements[0].text[0], QStringLiteral("4.998 m"));
    EXPECT_EQ(map.elements[0].text[2], QStringLiteral("4.998 m"));
    EXPECT_EQ(map.elements[0].scaledValue, 500);
    EXPECT_EQ(map.elements[2].value, 0.0);
    EXPECT_EQ(map.elements[3].value, 7.0);
    EXPECT_EQ(map.elements[3].text[2], QStringLiteral("0"));
    EXPECT_EQ(map.elements[4].value, 0.0);
    EXPECT_EQ(nextCycleCounter(698), 699);
    EXPECT_EQ(nextCycleCounter(699), 1);
}

TEST(LiveRefresh, PerMilleRoundsHalvesToEvenAndSurvivesAnEmptyRange)
{
    struct Case { double value, min, max; qint32 expected; };
    for (const Case c : {Case{0.0005, 0, 1, 0}, {0.0015, 0, 1, 2}, {0.0025, 0, 1, 2}, {-1, 0, 1, -1000}, {5, 3, 3, 0},
                         {1e12, 0, 1, 2147483647}, {1e300, 0, 1e-300, 0}})
        EXPECT_EQ(perMille(c.value, c.min, c.max), c.expected) << c.value;
    PlantMap map = rampMap();
    map.elements[0] = level(12, 74); // 12.3 m in a 10 m range
    refreshValues(map, 1, TankTable{}, QLocale::c());
    EXPECT_EQ(map.elements[0].scaledValue, 1000) << "the bar is limited";
}

TEST(LiveRefresh, VolumeRemainingVolumeAndMassFollowTheirTank)
{
    PlantMap map = rampMap();
    TankTable tanks;
    tanks.slot(1) = {.tankId = 74, .diameter = 2, .maxVolume = 10, .density20 = 900};
    tanks.slot(2) = {.tankId = 75, .diameter = 2, .maxVolume = 1, .density20 = 900};
    map.elements[0] = level(1, 74); // 1.3 m at cycle counter 1
    map.elements[1] = {.dataChannel = 30, .kind = QStringLiteral("t"), .tankId = 74}; // 30.3 degrees
    map.elements[2] = {.kind = QStringLiteral("v"), .tankId = 74, .valueFormat = QStringLiteral("%.3f")};
    map.elements[3] = {.kind = QStringLiteral("p"), .tankId = 74, .valueFormat = QStringLiteral("%.3f")};
    map.elements[4] = {.kind = QStringLiteral("m"), .tankId = 74, .valueFormat = QStringLiteral("%.1f t")};
    map.elements[5] = level(2, 75); // 2.3 m: more than the maximum volume
    map.elements[6] = {.kind = QStringLiteral("v"), .tankId = 75};
    map.elements[7] = {.kind = QStringLiteral("p"), .tankId = 75};
    map.elements[8] = {.kind = QStringLiteral("v"), .tankId = 96};
    map.elements[8].text[2] = QStringLiteral("kept");
    refreshValues(map, 1, tanks, QLocale::c());

    const double volume = std::numbers::pi * 1.3;
    EXPECT_DOUBLE_EQ(map.elements[2].value, volume);
    EXPECT_EQ(map.elements[2].text[2], QStringLiteral("4.084"));
    EXPECT_DOUBLE_EQ(map.elements[3].value, 10 - volume);
    EXPECT_DOUBLE_EQ(map.elements[4].value, (900 + 0.0007 * (20 - 30.3)) * volume / 1000);
    EXPECT_EQ(map.elements[4].text[2], QStringLiteral("3.7 t"));
    EXPECT_EQ(map.elements[7].value, 0.0) << "no negative remaining volume";
    EXPECT_EQ(map.elements[8].value, 0.0) << "a volume without its level";
    EXPECT_EQ(map.elements[8].text[2], QStringLiteral("kept"));
}

TEST(LiveRefresh, TrendsSkipElementsWithoutAChannelUpTo53)
{
    PlantMap map = rampMap();
    EXPECT_EQ(nextTrendElement(map, 1), std::nullopt) << "no element with a channel: nothing to fill";
    map.elements[4].dataChannel = 54;
    map.elements[9] = level(2, 74);
    map.elements[2] = level(1, 74);
    EXPECT_EQ(nextTrendElement(map, 4), 10);
    EXPECT_EQ(nextTrendElement(map, 11), 3) << "the search wraps";
    EXPECT_EQ(nextTrendElement(map, 121), 3);
    EXPECT_EQ(trendCursorAfter(120), 1);

    fillTrend(map, 10, 699);
    const TrendHistory &history = map.histories[9];
    EXPECT_EQ(history[0], perMille(2.699, 0, 10));
    EXPECT_EQ(history[299], perMille(2.998, 0, 10));
    EXPECT_EQ(history[300], 0);
    EXPECT_EQ(map.elements[9].trendReady, 1);
}

LiveRecord liveLevels(qint32 raw0, LiveQuality quality1)
{
    LiveRecord record = LiveRecord::unmapped();
    record.raw[0] = raw0;
    record.quality[0] = LiveQuality::Good;
    record.raw[1] = -15000; // 2.0 m
    record.quality[1] = quality1;
    return record;
}

TEST(LiveRefresh, LiveValuesShowTheChannelBeforeTheirNumberAndDashesWithoutAReading)
{
    PlantMap map = rampMap();
    TankTable tanks;
    tanks.slot(1) = {.tankId = 74, .diameter = 2, .maxVolume = 10, .density20 = 900};
    map.elements[0] = level(1, 74);
    map.elements[1] = level(2, 75);
    map.elements[2] = level(60, 76);
    map.elements[3] = {.kind = QStringLiteral("v"), .tankId = 74};
    refreshLiveValues(map, liveLevels(-14000, LiveQuality::Good), tanks, QLocale::c()); // 4.0 m
    EXPECT_EQ(map.elements[0].text[2], QStringLiteral("4.000 m"));
    EXPECT_EQ(map.elements[0].scaledValue, 400);
    EXPECT_DOUBLE_EQ(map.elements[3].value, std::numbers::pi * 4.0);
    EXPECT_EQ(map.elements[2].value, 0.0) << "beyond the 54 channels";
    for (const LiveQuality quality : {LiveQuality::Stale, LiveQuality::Unmapped}) {
        refreshLiveValues(map, liveLevels(-13000, quality), tanks, QLocale::c()); // 6.0 m
        EXPECT_EQ(map.elements[1].text[0], QStringLiteral("---"));
        EXPECT_EQ(map.elements[1].text[2], QStringLiteral("---"));
        EXPECT_EQ(map.elements[1].scaledValue, 200) << "the bar stays";
        EXPECT_EQ(map.elements[1].value, 2.0);
    }
    EXPECT_EQ(map.elements[0].scaledValue, 600);
}

TEST(LiveRefresh, LiveTrendsFillFromTheRightAndLeaveOutMissingReadings)
{
    PlantMap map = rampMap();
    map.elements[0] = level(2, 74);
    fillTrend(map, 1, 1);
    EXPECT_EQ(map.histories[0][0], perMille(2.001, 0, 10)) << "the sample table until live values flow";
    for (int i = 0; i < 3; ++i)
        refreshLiveValues(map, liveLevels(0, i == 1 ? LiveQuality::Stale : LiveQuality::Good), TankTable{}, QLocale::c());
    fillTrend(map, 1, 1);
    const TrendHistory &history = map.histories[0];
    EXPECT_EQ(history[296], NoTrendEntry);
    EXPECT_EQ(history[297], 200);
    EXPECT_EQ(history[298], NoTrendEntry) << "the refresh without a reading";
    EXPECT_EQ(history[299], 200);
    EXPECT_EQ(history[300], 0);
    for (int i = 0; i < 400; ++i)
        refreshLiveValues(map, liveLevels(0, LiveQuality::Good), TankTable{}, QLocale::c());
    fillTrend(map, 1, 1);
    EXPECT_EQ(std::count(history.begin(), history.end() - 1, 200), 300) << "the newest 300 readings";
}

TEST(ConnectionWatch, TheThirdLostConnectionShowsTheNotice)
{
    using enum ConnectionWatch::Action;
    ConnectionWatch watch;
    const std::pair<qint32, ConnectionWatch::Action> steps[] = {{10001, None}, {10001, None}, {10003, ShowStatus},
        {10001, ShowNotice}, {10001, None}, {10000, HideNotice}, {10001, None}, {10001, None}, {10001, ShowNotice}};
    for (std::size_t i = 0; i < std::size(steps); ++i)
        EXPECT_EQ(watch.onStatus(steps[i].first), steps[i].second) << "step " << i;
}

TEST(Pan, DragStepsArePinnedSoThatThePictureCoversTheWindow)
{
    struct Case { QPoint pan, drag; QSize outer; bool normal; QPoint expected; };
    for (const Case &c : {Case{{0, 0}, {-30, -30}, {800, 600}, true, {0, 0}},
                          {{-50, -20}, {10, 5}, {800, 600}, true, {0, 0}}, {{0, 0}, {100, 100}, {400, 300}, true, {-100, -100}},
                          {{-380, 0}, {100, 0}, {400, 300}, true, {-400, 0}}, {{-10, -10}, {5, 5}, {400, 300}, false, {0, 0}}})
        EXPECT_EQ(panAfterRedraw(c.pan, c.drag, c.outer, c.normal), c.expected) << c.drag.x() << "," << c.outer.width();
}

TEST(Hover, TheLastHotSpotOnTheDrawnViewWins)
{
    PlantMap map;
    for (const std::size_t k : {2, 6}) {
        map.elements[k] = {.originX = 100, .originY = 100};
        map.elements[k].boxHot[1] = 1;
        map.elements[k].boxX[1] = 10;
        map.elements[k].boxY[1] = 10;
        map.elements[k].boxWidth[1] = 50;
        map.elements[k].boxHeight[1] = 20;
        map.drawnParts[k][3] = true; // box 2 was on the view
    }
    EXPECT_EQ(elementUnderPointer(map, {130, 120}), 7);
    EXPECT_EQ(elementUnderPointer(map, {110, 120}), std::nullopt) << "the edges do not count";
    EXPECT_EQ(elementUnderPointer(map, {159, 129}), 7);
    map.drawnParts[6][3] = false;
    EXPECT_EQ(elementUnderPointer(map, {130, 120}), 3);
}
