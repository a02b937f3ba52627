// The printed page on the landscape sheet of 3300 x 2550 pixels: its geometry, the print copy's
// cross-hair and read-out, and the curves on paper.
#include "trend/chartpage.h"

#include "core/drawing/canvas.h"
#include "tests/support/imageink.h"
#include "tests/support/namedcases.h"
#include "tests/trend/chartfixture.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

using namespace chartfixture;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRect Plot(513, 340, 2375, 1912); // inside the frame
const QRect TimeBox(1722, 204, 352, 49), VolumeBox(2514, 268, 352, 49); // inside their frames

class ChartPageTest : public testing::Test
{
protected:
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
};

} // namespace

TEST_F(ChartPageTest, TheExampleSheet)
{
    const ChartScale scale = pageScale(2550, 3300);
    EXPECT_EQ(scale.sx, 4.125);
    EXPECT_EQ(scale.sy, 4.25);
    EXPECT_EQ(scale.margin, 127);

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

TEST_F(ChartPageTest, AnInactiveCopyPrintsNoCrossHairAndEmptyBoxes)
{
    const QImage page = print(ReadOut{}, TankRights{86, 1, 1, 1, 1, 1});
    EXPECT_TRUE(inkBounds(page, QRect(520, 1000, 2360, 1)).isNull());
    EXPECT_TRUE(inkBounds(page, TimeBox).isNull());
}

namespace {

struct PageCurveCase
{
    const char *name;
    std::function<long double(int)> value; // by position, 600 samples on a 0..10 scale
    qint32 scaleMax;
    Ink ink;
};

class PageCurveTest : public ChartPageTest, public testing::WithParamInterface<PageCurveCase>
{
};

// The page shows the screen's samples at sx columns each: position 300, in screen column 401,
// lands around column round(401 sx) = 1654.
const PageCurveCase PageCurveCases[] = {
    {"FlatOnTheMinimumIsNotPrinted", [](int) { return 0.0L; }, 10, {}},
    {"FlatOnTheMaximumIsNotPrinted", [](int) { return 10.0L; }, 10, {}},
    {"HalfwayAtRoundedHeight", [](int) { return 5.0L; }, 10, {QRect(513, 2252 - 956, 2375, 1), 2375}},
    {"EqualScaleEndsPrintNothing", [](int) { return 5.0L; }, 0, {}},
    {"ASampleUnderItsScreenColumn", [](int p) { return p == 300 ? 10.0L : 0.0L; }, 10, {QRect(1652, 340, 9, 1912), 9}},
};

} // namespace

TEST_P(PageCurveTest, Heights)
{
    fillSeries(*series, 600, GetParam().value);
    record.level.scaleMax = GetParam().scaleMax;
    const QImage page = print(ReadOut{}, TankRights{86, 1, 0, 0, 0, 1});
    EXPECT_EQ(colourInk(page, Plot, Colours[0]), GetParam().ink);
}
INSTANTIATE_TEST_SUITE_P(Page, PageCurveTest, testing::ValuesIn(PageCurveCases), caseName<PageCurveCase>);
