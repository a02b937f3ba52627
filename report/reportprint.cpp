// The printed page of the report.
#include "report/reportprint.h"

#include "core/drawing/canvas.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double GridWidth = 800;
constexpr double GridHeight = 1180;
constexpr int PrintFontSize = 10;
constexpr int TitleGrid = 50;     // title at (50, 50)
constexpr int FooterGapGrid = 50; // footer 50 below the last row, at x = 50

// To the nearest integer, halves to even (the default rounding mode).
int roundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

} // namespace

TableGeometry PrintedTable(int width, int height)
{
    const double xs = width / GridWidth;
    const double ys = height / GridHeight;
    const auto x = [xs](int g) { return roundEven(g * xs); };
    const auto y = [ys](int g) { return roundEven(g * ys); };
    const auto scaled = [&x](auto lines) {
        std::ranges::transform(lines, lines.begin(), x);
        return lines;
    };
    return {scaled(ColumnLines(TableColumns, &ReportColumn::pageLine, TableRightLine)),
            scaled(ColumnLines(StockColumns, &ReportColumn::pageLine, StockRightLine)),
            x(10),
            y(2),
            y(20),
            y(100),
            PrintFontSize};
}

QString PrintTitle(const ReportMoment &moment)
{
    return QStringLiteral("Izvestaj o kolicini sirovina u skladarma za : ") + MomentText(moment);
}

QString PrintFooter(const QDateTime &printedAt)
{
    const QDate date = printedAt.date();
    const QTime time = printedAt.time();
    return QStringLiteral("AD \"MERON\" , ZEMIK") + QString(15, u' ') + QString(13, u'_') + QString(13, u' ')
           + DateText(date.day(), date.month(), date.year()) + QStringLiteral(".") + QString(11, u' ')
           + TimeText(time.hour(), time.minute());
}

bool PrintReport(QPaintDevice &page, const ReportContent &content, const ReportMoment &moment,
                 const QDateTime &printedAt, const QLocale &locale)
{
    const int width = page.width();
    const int height = page.height();
    const double xs = width / GridWidth;
    const double ys = height / GridHeight;
    QPainter painter;
    if (!painter.begin(&page))
        return false;
    painter.fillRect(0, 0, width, height, Qt::white);
    Canvas canvas(painter, page.logicalDpiY());
    canvas.state().font.face = QStringLiteral("Arial");
    canvas.state().font.size = PrintFontSize;
    canvas.textOut(roundEven(TitleGrid * xs), roundEven(TitleGrid * ys), PrintTitle(moment));
    const TableExtent extent = DrawReportTable(canvas, PrintedTable(width, height), content, locale);
    canvas.textOut(roundEven(TitleGrid * xs), extent.lastRow + roundEven(FooterGapGrid * ys), PrintFooter(printedAt));
    return painter.end();
}
