// The chart drawn on pixels: on the screen frame the curve heights with the two "no segment" cases,
// columns without samples, the rights, the cross-hair with the read-out and the scales; on the
// 3300 x 2550 landscape sheet the page's geometry, its copied read-out and its curves.
#include "trend/chartframe.h"
#include "trend/chartpage.h"

#include "core/drawing/canvas.h"
#include "tests/support/imageink.h"
#include "trend/chartgeometry.h"
#include "trend/charttexts.h"

#include <QDateTime>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr std::array<WinColour, QuantityCount> Colours{0x0000FF, 0x00C000, 0xC000C0, 0xC08000};

// Every quantity's scale runs from 0 to 10 in unit "m" with width 1; level on the left axis,
// temperature on the right.
TankChartRecord chartRecord()
{
    TankChartRecord record;
    for (const Quantity quantity : AllQuantities)
        record.settings(quantity) = ChartSettings{10, 0, 1, 0, 1, QStringLiteral("m"), Colours[static_cast<std::size_t>(quantity)], 0};
    record.level.axisSide = 1;
    record.temperature.axisSide = 2;
    return record;
}

// count samples with every quantity at value(position); position p was taken p * 10 minutes before
// 5 March 2001, 12:00. The next 1000 positions keep `leftover` values and times, as an earlier
// load might have left them.
void fillSeries(TrendSeries &series, int count, const std::function<long double(int)> &value, long double leftover = 0)
{
    const QDateTime newest(QDate(2001, 3, 5), QTime(12, 0));
    series.sampleCount = series.loadedCount = count;
    for (int p = 1; p <= std::min(count + 1000, TrendCapacity); ++p) {
        const auto i = static_cast<std::size_t>(p);
        series.level[i] = series.temperature[i] = series.mass[i] = series.volume[i] = p <= count ? value(p) : leftover;
        const QDateTime at = newest.addSecs(-600LL * p);
        series.times[i] = {at.date().day(), at.date().month(), at.date().year(), at.time().hour(), at.time().minute()};
    }
}

// Where a colour lies inside an area, and in how many columns.
using Ink = std::pair<QRect, int>;

Ink colourInk(const QImage &picture, QRect area, WinColour colour)
{
    Ink ink;
    for (int x = area.left(); x <= area.right(); ++x) {
        bool found = false;
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (picture.pixel(x, y) == toQColor(colour).rgb()) {
                ink.first |= QRect(x, y, 1, 1);
                found = true;
            }
        ink.second += found ? 1 : 0;
    }
    return ink;
}

const QRect PlotAndBelow(123, 50, 578, 452); // the plot with the row just under its frame
const QRect Plot(513, 340, 2375, 1912);      // the page's plot, inside the frame
const QRect TimeBox(1722, 204, 352, 49), VolumeBox(2514, 268, 352, 49); // inside their frames
const QRgb Black = qRgb(0, 0, 0);
const TankRights LevelOnly{86, 1, 0, 0, 0, 1};

class ChartDrawingTest : public testing::Test
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
    // The page of the newest positions, with the print copy of a read-out.
    QImage print(const ReadOut &copy, const TankRights &rights)
    {
        QImage page(3300, 2550, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        Canvas canvas(painter, 300);
        const ChartInput input{*series, record, QString(), rights, series->sampleCount - 1, QLocale::c()};
        DrawChartPage(canvas, page.height(), page.width(), input, copy, QDateTime(QDate(2024, 5, 6), QTime(7, 8)));
        return page;
    }

    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
    TankChartRecord record = chartRecord();
    ReadOut readOut;
};

