// The screen frame on its pixels: curve heights and the two "no segment" cases, columns without
// samples, the rights, the cross-hair with the read-out, and the scales.
#include "trend/chartframe.h"

#include "tests/support/imageink.h"
#include "tests/support/namedcases.h"
#include "tests/trend/chartfixture.h"
#include "trend/chartgeometry.h"
#include "trend/charttexts.h"

#include <gtest/gtest.h>

#include <memory>

using namespace chartfixture;

namespace {

const QRect PlotAndBelow(123, 50, 578, 452); // the plot with the row just under its frame
const TankRights LevelOnly{86, 1, 0, 0, 0, 1};

class ChartFrameTest : public testing::Test
{
protected:
    // The frame with only the level curve, scrolled to the newest positions.
    QImage render(QPoint mouse = QPoint(0, 0))
    {
        const ChartInput input{*series, record, QString(), LevelOnly, chartScrollRange(series->sampleCount, 1).position, QLocale::c()};
        QImage picture;
        readOut = RenderChartFrame(picture, input, mouse);
        return picture;
    }

    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
    TankChartRecord record = chartRecord();
    ReadOut readOut;
};

struct CurveCase
{
    const char *name;
    std::function<long double(int)> value; // by position, 600 samples
    qint32 scaleMax;                        // the scale starts at 0
    Ink ink;
};

class CurveTest : public ChartFrameTest, public testing::WithParamInterface<CurveCase>
{
};

const CurveCase CurveCases[] = {
    {"FlatOnTheMaximumDisappears", [](int) { return 10.0L; }, 10, {}},
    // The bottom row is also a scale row, whose ticks take the first and the last column.
    {"FlatOnTheMinimumRunsAlongTheBottomEdge", [](int) { return 0.0L; }, 10, {QRect(125, 500, 575, 1), 575}},
    {"WhollyUnderTheScaleDrawsNothing", [](int) { return -5.0L; }, 10, {}},
    {"HalfPixelRoundsToEven", [](int) { return 2.5L; }, 10, {QRect(124, 388, 577, 1), 577}},
    {"AboveTheScaleIsHeldAtTheTop", [](int p) { return p == 300 ? 99.0L : 5.5L; }, 10, {QRect(124, 50, 577, 203), 577}},
    {"UnderTheScaleOnePixelBelowTheFrame", [](int p) { return p == 300 ? -5.0L : 5.5L; }, 10, {QRect(124, 252, 577, 250), 577}},
    {"EqualScaleEndsDrawNothing", [](int) { return 5.0L; }, 0, {}},
};

} // namespace

TEST_P(CurveTest, Heights)
{
    fillSeries(*series, 600, GetParam().value);
    record.level.scaleMax = GetParam().scaleMax;
    EXPECT_EQ(colourInk(render(), PlotAndBelow, Colours[0]), GetParam().ink);
}
INSTANTIATE_TEST_SUITE_P(Frame, CurveTest, testing::ValuesIn(CurveCases), caseName<CurveCase>);

namespace {

struct ReadOutCase
{
    const char *name;
    int samples;
    QPoint mouse;
    bool active;
    const char *time;
    const char *date;
    const char *level;
};

class ReadOutTest : public ChartFrameTest, public testing::WithParamInterface<ReadOutCase>
{
};

// Column x shows position 701 - x (the newest positions of 600 samples); its level is p / 100.
const ReadOutCase ReadOutCases[] = {
    {"InsideThePlot", 600, {400, 300}, true, "09 : 50", "03. 03. 2001", "3.010 m"},
    {"OnTheFrameLines", 600, {124, 500}, true, "11 : 50", "01. 03. 2001", "5.770 m"},
    {"LeftOfTheFrame", 600, {123, 300}, false, "", "", ""},
    {"AboveThePlot", 600, {400, 49}, false, "", "", ""},
    {"PastTheOldestSample", 100, {300, 300}, true, "", "", ""},
};

} // namespace

