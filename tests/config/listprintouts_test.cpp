// The list printouts drawn into images: page counts, ruling, which rows are filled, the footer.
#include "config/printouts/listprintouts.h"

#include "tests/support/fixedclock.h"
#include "tests/support/imageink.h"
#include "tests/support/pdfpages.h"
#include "tests/support/recordingdialogs.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

const FixedClock Clock6March{QDateTime(QDate(2026, 3, 6), QTime(9, 5))};
const QSize Portrait(850, 1100); // u = 70, r = 21, top = 137
const QSize Landscape(1100, 850); // u = 91, r = 16, top = 141

QImage render(const Printout &printout, int page, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    renderPage(printout, page, image);
    return image;
}

bool inkIn(const QImage &image, QRect area) { return !inkBounds(image, area).isNull(); }

// How many separate stretches of ink a horizontal or vertical segment crosses.
int inkRuns(const QImage &image, QPoint from, QPoint to)
{
    const QPoint step = from.x() == to.x() ? QPoint(0, 1) : QPoint(1, 0);
    int runs = 0;
    bool inside = false;
    for (QPoint p = from; p != to + step; p += step) {
        const bool ink = isInk(image.pixel(p));
        runs += ink && !inside;
        inside = ink;
    }
    return runs;
}

QList<MaterialGridRow> materials(int count)
{
    QList<MaterialGridRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({QString::number(i), u"Ulje %1"_s.arg(i), u"Ulje"_s, u"S%1"_s.arg(i), u"910.000"_s});
    return rows;
}

QList<UserWire> users(int count)
{
    QList<UserWire> list(count);
    for (UserWire &user : list) {
        user.userName = QByteArray("OPERATER").leftJustified(UserNameSize, ' ');
        user.password = "LOZINKA ";
        user.rights[1].nivo = 1;
    }
    return list;
}

TEST(ListPrintouts, PageCountsFollowTheListsWithinTheLimits)
{
    const struct { int count, materialPages, userPages; } cases[] = {
        {0, 1, 1}, {5, 1, 1}, {6, 1, 2}, {32, 1, 7}, {33, 2, 7}, {96, 3, 20}, {100, 3, 20}, {101, 3, 20}};
    for (const auto &c : cases) {
        EXPECT_EQ(materialListPrintout(materials(c.count), Clock6March).pages, c.materialPages) << c.count;
        EXPECT_EQ(userListPrintout(users(c.count), Clock6March).pages, c.userPages) << c.count;
    }
}

TEST(PrintFooter, NamesTheCustomerAndTheTimeOfPrinting)
{
    EXPECT_EQ(printFooter(Clock6March.now()), u" AD \"MERON\" , ZEMIK       Datum : 06. Mart  2026.    Vreme : 09 : 05"_s);
}

// Its rules and column lines are counted on paper below.
TEST(TankListPrintout, ALandscapePageWithNumbersRightInsideTheirCellsCentredInTheirRowsAndTheFooter)
{
    SlotArray<TankGridRow> rows{};
    rows[1] = {u"1"_s, u"R 74"_s, u"12.000"_s, u"100000000000000000000.000"_s, u"0.500"_s, u"200"_s,
               u"11.800"_s, u"1334.000"_s, u"15.580"_s, u"RBD SU"_s};
    const Printout printout = tankListPrintout(rows, Clock6March);
    EXPECT_EQ(printout.orientation, QPageLayout::Landscape);
    const QImage page = render(printout, 1, Landscape);
    EXPECT_TRUE(inkIn(page, QRect(91, 850 - 70, 300, 14))) << "footer";
    const int u = 91, pad = u / 12, rowTop = 141 + 32, rowBottom = rowTop + 32;
    for (int m = 2; m <= 8; ++m) {
        SCOPED_TRACE(m);
        const QRect ink = inkBounds(page, QRect(QPoint(m * u + 2, rowTop + 2), QPoint((m + 1) * u - 2, rowBottom - 2)));
        ASSERT_FALSE(ink.isNull());
        EXPECT_NEAR(ink.right(), (m + 1) * u - pad, 2);
        EXPECT_GE(ink.left(), m * u + pad - 1) << "the long number stays in its cell";
        EXPECT_NEAR(ink.center().y(), (rowTop + rowBottom) / 2, 3);
    }
}

