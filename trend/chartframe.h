// One frame of the trend chart as the window shows it: 800 x 580 pixels, drawn from scratch.
#pragma once

#include "trend/chartinput.h"

#include <QImage>
#include <QPoint>

class Canvas;

// Draws the frame on a canvas of at least 800 x 580 pixels, in this order: white ground, plot
// frame and dotted grid, the curves the user may see (level, temperature, mass, volume), time and
// date labels, left and right scales, title, legends, the cross-hair when the pointer at `mouse`
// lies inside the plot, and the read-out panel. Returns the read-out, to be kept for printing.
// A curve whose scale maximum equals its minimum is not drawn; a column draws a segment only when
// its position and the next one hold samples, and columns without a sample get no labels.
// Only the 578 positions the columns show are scaled, whatever the length of the series.
ReadOut DrawChartFrame(Canvas &canvas, const ChartInput &input, QPoint mouse);

// Draws the frame into picture, which becomes (or stays) an 800 x 580 RGB image.
ReadOut RenderChartFrame(QImage &picture, const ChartInput &input, QPoint mouse);
