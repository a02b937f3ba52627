// How the chart's 800 x 600 design grid is scaled onto a device: the screen frame uses it as it is,
// the printed page stretches it to the paper.
#pragma once

#include <cmath>

// Rounds to the nearest integer, halves to the even neighbour (212.5 gives 212), in the default
// rounding mode, which nothing in the program changes.
inline int roundHalfEven(double value) { return static_cast<int>(std::rint(value)); }

// A design column x lands on column(x), a design row y on row(y) (below the top margin); lengths
// along x and y scale with width() and height(). Every result is rounded half to even.
struct ChartScale
{
    double sx = 1.0;
    double sy = 1.0;
    int margin = 0;

    int column(int x) const { return roundHalfEven(x * sx); }
    int row(int y) const { return roundHalfEven(y * sy) + margin; }
    int width(int length) const { return roundHalfEven(length * sx); }
    int height(int length) const { return roundHalfEven(length * sy); }
};