TEST_P(ReadOutTest, FollowsThePointerWithinTheRights)
{
    const ReadOutCase &c = GetParam();
    fillSeries(*series, c.samples, [](int p) { return p / 100.0L; }, 7.0L);
    const QImage picture = render(c.mouse);
    EXPECT_EQ(readOut.active, c.active);
    EXPECT_EQ(readOut.timeText(), QLatin1String(c.time));
    EXPECT_EQ(readOut.dateText(), QLatin1String(c.date));
    EXPECT_EQ(readOut.values[0], QLatin1String(c.level));
    EXPECT_EQ(readOut.values[1], QString());
    // The cross-hair between the plot's top and the first grid row; no colour of a refused quantity.
    EXPECT_EQ(inkBounds(picture, QRect(c.mouse.x(), 52, 1, 42)).isNull(), !c.active);
    for (const WinColour refused : {Colours[1], Colours[2], Colours[3]})
        EXPECT_EQ(colourInk(picture, picture.rect(), refused).columns, 0);
}
INSTANTIATE_TEST_SUITE_P(Frame, ReadOutTest, testing::ValuesIn(ReadOutCases), caseName<ReadOutCase>);

TEST_F(ChartFrameTest, ColumnsPastTheOldestSampleShowNeitherCurveNorLabels)
{
    EXPECT_EQ(chartScrollRange(10000, 1), (ChartScrollRange{612, 9999, 9999}));
    EXPECT_EQ(chartScrollRange(100, 1), (ChartScrollRange{98, 99, 99})); // the plot reaches past position 100
    fillSeries(*series, 100, [](int) { return 5.5L; }, 2.0L); // past 100: an earlier, longer load
    const QImage picture = render();
    EXPECT_EQ(colourInk(picture, PlotAndBelow, Colours[0]), (Ink{QRect(602, 252, 99, 1), 99}));
    // Time labels stand under columns 604, 652 and 700 only, date labels under 604 and 700.
    EXPECT_GE(inkBounds(picture, QRect(100, 503, 700, 35)).left(), 565);
    // The left scale's unit ends at 114, the right scale's text starts at 710.
    EXPECT_NEAR(inkBounds(picture, QRect(0, 40, 118, 20)).right(), 112, 1);
    EXPECT_NEAR(inkBounds(picture, QRect(706, 40, 94, 20)).left(), 711, 1);
}

namespace {

struct ScaleCase
{
    const char *name;
    std::array<qint32, QuantityCount> axisSides;
    std::array<qint32, 3> massScale; // minimum, maximum, decimals; the others run 0 to 10, no decimals
    const char *labels;              // the left axis from top to bottom
};

class ScaleTest : public testing::TestWithParam<ScaleCase>
{
};

const ScaleCase ScaleCases[] = {
    {"NoQuantityOnTheAxis", {0, 2, 0, 0}, {0, 15, 2}, "100 90 80 70 60 50 40 30 20 10 0"},
    {"TwoDecimals", {0, 2, 1, 0}, {0, 15, 2}, "15.00 13.50 12.00 10.50 9.00 7.50 6.00 4.50 3.00 1.50 0.00"},
    {"EqualEndsShowTheOneValue", {0, 2, 1, 0}, {7, 7, 0}, "7 7 7 7 7 7 7 7 7 7 7"},
    {"LastInQuantityOrderWins", {1, 2, 1, 0}, {-5, 5, 1}, "5.0 4.0 3.0 2.0 1.0 0.0 -1.0 -2.0 -3.0 -4.0 -5.0"},
};

} // namespace

TEST_P(ScaleTest, LeftLabels)
{
    const ScaleCase &c = GetParam();
    TankChartRecord record = chartRecord();
    for (const Quantity quantity : AllQuantities)
        record.settings(quantity).axisSide = c.axisSides[static_cast<std::size_t>(quantity)];
    record.level.decimals = 0;
    record.mass.scaleMin = c.massScale[0];
    record.mass.scaleMax = c.massScale[1];
    record.mass.decimals = c.massScale[2];
    QStringList labels;
    for (int row = 0; row < ChartGeometry::ScaleRows; ++row)
        labels << scaleLabel(axisScale(record, LeftAxis), row, QLocale::c());
    EXPECT_EQ(labels.join(QLatin1Char(' ')), QLatin1String(c.labels));
}
INSTANTIATE_TEST_SUITE_P(Frame, ScaleTest, testing::ValuesIn(ScaleCases), caseName<ScaleCase>);
