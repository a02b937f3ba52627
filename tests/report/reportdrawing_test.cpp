// The report table on the window's picture and on the printed page, checked on pixels.
#include "report/reportdrawing.h"
#include "report/reportprint.h"

#include "core/plant/demonstrationplant.h"
#include "tests/report/reportfixture.h"
#include "tests/support/imageink.h"

namespace {

class ReportDrawingTest : public testing::Test, public ReportFixture
{
protected:
    // The groups of the slots (0: none).
    ReportContent content(const SlotArray<int> &groupOfSlot, bool stockView)
    {
        ReportRows rows = BuildReportRows(tanks);
        GroupsShown shown{};
        for (int slot = 1; slot <= TankCount; ++slot) {
            rows[slot].group = groupOfSlot[slot];
            if (groupOfSlot[slot] > 0)
                shown[groupOfSlot[slot]] = true;
        }
        return {tanks, quantities, stock, CollectReportGroups(rows, shown, quantities), stockView};
    }

    // Every pixel from x1 up to x2 (excluded) on row y is black.
    static bool lineAcross(const QImage &image, int x1, int x2, int y)
    {
        for (int x = x1; x < x2; ++x)
            if (image.pixel(x, y) != qRgb(0, 0, 0))
                return false;
        return true;
    }

    static bool blank(const QImage &image, QRect area) { return inkBounds(image, area).isEmpty(); }

    // A 2400 x 3300 page at 300 dpi, black before printing.
    QImage print(const ReportContent &printed)
    {
        QImage sheet(2400, 3300, QImage::Format_RGB32);
        sheet.setDotsPerMeterX(11811);
        sheet.setDotsPerMeterY(11811);
        sheet.fill(Qt::black);
        EXPECT_TRUE(PrintReport(sheet, printed, {5, 12, 2026, 9, 5}, clock.now(), QLocale::c()));
        return sheet;
    }

    TankTable tanks = [] { PlantModel plant; loadDemonstrationPlant(plant); return plant.tanks; }();
    TankQuantities quantities{};
    GroupStock stock{};
};

} // namespace

TEST_F(ReportDrawingTest, GroupsSumsAndStockCellsOnTheScreen)
{
    quantities[1].mass = 12.34L;
    quantities[2].mass = 20.0L;
    quantities[3].mass = 5.0L;
    stock[1] = 12.34L;
    QImage picture;
    const TableExtent extent = RenderReport(picture, content({1, 1, 3}, true), QLocale::c());

    EXPECT_EQ(extent.lastRow, 116);
    ASSERT_EQ(extent.stockRows.size(), 2);
    EXPECT_EQ(extent.stockRows[0].y, 68) << "beside the Zbir row";
    EXPECT_EQ(extent.stockRows[1].group, 3);
    for (const int y : {20, 36, 52, 68, 84, 100, 116, 132})
        EXPECT_TRUE(lineAcross(picture, 50, 500, y)) << "table line at " << y;
    EXPECT_TRUE(blank(picture, QRect(50, 85, 450, 15))) << "one empty row between the groups";
    EXPECT_TRUE(blank(picture, QRect(50, 133, 750, 1047))) << "a single tank has no Zbir row";
    for (const int y : {52, 68, 84, 100, 116, 132})
        EXPECT_TRUE(lineAcross(picture, 540, 700, y)) << "stock line at " << y;
    EXPECT_TRUE(blank(picture, QRect(501, 20, 299, 32))) << "no stock cells beside the tank rows";

    const auto cell = [&picture](int x, int y) { return picture.copy(x + 1, y + 1, 78, 15); };
    EXPECT_EQ(cell(620, 68), cell(420, 52)) << "Razlika: Zbir 32.3 t - Stanje 12.3 t = 20.0 t, tank 75's mass";
    EXPECT_EQ(cell(540, 68), cell(420, 36)) << "Stanje: 12.3 t, tank 74's mass";
    EXPECT_EQ(cell(620, 116), cell(420, 116)) << "a single tank's Razlika is its own mass";
}

TEST_F(ReportDrawingTest, AnUnknownTankLeavesItsMassItsGroupsSumAndDifferenceEmpty)
{
    quantities[1].mass = 12.34L;
    quantities[2].known = false; // past the end of a short "Report.rez"
    stock[1] = 12.34L;
    QImage picture;
    RenderReport(picture, content({1, 1}, true), QLocale::c());
    const auto textIn = [&picture](int x, int y) { return !blank(picture, QRect(x + 2, y + 2, 76, 13)); };
    EXPECT_TRUE(textIn(420, 36)) << "tank 74's mass";
    EXPECT_FALSE(textIn(420, 52)) << "tank 75's mass";
    EXPECT_FALSE(textIn(420, 68)) << "the Zbir";
    EXPECT_TRUE(textIn(540, 68)) << "the Stanje typed";
    EXPECT_FALSE(textIn(620, 68)) << "the Razlika";
}

TEST_F(ReportDrawingTest, FifteenSingleTankGroupsFitThePrintedPageAndNoGroupLeavesTitleAndFooter)
{
    const QImage sheet = print(content({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, false));
    for (const int y : {280, 336, 392, 2632, 2688, 2744})
        EXPECT_TRUE(lineAcross(sheet, 150, 1500, y)) << "table line at " << y;
    for (int y = 280; y < 336; ++y)
        ASSERT_TRUE(lineAcross(sheet, 450, 451, y)) << "the wider first column, at " << y;
    EXPECT_FALSE(blank(sheet, QRect(150, 140, 1500, 40))) << "title";
    EXPECT_FALSE(blank(sheet, QRect(150, 2828, 1500, 40))) << "footer";
    EXPECT_TRUE(blank(sheet, QRect(0, 2745, 2400, 83)));
    EXPECT_TRUE(blank(sheet, QRect(0, 2900, 2400, 400)));

    const QImage empty = print(content({}, true));
    EXPECT_TRUE(blank(empty, QRect(0, 0, 2400, 140))) << "the page is filled white";
    EXPECT_TRUE(blank(empty, QRect(0, 200, 2400, 220)));
    EXPECT_FALSE(blank(empty, QRect(150, 420, 1500, 40))) << "footer 50 below the first row";
    EXPECT_TRUE(blank(empty, QRect(0, 470, 2400, 2830)));
}