TEST_F(ChartDrawingTest, CurveHeightsInTheFrameAndOnThePage)
{
    // 600 samples, by position, on a scale from 0; the page shows the screen's samples at sx columns
    // each: position 300, in screen column 401, lands around column round(401 sx) = 1654.
    const struct { const char *name; bool page; std::function<long double(int)> value; qint32 scaleMax; Ink ink; } cases[] = {
        {"FrameFlatOnTheMaximumDisappears", false, [](int) { return 10.0L; }, 10, {}},
        // The bottom row is also a scale row, whose ticks take the first and the last column.
        {"FrameFlatOnTheMinimumRunsAlongTheBottomEdge", false, [](int) { return 0.0L; }, 10, {QRect(125, 500, 575, 1), 575}},
        {"FrameWhollyUnderTheScaleDrawsNothing", false, [](int) { return -5.0L; }, 10, {}},
        {"FrameHalfPixelRoundsToEven", false, [](int) { return 2.5L; }, 10, {QRect(124, 388, 577, 1), 577}},
        {"FrameAboveTheScaleIsHeldAtTheTop", false, [](int p) { return p == 300 ? 99.0L : 5.5L; }, 10, {QRect(124, 50, 577, 203), 577}},
        {"FrameUnderTheScaleOnePixelBelowTheFrame", false, [](int p) { return p == 300 ? -5.0L : 5.5L; }, 10, {QRect(124, 252, 577, 250), 577}},
        {"FrameEqualScaleEndsDrawNothing", false, [](int) { return 5.0L; }, 0, {}},
        {"PageFlatOnTheMinimumIsNotPrinted", true, [](int) { return 0.0L; }, 10, {}},
        {"PageFlatOnTheMaximumIsNotPrinted", true, [](int) { return 10.0L; }, 10, {}},
        {"PageHalfwayAtRoundedHeight", true, [](int) { return 5.0L; }, 10, {QRect(513, 2252 - 956, 2375, 1), 2375}},
        {"PageASampleUnderItsScreenColumn", true, [](int p) { return p == 300 ? 10.0L : 0.0L; }, 10, {QRect(1652, 340, 9, 1912), 9}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        fillSeries(*series, 600, c.value);
        record.level.scaleMax = c.scaleMax;
        const QImage picture = c.page ? print(ReadOut{}, LevelOnly) : render();
        EXPECT_EQ(colourInk(picture, c.page ? Plot : PlotAndBelow, Colours[0]), c.ink);
        EXPECT_TRUE(!c.page || inkBounds(picture, TimeBox).isNull()) << "the page has no read-out to copy";
    }
}

TEST_F(ChartDrawingTest, TheReadOutFollowsThePointerWithinTheRights)
{
    // Column x shows position 701 - x (the newest positions of 600 samples); its level is p / 100.
    const struct { const char *name; int samples; QPoint mouse; bool active; const char *time, *date, *level; } cases[] = {
        {"InsideThePlot", 600, {400, 300}, true, "09 : 50", "03. 03. 2001", "3.010 m"},
        {"OnTheFrameLines", 600, {124, 500}, true, "11 : 50", "01. 03. 2001", "5.770 m"},
        {"LeftOfTheFrame", 600, {123, 300}, false, "", "", ""},
        {"AboveThePlot", 600, {400, 49}, false, "", "", ""},
        {"PastTheOldestSample", 100, {300, 300}, true, "", "", ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
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
            EXPECT_EQ(colourInk(picture, picture.rect(), refused).second, 0);
    }
}

TEST_F(ChartDrawingTest, ColumnsPastTheOldestSampleShowNeitherCurveNorLabels)
{
    EXPECT_EQ(chartScrollRange(10000, 1), (ChartScrollRange{612, 9999, 9999}));
    EXPECT_EQ(chartScrollRange(100, 1), (ChartScrollRange{98, 99, 99})); // the plot reaches past position 100
    fillSeries(*series, 100, [](int) { return 5.5L; }, 2.0L); // past 100: an earlier, longer load
    const QImage picture = render();
    EXPECT_EQ(colourInk(picture, PlotAndBelow, Colours[0]), (Ink{QRect(602, 252, 99, 1), 99}));
    // Time labels stand under columns 604, 652 and 700 only, date labels under 604 and 700.
    EXPECT_GE(inkBounds(picture, QRect(100, 503, 700, 35)).left(), 565);
}

TEST_F(ChartDrawingTest, TheLeftScaleFollowsTheLastQuantityOnItsAxis)
{
    record.level = ChartSettings{7, 7, 1, 0, 0, QString(), 0, 0};
    record.mass = ChartSettings{15, 0, 1, 0, 2, QString(), 0, 0};
    // The axis sides of level, temperature, mass and volume, and the labels from top to bottom.
    const struct { const char *name; std::array<qint32, QuantityCount> axisSides; const char *labels; } cases[] = {
        {"NoQuantityOnTheAxis", {0, 2, 0, 0}, "100 90 80 70 60 50 40 30 20 10 0"},
        {"EqualEndsShowTheOneValue", {1, 2, 0, 0}, "7 7 7 7 7 7 7 7 7 7 7"},
        {"LastInQuantityOrderWithItsDecimals", {1, 2, 1, 0}, "15.00 13.50 12.00 10.50 9.00 7.50 6.00 4.50 3.00 1.50 0.00"}};
    for (const auto &c : cases) {
        for (const Quantity quantity : AllQuantities)
            record.settings(quantity).axisSide = c.axisSides[static_cast<std::size_t>(quantity)];
        QStringList labels;
        for (int row = 0; row < ChartGeometry::ScaleRows; ++row)
            labels << scaleLabel(axisScale(record, LeftAxis), row, QLocale::c());
        EXPECT_EQ(labels.join(QLatin1Char(' ')), QLatin1String(c.labels)) << c.name;
    }
}

TEST_F(ChartDrawingTest, TheExampleSheet)
{
    EXPECT_EQ(pageScale(2550, 3300).margin, 127);
    ReadOut copy{true, QPoint(400, 300), QStringLiteral("09"), QStringLiteral("50"), {}, {}, {}, {}};
    copy.values[3] = QStringLiteral("1.000 m3");
    const QImage page = print(copy, TankRights{86, 1, 1, 1, 0, 1});
    // The frame spans x 512..2888 and y 339..2252 (212.5 rounds to 212).
    for (const QPoint p : {QPoint(512, 1000), QPoint(2888, 1000), QPoint(1000, 339), QPoint(1000, 2252)})
        EXPECT_EQ(page.pixel(p), Black) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(511, 1000), QPoint(2889, 1000), QPoint(1000, 338), QPoint(1000, 2253)})
        EXPECT_NE(page.pixel(p), Black) << p.x() << "," << p.y();
    // The cross-hair, two pixels wide, at column round(400 sx) = 1650 and row round(300 sy) + m = 1402.
    EXPECT_EQ(inkBounds(page, QRect(1640, 1000, 20, 1)), QRect(1649, 1000, 2, 1));
    EXPECT_EQ(page.pixel(1000, 1402), Black);
    // The copied time in blue, round(10 sx) and round(2 sy) inside its box; no volume without the right.
    const QRect time = inkBounds(page, TimeBox);
    EXPECT_GE(time.left(), 1762);
    EXPECT_GE(time.top(), 211);
    EXPECT_EQ(darkest(page, time).blue(), 255);
    EXPECT_TRUE(inkBounds(page, VolumeBox).isNull());
    // The heading at the plot's left edge, 212 pixels above it.
    EXPECT_NEAR(inkBounds(page, QRect(0, 100, 1600, 100)).left(), 514, 2);
    EXPECT_GE(inkBounds(page, QRect(0, 100, 1600, 100)).top(), 127);
}

} // namespace