TEST(MaterialListPrintout, ThirtyThreeMaterialsFillPageOneAndOneRowOfPageTwo)
{
    const Printout printout = materialListPrintout(materials(33), Clock6March);
    const int u = 70, r = 21, top = 137, x1 = 70 + 35;
    const auto numberCell = [&](int row) { return QRect(QPoint(u + 3, top + row * r + 8), QPoint(x1 - 3, top + (row + 1) * r - 1)); };
    const QImage second = render(printout, 2, Portrait);
    EXPECT_TRUE(inkIn(render(printout, 1, Portrait), numberCell(32)));
    EXPECT_TRUE(inkIn(second, numberCell(1)));
    EXPECT_FALSE(inkIn(second, numberCell(2)));
}

// Block b's rows on a portrait page: the user line, the tank header and five rights.
QRect blockRow(int block, int row, int left = 73, int right = 850 - 73)
{
    const int top = 137 + (7 * (block - 1) + row) * 21;
    return QRect(QPoint(left, top + 2), QPoint(right, top + 19));
}

TEST(UserListPrintout, SevenUsersFillTwoBlocksOfPageTwoAndNoUsersLeaveTheFirstRuled)
{
    const Printout printout = userListPrintout(users(7), Clock6March);
    ASSERT_EQ(printout.pages, 2);
    const QImage page = render(printout, 2, Portrait);
    const int x1 = 70 + 141, x2 = x1 + 2 * 18;
    for (int block = 1; block <= 5; ++block) {
        EXPECT_EQ(inkIn(page, blockRow(block, 0)), block <= 2) << "user line of block " << block;
        EXPECT_EQ(inkIn(page, blockRow(block, 2, x1 + 2, x2 - 2)), block <= 2) << "level right on R 74, block " << block;
        EXPECT_FALSE(inkIn(page, blockRow(block, 3, x1 + 2, x2 - 2))) << "temperature right on R 74, block " << block;
        EXPECT_TRUE(inkIn(page, blockRow(block, 1))) << "tank header of block " << block;
        EXPECT_EQ(inkRuns(page, QPoint(x1 - 3, blockRow(block, 4).bottom()), QPoint(850 - 67, blockRow(block, 4).bottom())), 16);
    }
    const QImage empty = render(userListPrintout({}, Clock6March), 1, Portrait);
    EXPECT_FALSE(inkIn(empty, blockRow(1, 0)));
    EXPECT_TRUE(inkIn(empty, blockRow(1, 1)));
    EXPECT_EQ(inkRuns(empty, QPoint(850 - 75, 134), QPoint(850 - 75, 137 + 35 * 21 + 3)), 36);
}

// The print command sent to a PDF file, each page as poppler renders it at 100 dpi.
QList<QImage> printedPages(const Printout &printout)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"list.pdf"_s);
    RecordingDialogs dialogs;
    dialogs.printerAnswers = {true};
    dialogs.choosePrinterSettings = [&pdf](QPrinter &printer) { printer.setOutputFileName(pdf); };
    printPrintout(printout, dialogs);
    EXPECT_TRUE(dialogs.calls.size() == 1) << "no error reported";
    return pdfPages(pdf, 100);
}

TEST(ListPrintoutsOnPaper, EveryPageInOneFileWithAllItsRules)
{
    const struct { const char *name; Printout printout; int pages, rules, columnLines; } cases[] = {
        // 15 tank rows under a header, ten column lines; 32 materials under a header, six column
        // lines; five user blocks of seven rows, the frame's two sides running the whole table.
        {"Tanks", tankListPrintout({}, Clock6March), 1, 17, 10},
        {"Materials", materialListPrintout(materials(96), Clock6March), 3, 34, 6},
        {"Users", userListPrintout(users(100), Clock6March), 20, 36, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QList<QImage> pages = printedPages(c.printout);
        ASSERT_EQ(pages.size(), c.pages);
        for (const QImage &page : pages) {
            // Rules run between the margins, 10/12 of the width; column lines down most of the table.
            EXPECT_EQ(longLines(page, page.width() * 10 / 12 * 9 / 10, false).size(), c.rules);
            EXPECT_EQ(longLines(page, page.height() / 4, true).size(), c.columnLines);
        }
    }
}

} // namespace
