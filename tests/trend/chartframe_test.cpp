// The screen frame on its pixels: curve heights and their two "no segment" cases, scales, columns
// without samples, the rights, the cross-hair and the read-out.
#include "trend/chartframe.h"

#include "tests/support/imageink.h"
#include "tests/support/namedcases.h"
#include "tests/trend/chartfixture.h"
#include "trend/chartgeometry.h"
#include "trend/charttexts.h"

#include <gtest/gtest.h>

using namespace chartfixture;

namespace {

const QRgb LevelColour = toQColor(Colours[0]).rgb();
const QRect PlotAndBelow(123, 50, 578, 452); // the plot with the row just under its frame

class ChartFrameTest : public testing::Test
{
protected:
    ChartFrameTest()
        : series(std::make_unique<TrendSeries>())
        , record(chartRecord())
    {
    }

    // The frame with only the level curve, scrolled to the newest positions.
    QImage render(QPoint mouse = QPoint(0, 0))
    {
        const TankRights levelOnly{86, 1, 0, 0, 0, 1};
        const ChartInput input{*series, record, QStringLiteral("Suncokretovo ulje"), levelOnly,
                               chartScrollRange(series->sampleCount, 1).position, QLocale::c()};
        QImage picture;
        readOut = RenderChartFrame(picture, input, mouse);
        return picture;
    }

    std::unique_ptr<TrendSeries> series;
    TankChartRecord record;
    ReadOut readOut;
};

// The rows over which the level's colour lies, and in how many columns.
struct LevelInk
{
    int top = -1;
    int bottom = -1;
    int columns = 0;
    bool operator==(const LevelInk &) const = default;
};

LevelInk levelInk(const QImage &picture)
{
    LevelInk ink;
    for (int x = PlotAndBelow.left(); x <= PlotAndBelow.right(); ++x) {
        bool inColumn = false;
        for (int y = PlotAndBelow.top(); y <= PlotAndBelow.bottom(); ++y) {
            if (picture.pixel(x, y) != LevelColour)
                continue;
            ink.top = ink.top < 0 ? y : std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            inColumn = true;
        }
        ink.columns += inColumn ? 1 : 0;
    }
    return ink;
}

struct CurveCase
{
    const char *name;
    std::function<long double(int)> value; // by position, 600 samples
    qint32 scaleMax;                        // the scale starts at 0
    LevelInk ink;
};

class CurveTest : public ChartFrameTest, public testing::WithParamInterface<CurveCase>
{
};

const CurveCase CurveCases[] = {
    {"FlatOnTheMaximumDisappears", [](int) { return 10.0L; }, 10, {}},
    // The bottom row is also a scale row, whose ticks take the first and the last column.
    {"FlatOnTheMinimumRunsAlongTheBottomEdge", [](int) { return 0.0L; }, 10, {500, 500, 575}},
    {"WhollyUnderTheScaleDrawsNothing", [](int) { return -5.0L; }, 10, {}},
    {"HalfPixelRoundsToEven", [](int) { return 2.5L; }, 10, {388, 388, 577}},
    {"AboveTheScaleIsHeldAtTheTop", [](int p) { return p == 300 ? 99.0L : 5.5L; }, 10, {50, 252, 577}},
    {"UnderTheScaleOnePixelBelowTheFrame", [](int p) { return p == 300 ? -5.0L : 5.5L; }, 10, {252, 501, 577}},
    {"EqualScaleEndsDrawNothing", [](int) { return 5.0L; }, 0, {}},
};

} // namespace

TEST_P(CurveTest, Heights)
{
    const CurveCase &c = GetParam();
    fillSeries(*series, 600, c.value);
    record.level.scaleMax = c.scaleMax;
    const LevelInk ink = levelInk(render());
    EXPECT_EQ(ink.top, c.ink.top);
    EXPECT_EQ(ink.bottom, c.ink.bottom);
    EXPECT_EQ(ink.columns, c.ink.columns);
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

// The position under column x is 701 - x (600 samples scrolled to the newest); its level is p / 100.
const ReadOutCase ReadOutCases[] = {
    {"InsideThePlot", 600, {400, 300}, true, "09 : 50", "03. 03. 2001", "3.010 m"},
    {"OnTheFrameLines", 600, {124, 500}, true, "11 : 50", "01. 03. 2001", "5.770 m"},
    {"LeftOfTheFrame", 600, {123, 300}, false, "", "", ""},
    {"AboveThePlot", 600, {400, 49}, false, "", "", ""},
    {"PastTheOldestSample", 100, {300, 300}, true, "", "", ""},
};

int crossHairInk(const QImage &picture, int x)
{
    int ink = 0;
    for (int y = 52; y < 94; ++y) // between the plot's top and the first grid row
        ink += picture.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    return ink;
}

} // namespace

