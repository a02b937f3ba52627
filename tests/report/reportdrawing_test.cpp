// The report table on the window's picture and on the printed page, checked on pixels.
#include "report/reportdrawing.h"
#include "report/reportprint.h"

#include "core/drawing/canvas.h"
#include "core/plant/demonstrationplant.h"
#include "tests/report/reportfixture.h"
#include "tests/support/imageink.h"

#include <QPainter>

namespace {

class ReportDrawingTest : public testing::Test, public ReportFixture
{
protected:
    ReportDrawingTest()
    {
        PlantModel plant;
        loadDemonstrationPlant(plant);
        tanks = plant.tanks;
        report.rows = BuildReportRows(tanks);
    }

    // Every pixel from x1 up to x2 (excluded) on row y is black, or none is.
    static bool lineAcross(const QImage &image, int x1, int x2, int y)
    {
        for (int x = x1; x < x2; ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return false;
        return true;
    }

    static bool blank(const QImage &image, QRect area) { return inkBounds(image, area).isEmpty(); }

    // The text as the table draws it, alone on a white picture of the same size.
    static QImage textAlone(const QString &text, QPoint at, QSize size, int fontSize, int dpi)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        Canvas canvas(painter, dpi);
        canvas.state().font.face = QStringLiteral("Arial");
        canvas.state().font.size = fontSize;
        canvas.textOut(at.x(), at.y(), text);
        return image;
    }

    static QImage page(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.setDotsPerMeterX(11811); // 300 dpi
        image.setDotsPerMeterY(11811);
        return image;
    }

    TankTable tanks;
    QuantityReport report;
};

} // namespace

TEST_F(ReportDrawingTest, GroupsSumsAndStockCellsOnTheScreen)
{
    report.rows[0].group = report.rows[1].group = 1;
    report.rows[2].group = 3;
    report.quantities[0].mass = 12.34L;
    report.quantities[1].mass = 20.0L;
    report.quantities[2].mass = 5.0L;
    report.stock[0] = 2.5L;
    report.stockView = true;
    GroupsShown shown{};
    shown[0] = shown[2] = true;
    const ReportContent content{tanks, report.quantities, report.stock,
                                CollectReportGroups(report.rows, shown, report.quantities), true};
    QImage picture;
    const TableExtent extent = RenderReport(picture, content, w);

    ASSERT_EQ(picture.size(), QSize(800, 1180));
    EXPECT_EQ(extent.lastRow, 116);
    ASSERT_EQ(extent.stockRows.size(), 2);
    EXPECT_EQ((std::pair{extent.stockRows[0].group, extent.stockRows[0].y}), (std::pair{1, 68}));
    EXPECT_EQ((std::pair{extent.stockRows[1].group, extent.stockRows[1].y}), (std::pair{3, 116}));
    for (const int y : {20, 36, 52, 68, 84, 100, 116, 132})
        EXPECT_TRUE(lineAcross(picture, 50, 500, y)) << "table line at " << y;
    EXPECT_TRUE(blank(picture, QRect(50, 85, 450, 15))) << "one empty row between the groups";
    EXPECT_TRUE(blank(picture, QRect(50, 133, 750, 1047))) << "a single tank has no Zbir row";
    for (const int y : {52, 68, 84, 100, 116, 132})
        EXPECT_TRUE(lineAcross(picture, 540, 700, y)) << "stock line at " << y;
    EXPECT_TRUE(blank(picture, QRect(501, 20, 299, 32))) << "no stock cells beside the tank rows";

    const QRect razlika(621, 69, 78, 15);
    EXPECT_EQ(picture.copy(razlika), textAlone(QStringLiteral("29.8 t"), {630, 69}, picture.size(), 8, 96).copy(razlika));
    const QRect singleRazlika(621, 117, 78, 15);
    EXPECT_EQ(picture.copy(singleRazlika), textAlone(QStringLiteral("5.0 t"), {630, 117}, picture.size(), 8, 96).copy(singleRazlika));
}

TEST_F(ReportDrawingTest, FifteenSingleTankGroupsFitThePrintedPage)
{
    GroupsShown shown{};
    for (std::size_t i = 0; i < shown.size(); ++i) {
        report.rows[i].group = static_cast<int>(i) + 1;
        shown[i] = true;
    }
    const ReportContent content{tanks, report.quantities, report.stock,
                                CollectReportGroups(report.rows, shown, report.quantities), false};
    QImage sheet = page(2400, 3300);
    PrintReport(sheet, content, {5, 12, 2026, 9, 5}, clock.now(), w);

    const TableGeometry geometry = PrintedTable(2400, 3300);
    EXPECT_EQ(geometry.columns[1], 450);
    EXPECT_EQ(geometry.rowHeight, 56);
    for (const int y : {280, 336, 392, 2632, 2688, 2744})
        EXPECT_TRUE(lineAcross(sheet, 150, 1500, y)) << "table line at " << y;
    for (int y = 280; y < 336; ++y)
        ASSERT_TRUE(lineAcross(sheet, 450, 451, y)) << "the wider first column, at " << y;
    EXPECT_FALSE(blank(sheet, QRect(150, 140, 1500, 40))) << "title";
    EXPECT_FALSE(blank(sheet, QRect(150, 2828, 1500, 40))) << "footer";
    EXPECT_TRUE(blank(sheet, QRect(0, 2745, 2400, 83)));
    EXPECT_TRUE(blank(sheet, QRect(0, 2900, 2400, 400)));
}

TEST_F(ReportDrawingTest, WithoutGroupsThePageHoldsTitleAndFooter)
{
    const ReportContent content{tanks, report.quantities, report.stock, {}, true};
    QImage sheet = page(2400, 3300);
    sheet.fill(Qt::black);
    PrintReport(sheet, content, {5, 12, 2026, 9, 5}, clock.now(), w);
    const QRect ink = inkBounds(sheet, QRect(0, 0, 2400, 3300));
    EXPECT_GT(ink.top(), 140) << "the title's cell starts at 140 and the page is white";
    EXPECT_LT(ink.top(), 160);
    EXPECT_TRUE(blank(sheet, QRect(0, 200, 2400, 220)));
    EXPECT_FALSE(blank(sheet, QRect(150, 420, 1500, 40)));
    EXPECT_TRUE(blank(sheet, QRect(0, 470, 2400, 2830)));
}

TEST_F(ReportDrawingTest, TitleAndFooterTexts)
{
    EXPECT_EQ(PrintTitle({5, 12, 2026, 9, 5}, w), QStringLiteral("Izvestaj o kolicini sirovina u skladarma za : 05. 12. 2026.    09 : 05"));
    const QString footer = PrintFooter(QDateTime(QDate(2027, 1, 3), QTime(17, 8)), w);
    EXPECT_EQ(footer.left(59), QStringLiteral("AD \"MERON\" , ZEMIK               _____________             "));
    EXPECT_EQ(footer.mid(59), QStringLiteral("03. 01. 2027.           17 : 08"));
}
