// The printed page on a landscape sheet of 3300 x 2550 pixels: its geometry, the cross-hair and
// read-out of the print copy, and the curves' heights on paper.
#include "trend/chartpage.h"

#include "core/drawing/canvas.h"
#include "tests/support/imageink.h"
#include "tests/support/namedcases.h"
#include "tests/trend/chartfixture.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace chartfixture;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QDateTime PrintedAt(QDate(2024, 5, 6), QTime(7, 8));

class ChartPageTest : public testing::Test
{
protected:
    ChartPageTest()
        : series(std::make_unique<TrendSeries>())
        , record(chartRecord())
    {
    }

    QImage print(const ReadOut &copy, const TankRights &rights = allRights())
    {
        QImage page(3300, 2550, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        Canvas canvas(painter, 300);
        const ChartInput input{*series, record, QStringLiteral("Suncokretovo ulje"), rights,
                               series->sampleCount - 1, QLocale::c()};
        DrawChartPage(canvas, page.height(), page.width(), input, copy, PrintedAt);
        return page;
    }

    std::unique_ptr<TrendSeries> series;
    TankChartRecord record;
};

int blackRun(const QImage &page, int y, int fromX, int toX)
{
    int run = 0;
    for (int x = fromX; x <= toX; ++x)
        run += page.pixel(x, y) == Black ? 1 : 0;
    return run;
}

} // namespace

TEST_F(ChartPageTest, TheExampleSheet)
{
    const ChartScale scale = pageScale(2550, 3300);
    EXPECT_EQ(scale.sx, 4.125);
    EXPECT_EQ(scale.sy, 4.25);
    EXPECT_EQ(scale.margin, 127);

    ReadOut copy;
    copy.active = true;
    copy.mouse = QPoint(400, 300);
    copy.hour = QStringLiteral("09");
    copy.minute = QStringLiteral("50");
    copy.values[3] = QStringLiteral("1.000 m3");
    const QImage page = print(copy, TankRights{86, 1, 1, 1, 0, 1});

    // The plot's frame spans x 512..2888 and y 339..2252.
    for (const QPoint inside : {QPoint(512, 1000), QPoint(2888, 1000), QPoint(1000, 339), QPoint(1000, 2252)})
        EXPECT_EQ(page.pixel(inside), Black) << inside.x() << "," << inside.y();
    for (const QPoint outside : {QPoint(511, 1000), QPoint(2889, 1000), QPoint(1000, 338), QPoint(1000, 2253)})
        EXPECT_EQ(page.pixel(outside), White) << outside.x() << "," << outside.y();

    // The cross-hair, two pixels wide, at column round(400 * sx) = 1650 and row round(300 * sy) + m = 1402.
    EXPECT_EQ(blackRun(page, 1000, 1640, 1660), 2);
    EXPECT_EQ(page.pixel(1650, 1000), Black);
    EXPECT_EQ(page.pixel(1000, 1402), Black);

    // The time box (1721, 203)-(2075, 254) holds the copied time from round(10 * sx) and
    // round(2 * sy) inside its corner; the volume box stays empty without the right.
    const QRect time = inkBounds(page, QRect(1722, 204, 352, 49));
    EXPECT_GE(time.left(), 1762);
    EXPECT_GE(time.top(), 211);
    EXPECT_EQ(darkest(page, time).blue(), 255);
    EXPECT_TRUE(inkBounds(page, QRect(2514, 268, 352, 49)).isNull());

    // The heading starts at the plot's left edge, 212 pixels above it.
    const QRect heading = inkBounds(page, QRect(0, 100, 1600, 100));
    EXPECT_GE(heading.left(), 512);
    EXPECT_LE(heading.left(), 520);
    EXPECT_GE(heading.top(), 127);
}

TEST_F(ChartPageTest, AnInactiveCopyPrintsNoCrossHairAndEmptyBoxes)
{
    const QImage page = print(ReadOut{});
    EXPECT_EQ(blackRun(page, 1000, 520, 2880), 0);
    EXPECT_TRUE(inkBounds(page, QRect(1722, 204, 352, 49)).isNull());
}

namespace {

struct PageCurveCase
{
    const char *name;
    long double value; // every one of 600 samples, on a 0..10 scale
    qint32 scaleMax;
    int row;           // the level's one row, -1 when it is not printed
};

class PageCurveTest : public ChartPageTest, public testing::WithParamInterface<PageCurveCase>
{
};

const PageCurveCase PageCurveCases[] = {
    {"FlatOnTheMinimumIsNotPrinted", 0.0L, 10, -1},
    {"FlatOnTheMaximumIsNotPrinted", 10.0L, 10, -1},
    {"HalfwayAtRoundedHeight", 5.0L, 10, 2252 - 956},
    {"EqualScaleEndsPrintNothing", 5.0L, 0, -1},
};

} // namespace

TEST_P(PageCurveTest, Heights)
{
    const PageCurveCase &c = GetParam();
    fillSeries(*series, 600, [&c](int) { return c.value; });
    record.level.scaleMax = c.scaleMax;
    const QImage page = print(ReadOut{}, TankRights{86, 1, 0, 0, 0, 1});
    // The level's rows in a column of the plot's middle.
    QList<int> rows;
    for (int y = 339; y <= 2252; ++y)
        if (page.pixel(1700, y) == toQColor(Colours[0]).rgb())
            rows << y;
    EXPECT_EQ(rows, c.row < 0 ? QList<int>() : QList<int>{c.row});
}
INSTANTIATE_TEST_SUITE_P(Page, PageCurveTest, testing::ValuesIn(PageCurveCases), caseName<PageCurveCase>);

TEST_F(ChartPageTest, ColumnsShowTheScreensSamplesAtSxColumnsEach)
{
    // On the screen position 300 stands in column 401, which the page puts at round(401 * sx) = 1654.
    fillSeries(*series, 600, [](int p) { return p == 300 ? 10.0L : 5.0L; });
    const QImage page = print(ReadOut{}, TankRights{86, 1, 0, 0, 0, 1});
    QList<int> peak;
    for (int x = 513; x < 2888; ++x)
        if (page.pixel(x, 340) == toQColor(Colours[0]).rgb())
            peak << x;
    ASSERT_FALSE(peak.isEmpty());
    EXPECT_GE(peak.front(), 1650);
    EXPECT_LE(peak.back(), 1658);
}