TEST_P(ReadOutTest, FollowsThePointer)
{
    const ReadOutCase &c = GetParam();
    fillSeries(*series, c.samples, [](int p) { return p / 100.0L; }, 7.0L);
    const QImage picture = render(c.mouse);
    EXPECT_EQ(readOut.active, c.active);
    EXPECT_EQ(readOut.timeText(), QLatin1String(c.time));
    EXPECT_EQ(readOut.dateText(), QLatin1String(c.date));
    EXPECT_EQ(readOut.values[0], QLatin1String(c.level));
    EXPECT_EQ(crossHairInk(picture, c.mouse.x()) > 0, c.active);
    // Only the level is granted: the other boxes stay empty and the other colours never show.
    EXPECT_EQ(readOut.values[1], QString());
    EXPECT_FALSE(inkBounds(picture, picture.rect()).isNull());
    for (const WinColour colour : {Colours[1], Colours[2], Colours[3]}) {
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_NE(picture.pixel(x, y), toQColor(colour).rgb()) << x << "," << y;
    }
}
INSTANTIATE_TEST_SUITE_P(Frame, ReadOutTest, testing::ValuesIn(ReadOutCases), caseName<ReadOutCase>);

TEST_F(ChartFrameTest, ColumnsPastTheOldestSampleShowNeitherCurveNorLabels)
{
    // 100 samples and, past them, what an earlier and longer load left behind.
    fillSeries(*series, 100, [](int) { return 5.5L; }, 2.0L);
    const QImage picture = render();
    const LevelInk ink = levelInk(picture);
    EXPECT_EQ(ink.top, 252);
    EXPECT_EQ(ink.bottom, 252);
    EXPECT_EQ(ink.columns, 99); // columns 602..700 show positions 99..1 and their neighbours
    // Time labels stand under columns 604, 652 and 700 only, date labels under 604 and 700.
    EXPECT_GE(inkBounds(picture, QRect(100, 503, 700, 35)).left(), 565);
}

struct ScaleCase
{
    const char *name;
    std::array<qint32, QuantityCount> axisSides;
    qint32 scaleMin; // of the mass; the other quantities run from 0 to 10 without decimals
    qint32 scaleMax;
    qint32 decimals;
    const char *labels; // the left axis from top to bottom
};

class ScaleTest : public testing::TestWithParam<ScaleCase>
{
};

const ScaleCase ScaleCases[] = {
    {"NoQuantityOnTheAxis", {0, 2, 0, 0}, 0, 15, 2, "100 90 80 70 60 50 40 30 20 10 0"},
    {"TwoDecimals", {0, 2, 1, 0}, 0, 15, 2, "15.00 13.50 12.00 10.50 9.00 7.50 6.00 4.50 3.00 1.50 0.00"},
    {"EqualEndsShowTheOneValue", {0, 2, 1, 0}, 7, 7, 0, "7 7 7 7 7 7 7 7 7 7 7"},
    {"LastInQuantityOrderWins", {1, 2, 1, 0}, -5, 5, 1, "5.0 4.0 3.0 2.0 1.0 0.0 -1.0 -2.0 -3.0 -4.0 -5.0"},
};

TEST_P(ScaleTest, LeftLabels)
{
    const ScaleCase &c = GetParam();
    TankChartRecord record = chartRecord();
    for (const Quantity quantity : AllQuantities)
        record.settings(quantity).axisSide = c.axisSides[static_cast<std::size_t>(quantity)];
    record.level.decimals = 0;
    record.mass.scaleMin = c.scaleMin;
    record.mass.scaleMax = c.scaleMax;
    record.mass.decimals = c.decimals;
    const AxisScale scale = axisScale(record, LeftAxis);
    QStringList labels;
    for (int row = 0; row < ChartGeometry::ScaleRows; ++row)
        labels << scaleLabel(scale, row, QLocale::c());
    EXPECT_EQ(labels.join(QLatin1Char(' ')), QLatin1String(c.labels));
}
INSTANTIATE_TEST_SUITE_P(Frame, ScaleTest, testing::ValuesIn(ScaleCases), caseName<ScaleCase>);

TEST_F(ChartFrameTest, ScaleTextsEndAtTheLeftMarginAndStartAtTheRightOne)
{
    fillSeries(*series, 600, [](int) { return 5.5L; });
    const QImage picture = render();
    const QRect left = inkBounds(picture, QRect(0, 40, 118, 20));
    const QRect right = inkBounds(picture, QRect(706, 40, 94, 20));
    EXPECT_GE(left.right(), 110);
    EXPECT_LE(left.right(), 113);
    EXPECT_GE(right.left(), 710);
    EXPECT_LE(right.left(), 712);
}
