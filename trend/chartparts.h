// The pieces that the screen frame and the printed page draw alike, each on a scaled design grid.
#pragma once

#include "trend/chartinput.h"
#include "trend/chartscale.h"

#include <array>

class Canvas;

// A Windows rectangle: columns left..right - 1, rows top..bottom - 1.
struct WinRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the read-out panel and its six boxes lie (time, date, level, temperature, mass, volume) and
// how far each box's text sits from the box's top-left corner.
struct ReadOutLayout
{
    WinRect panel;
    std::array<WinRect, 6> boxes;
    QPoint textOffset;
};

// The plot's black frame and the silver dotted grid.
void drawPlotFrame(Canvas &canvas, const ChartScale &scale);

// The time and date labels of the columns' positions (none under a column without a sample),
// times `timeGap` and dates `dateGap` pixels below the plot, centred on their columns.
void drawTimeLabels(Canvas &canvas, const ChartScale &scale, const ChartInput &input, int timeGap, int dateGap);

// The left and right scales with their ticks, labels and units.
void drawScales(Canvas &canvas, const ChartScale &scale, const ChartInput &input);

// The legends of the quantities the user may see: level and temperature under each other at the
// plot's left edge, mass and volume at design column 268; rows levelRow and temperatureRow.
void drawLegends(Canvas &canvas, const ChartScale &scale, const ChartInput &input, int levelRow, int temperatureRow);

// The dotted cross-hair through the read-out's pointer position, across the whole plot.
void drawCrossHair(Canvas &canvas, const ChartScale &scale, QPoint mouse, int width);

// The silver panel with its six white boxes, each holding its text (time, date, the four values).
void drawReadOutPanel(Canvas &canvas, const ReadOutLayout &layout, const std::array<QString, 6> &texts);

// The six texts of the boxes, in box order.
std::array<QString, 6> readOutTexts(const ReadOut &readOut);

// A curve's heights: round((value - scaleMin) / (scaleMax - scaleMin) * factor), half to even, held
// within low..high. A scale whose maximum equals its minimum is not drawable and has no heights.
struct CurveScale
{
    long double minimum = 0;
    long double span = 0;
    long double factor = 0;
    int low = 0;
    int high = 0;

    bool drawable() const { return span != 0; }
    int heightOf(long double value) const;
};
CurveScale curveScale(const ChartSettings &settings, long double factor, int low, int high);
