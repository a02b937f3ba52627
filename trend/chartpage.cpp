// The trend chart on a printed page.
#include "trend/chartpage.h"

#include "core/drawing/canvas.h"
#include "core/text/numberformat.h"
#include "trend/chartgeometry.h"
#include "trend/chartparts.h"

#include <QLine>
#include <QPagedPaintDevice>
#include <QPainter>

#include <vector>

using namespace ChartGeometry;

namespace {

constexpr int DesignWidth = 800;
constexpr int DesignHeight = 600;
constexpr int MarginDivisor = 20;

// The company and the tank above the plot, in Arial bold 10; the company part is 46 characters.
const QString Company = QStringLiteral("Rezervoarsko skladiste  AD \"MERON\" , Zemik    ");
constexpr int HeadingSize = 10;
constexpr int HeadingRaise = 50;

// Time labels round(5 * sx) and date labels round(20 * sy) below the plot; legends round(25 * sx)
// and round(10 * sx) above it.
constexpr int TimeGap = 5;
constexpr int DateGap = 20;
constexpr int UpperLegendRaise = 25;
constexpr int LowerLegendRaise = 10;
constexpr int CrossHairWidth = 2;

// The plot's edges on the page.
struct PagePlot
{
    int left;
    int right;
    int top;
    int bottom;
};

PagePlot pagePlot(const ChartScale &scale)
{
    return {scale.column(PlotLeft), scale.column(PlotRight), scale.row(PlotTop), scale.row(PlotBottom)};
}

// The read-out panel over the plot's top right: three columns of boxes between design columns 412,
// 508, 604 and the plot's right edge, two rows between 32, 20, 17 and 5 design rows above the plot.
ReadOutLayout pageReadOut(const ChartScale &scale, const PagePlot &plot)
{
    const int inset = scale.width(5);
    const std::array<int, 4> edges{scale.column(412), scale.column(508), scale.column(604), plot.right};
    const std::array<int, 4> rows{plot.top - scale.height(32), plot.top - scale.height(20), plot.top - scale.height(17),
                                  plot.top - scale.height(5)};
    ReadOutLayout layout;
    layout.panel = {edges[0], plot.top - scale.height(35), plot.right, plot.top - scale.height(2)};
    for (std::size_t column = 0; column < 3; ++column) {
        for (std::size_t row = 0; row < 2; ++row)
            layout.boxes[2 * column + row]
                = {edges[column] + inset, rows[2 * row], edges[column + 1] - inset, rows[2 * row + 1]};
    }
    layout.textOffset = QPoint(scale.width(10), scale.height(2));
    return layout;
}

// One curve: the printer column x' shows position round((c' - (round(p * sx) - (right' - x'))) / sx)
// and draws to x' - 1 at the next position; both heights at 0 or both at the top draw nothing.
void drawPageCurve(Canvas &canvas, const ChartScale &scale, const PagePlot &plot, const ChartInput &input,
                   Quantity quantity)
{
    const ChartSettings &settings = input.record.settings(quantity);
    const int top = scale.height(PlotHeight);
    const CurveScale heights = curveScale(settings, static_cast<long double>(PlotHeight) * scale.sy, 0, top);
    if (!heights.drawable())
        return;
    const TrendSeries &series = input.series;
    const TrendArray<long double> &values = series.values(quantity);
    const int pageCount = scale.width(series.sampleCount);
    const int pageScroll = scale.width(input.scrollPosition);
    std::vector<QLine> segments;
    segments.reserve(static_cast<std::size_t>(plot.right - plot.left + 1));
    for (int x = plot.right; x >= plot.left; --x) {
        const int position = roundHalfEven((pageCount - (pageScroll - (plot.right - x))) / scale.sx);
        if (!series.holdsSample(position) || !series.holdsSample(position + 1))
            continue;
        const int from = heights.heightOf(values[static_cast<std::size_t>(position)]);
        const int to = heights.heightOf(values[static_cast<std::size_t>(position + 1)]);
        if (from == to && (from == 0 || from == top))
            continue;
        segments.emplace_back(x, plot.bottom - from, x - 1, plot.bottom - to);
    }
    canvas.state().pen = CanvasPen{settings.curveColour, settings.lineWidth, PenStyle::Solid};
    canvas.lines(segments);
}

QString printingStamp(const QDateTime &printedAt)
{
    const QDate date = printedAt.date();
    const QTime time = printedAt.time();
    const QString separator = QStringLiteral(". ");
    return TwoDigits(static_cast<quint16>(date.day())) + separator + TwoDigits(static_cast<quint16>(date.month()))
           + separator + FormatInteger(date.year()) + QStringLiteral(".     ")
           + TwoDigits(static_cast<quint16>(time.hour())) + QStringLiteral(" : ")
           + TwoDigits(static_cast<quint16>(time.minute()));
}

void drawHeading(Canvas &canvas, const ChartScale &scale, const PagePlot &plot, const ChartInput &input,
                 const QDateTime &printedAt)
{
    CanvasState &state = canvas.state();
    state.font = CanvasFont{QStringLiteral("Arial"), HeadingSize, WinBlack, true};
    state.transparentText = true;
    state.textAlign = TextAlign::Left | TextAlign::Top;
    canvas.textOut(plot.left, plot.top - scale.height(HeadingRaise),
                   Company + input.record.chartTitle + QStringLiteral("   ") + input.materialKind
                       + QStringLiteral("     ") + printingStamp(printedAt));
}

// The copied read-out's texts; a quantity's only with the right to see it.
std::array<QString, 6> copiedTexts(const ReadOut &copy, const TankRights &rights)
{
    if (!copy.active)
        return {};
    std::array<QString, 6> texts = readOutTexts(copy);
    for (const Quantity quantity : AllQuantities) {
        if (!maySee(rights, quantity))
            texts[2 + static_cast<std::size_t>(quantity)].clear();
    }
    return texts;
}

} // namespace

ChartScale pageScale(int height, int width)
{
    return ChartScale{static_cast<double>(width) / DesignWidth, static_cast<double>(height) / DesignHeight,
                      height / MarginDivisor};
}

void DrawChartPage(Canvas &canvas, int height, int width, const ChartInput &input, const ReadOut &printCopy,
                   const QDateTime &printedAt)
{
    const ChartScale scale = pageScale(height, width);
    const PagePlot plot = pagePlot(scale);
    canvas.state().brushClear = false;
    canvas.state().brushColour = WinWhite;
    canvas.fillRect(plot.left, plot.top, plot.right, plot.bottom);
    drawPlotFrame(canvas, scale);
    for (const Quantity quantity : AllQuantities) {
        if (maySee(input.rights, quantity))
            drawPageCurve(canvas, scale, plot, input, quantity);
    }
    drawTimeLabels(canvas, scale, input, scale.width(TimeGap), scale.height(DateGap));
    drawScales(canvas, scale, input);
    drawHeading(canvas, scale, plot, input, printedAt);
    drawLegends(canvas, scale, input, plot.top - scale.width(UpperLegendRaise),
                plot.top - scale.width(LowerLegendRaise));
    if (printCopy.active)
        drawCrossHair(canvas, scale, printCopy.mouse, CrossHairWidth);
    drawReadOutPanel(canvas, pageReadOut(scale, plot), copiedTexts(printCopy, input.rights));
}

bool PrintChartPage(QPagedPaintDevice &device, const ChartInput &input, const ReadOut &printCopy,
                    const QDateTime &printedAt)
{
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    Canvas canvas(painter, device.logicalDpiY());
    DrawChartPage(canvas, device.height(), device.width(), input, printCopy, printedAt);
    return painter.end();
}
