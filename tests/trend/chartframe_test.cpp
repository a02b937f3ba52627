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
