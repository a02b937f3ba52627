// The pieces that the screen frame and the printed page draw alike.
#include "trend/chartparts.h"

#include "core/drawing/drawhelpers.h"
#include "trend/chartgeometry.h"
#include "trend/charttexts.h"

#include <algorithm>
#include <cmath>

using namespace ChartGeometry;

namespace {

constexpr int LabelSize = 8;
constexpr int LegendSize = 10;
constexpr int LegendLine = 20; // design pixels of a legend's coloured line
constexpr int LegendRaise = 7; // a legend's text sits this many pixels above its line
constexpr int MassLegendColumn = 268;
constexpr int TickLength = 5; // also the gap between a tick and its label
constexpr int LabelRaise = 7;

void line(Canvas &canvas, int x1, int y1, int x2, int y2)
{
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
}

// A Windows rectangle drawn with a black one-pixel border around the brush colour.
void framedBox(Canvas &canvas, const WinRect &rect, WinColour fill)
{
    CanvasState &state = canvas.state();
    state.brushClear = false;
    state.brushColour = fill;
    canvas.fillRect(rect.left, rect.top, rect.right, rect.bottom);
    state.brushColour = WinBlack;
    canvas.frameRect(rect.left, rect.top, rect.right, rect.bottom);
}

void drawColumnLabel(Canvas &canvas, const ChartScale &scale, const ChartInput &input, int x, int top,
                     QString (*label)(const SampleTime &))
{
    const TrendSeries &series = input.series;
    const int position = positionAtColumn(series.sampleCount, input.scrollPosition, x);
    if (series.holdsSample(position))
        DrawTextCentered(canvas, scale.column(x), top, label(series.times[static_cast<std::size_t>(position)]),
                         LabelSize, 0);
}

} // namespace

void drawPlotFrame(Canvas &canvas, const ChartScale &scale)
{
    const int left = scale.column(PlotLeft);
    const int right = scale.column(PlotRight);
    const int top = scale.row(PlotTop);
    const int bottom = scale.row(PlotBottom);
    CanvasState &state = canvas.state();
    state.pen = CanvasPen{Silver, 1, PenStyle::Dot};
    for (int y = PlotTop + GridRowStep; y < PlotBottom; y += GridRowStep)
        line(canvas, left, scale.row(y), right, scale.row(y));
    for (int x = PlotLeft + GridColumnStep; x < PlotRight; x += GridColumnStep)
        line(canvas, scale.column(x), top, scale.column(x), bottom);

    // The frame goes over the grid lines' ends, so that it stays unbroken.
    state.pen = CanvasPen{WinBlack, 1, PenStyle::Solid};
    canvas.moveTo(left, top);
    canvas.lineTo(right, top);
    canvas.lineTo(right, bottom);
    canvas.lineTo(left, bottom);
    canvas.lineTo(left, top);
}

void drawTimeLabels(Canvas &canvas, const ChartScale &scale, const ChartInput &input, int timeGap, int dateGap)
{
    const int bottom = scale.row(PlotBottom);
    for (int j = 0; j < TimeLabels; ++j)
        drawColumnLabel(canvas, scale, input, PlotLeft + GridColumnStep * j, bottom + timeGap, &timeLabel);
    for (int j = 0; j < DateLabels; ++j)
        drawColumnLabel(canvas, scale, input, PlotLeft + DateLabelStep * j, bottom + dateGap, &dateLabel);
}

void drawScales(Canvas &canvas, const ChartScale &scale, const ChartInput &input)
{
    const AxisScale left = axisScale(input.record, LeftAxis);
    const AxisScale right = axisScale(input.record, RightAxis);
    const int tick = scale.height(TickLength);
    const int raise = scale.height(LabelRaise);
    for (int j = 0; j < ScaleRows; ++j) {
        const int y = scale.row(PlotTop + GridRowStep * j);
        DrawTickLeft(canvas, scale.column(PlotLeft), y, scaleLabel(left, j, input.locale), left.unit, LabelSize, tick,
                     -raise, tick);
    }
    for (int j = 0; j < ScaleRows; ++j) {
        const int y = scale.row(PlotTop + GridRowStep * j);
        DrawTickRight(canvas, scale.column(PlotRight), y, scaleLabel(right, j, input.locale), right.unit, LabelSize,
                      tick, -raise, tick);
    }
}

void drawLegends(Canvas &canvas, const ChartScale &scale, const ChartInput &input, int levelRow, int temperatureRow)
{
    const std::array<QPoint, QuantityCount> places{
        QPoint(scale.column(PlotLeft), levelRow), QPoint(scale.column(PlotLeft), temperatureRow),
        QPoint(scale.column(MassLegendColumn), levelRow), QPoint(scale.column(MassLegendColumn), temperatureRow)};
    for (const Quantity quantity : AllQuantities) {
        if (!maySee(input.rights, quantity))
            continue;
        const QPoint at = places[static_cast<std::size_t>(quantity)];
        DrawLegendLine(canvas, input.record.settings(quantity).curveColour, at.x(), at.y(),
                       input.record.legend(quantity), LegendSize, -LegendRaise, scale.width(LegendLine));
    }
}

void drawCrossHair(Canvas &canvas, const ChartScale &scale, QPoint mouse, int width)
{
    canvas.state().pen = CanvasPen{WinBlack, width, PenStyle::Dot};
    const int x = scale.column(mouse.x());
    const int y = scale.row(mouse.y());
    line(canvas, x, scale.row(PlotTop), x, scale.row(PlotBottom));
    line(canvas, scale.column(PlotLeft), y, scale.column(PlotRight), y);
}

void drawReadOutPanel(Canvas &canvas, const ReadOutLayout &layout, const std::array<QString, 6> &texts)
{
    framedBox(canvas, layout.panel, Silver);
    CanvasState &state = canvas.state();
    for (std::size_t i = 0; i < layout.boxes.size(); ++i) {
        const WinRect &box = layout.boxes[i];
        framedBox(canvas, box, WinWhite);
        if (texts[i].isEmpty())
            continue;
        state.font = CanvasFont{QStringLiteral("Arial"), LabelSize, ReadOutBlue};
        state.transparentText = false;
        state.textBackground = WinWhite;
        state.textAlign = TextAlign::Left | TextAlign::Top;
        canvas.textOut(box.left + layout.textOffset.x(), box.top + layout.textOffset.y(), texts[i]);
    }
}

std::array<QString, 6> readOutTexts(const ReadOut &readOut)
{
    return {readOut.timeText(), readOut.dateText(), readOut.values[0],
            readOut.values[1],  readOut.values[2],  readOut.values[3]};
}

int CurveScale::heightOf(long double value) const
{
    const long double height = (value - minimum) / span * factor;
    return static_cast<int>(std::rint(std::clamp<long double>(height, low, high)));
}

CurveScale curveScale(const ChartSettings &settings, long double factor, int low, int high)
{
    const long double minimum = settings.scaleMin;
    return CurveScale{minimum, static_cast<long double>(settings.scaleMax) - minimum, factor, low, high};
}
