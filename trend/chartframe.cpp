// One frame of the trend chart as the window shows it.
#include "trend/chartframe.h"

#include "core/drawing/canvas.h"
#include "trend/chartgeometry.h"
#include "trend/chartparts.h"
#include "trend/charttexts.h"

#include <QLine>
#include <QPainter>

using namespace ChartGeometry;

namespace {

constexpr ChartScale Screen{};
constexpr int Columns = PlotRight - PlotLeft + 1; // 577 columns, each drawing towards its left neighbour
constexpr int BelowScale = -1;                    // a value under the scale is drawn just under the plot

// Time labels 5 and date labels 20 pixels below the plot; legends at rows 25 and 40.
constexpr int TimeGap = 5;
constexpr int DateGap = 20;
constexpr int LevelLegendRow = 25;
constexpr int TemperatureLegendRow = 40;

constexpr int TitleSize = 12;
constexpr QPoint TitleAt(24, 0);

const ReadOutLayout ScreenReadOut{{412, 2, 700, 48},
                                  {{{417, 6, 503, 23},
                                    {417, 27, 503, 44},
                                    {513, 6, 599, 23},
                                    {513, 27, 599, 44},
                                    {609, 6, 695, 23},
                                    {609, 27, 695, 44}}},
                                  QPoint(10, 1)};

// One curve: the column x shows position k(x) and draws to column x - 1 at position k(x) + 1.
// Two neighbours both under the scale (-1) or both at its top (450) draw nothing.
void drawCurve(Canvas &canvas, const ChartInput &input, Quantity quantity)
{
    const ChartSettings &settings = input.record.settings(quantity);
    const CurveScale scale = curveScale(settings, PlotHeight, BelowScale, PlotHeight);
    if (!scale.drawable())
        return;
    const TrendSeries &series = input.series;
    const TrendArray<long double> &values = series.values(quantity);
    const int first = positionAtColumn(series.sampleCount, input.scrollPosition, PlotRight);
    std::array<int, Columns + 1> heights{};
    std::array<bool, Columns + 1> held{};
    for (std::size_t i = 0; i < heights.size(); ++i) {
        const int position = first + static_cast<int>(i);
        held[i] = series.holdsSample(position);
        if (held[i])
            heights[i] = scale.heightOf(values[static_cast<std::size_t>(position)]);
    }
    std::array<QLine, Columns> segments;
    std::size_t count = 0;
    for (std::size_t i = 0; i < Columns; ++i) {
        const int from = heights[i];
        const int to = heights[i + 1];
        if (!held[i] || !held[i + 1] || (from == to && (from == BelowScale || from == PlotHeight)))
            continue;
        const int x = PlotRight - static_cast<int>(i);
        segments[count++] = QLine(x, PlotBottom - from, x - 1, PlotBottom - to);
    }
    canvas.state().pen = CanvasPen{settings.curveColour, settings.lineWidth, PenStyle::Solid};
    canvas.lines(std::span(segments.data(), count));
}

void drawTitle(Canvas &canvas, const ChartInput &input)
{
    CanvasState &state = canvas.state();
    state.font = CanvasFont{QStringLiteral("Arial"), TitleSize, WinBlack, true};
    state.transparentText = true;
    state.textAlign = TextAlign::Left | TextAlign::Top;
    canvas.textOut(TitleAt.x(), TitleAt.y(),
                   QStringLiteral("  ") + input.record.chartTitle + QStringLiteral("   ") + input.materialKind);
}

} // namespace

// The plot lies on the white ground, so it needs no fill of its own.
ReadOut DrawChartFrame(Canvas &canvas, const ChartInput &input, QPoint mouse)
{
    CanvasState &state = canvas.state();
    state.brushClear = false;
    state.brushColour = WinWhite;
    canvas.fillRect(0, 0, Width, Height);
    drawPlotFrame(canvas, Screen);
    for (const Quantity quantity : AllQuantities) {
        if (maySee(input.rights, quantity))
            drawCurve(canvas, input, quantity);
    }
    drawTimeLabels(canvas, Screen, input, TimeGap, DateGap);
    drawScales(canvas, Screen, input);
    drawTitle(canvas, input);
    drawLegends(canvas, Screen, input, LevelLegendRow, TemperatureLegendRow);
    const ReadOut readOut = readOutAt(input, mouse);
    if (readOut.active)
        drawCrossHair(canvas, Screen, mouse, 1);
    drawReadOutPanel(canvas, ScreenReadOut, readOutTexts(readOut));
    return readOut;
}

ReadOut RenderChartFrame(QImage &picture, const ChartInput &input, QPoint mouse)
{
    if (picture.size() != QSize(Width, Height) || picture.format() != QImage::Format_RGB32)
        picture = QImage(Width, Height, QImage::Format_RGB32);
    QPainter painter(&picture);
    Canvas canvas(painter);
    return DrawChartFrame(canvas, input, mouse);
}
