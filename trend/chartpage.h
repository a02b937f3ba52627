// The trend chart on a printed page: the screen frame scaled to the page, with a heading.
#pragma once

#include "trend/chartinput.h"
#include "trend/chartscale.h"

#include <QDateTime>

class Canvas;
class QPagedPaintDevice;

// The design grid's scale on a page of width x height pixels: sx = width / 800, sy = height / 600,
// top margin height div 20.
ChartScale pageScale(int height, int width);

// Draws the chart page on a canvas of width x height pixels: plot, curves (heights held within
// 0..round(450 * sy), so a curve lying on its minimum is not printed), time and date labels and
// scales as on the screen, the heading with the printing date and time, legends, and the cross-hair
// (width 2) and read-out texts of printCopy when its read-out was active. The series positions of
// the printer columns follow the screen's scroll position; their segments and labels follow the
// screen's rules for positions without a sample and for scales whose maximum equals their minimum.
void DrawChartPage(Canvas &canvas, int height, int width, const ChartInput &input, const ReadOut &printCopy,
                   const QDateTime &printedAt);

// Sets the printer or PDF writer to landscape and draws the page on it at its full size and
// resolution; false when painting on the device could not begin.
bool PrintChartPage(QPagedPaintDevice &device, const ChartInput &input, const ReadOut &printCopy,
                    const QDateTime &printedAt);
