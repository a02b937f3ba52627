// The fixed geometry of the trend chart's 800 x 580 frame and the rule that maps its columns to
// series positions.
#pragma once

#include "core/drawing/canvas.h"

#include <array>

namespace ChartGeometry {
inline constexpr int Width = 800;
inline constexpr int Height = 580;

// The plot: 576 columns from 124 to 700 and 450 rows from 50 to 500, frame lines included.
inline constexpr int PlotLeft = 124;
inline constexpr int PlotTop = 50;
inline constexpr int PlotRight = 700;
inline constexpr int PlotBottom = 500;
inline constexpr int PlotHeight = PlotBottom - PlotTop;

// Grid lines every 48 columns and every 45 rows, inside the frame.
inline constexpr int GridColumnStep = 48;
inline constexpr int GridRowStep = 45;

// Scale labels at the 11 rows y = 50 + 45 j, showing the fraction 1 - j/10 of the scale.
inline constexpr int ScaleRows = 11;
// Time labels under the 13 columns x = 124 + 48 j, date labels under the 7 columns x = 124 + 96 j.
inline constexpr int TimeLabels = 13;
inline constexpr int DateLabels = 7;
inline constexpr int DateLabelStep = 96;

inline constexpr WinColour Silver = 0xC0C0C0;
inline constexpr WinColour ReadOutBlue = 0xFF0000;
} // namespace ChartGeometry

// The series position shown in plot column x at scroll position p: sampleCount - p + (700 - x).
// The right edge shows sampleCount - p; columns further left reach back in time.
constexpr int positionAtColumn(int sampleCount, int scrollPosition, int x)
{
    return sampleCount - scrollPosition + (ChartGeometry::PlotRight - x);
}

// The range of ScrollBar1 after a load: with n = sampleCount - 1 and w = 10 * mm + 602, the range
// is w..n, or sampleCount - 2 .. sampleCount - 1 when n < w; the position is the newest,
// sampleCount - 1, and the large step 100.
struct ChartScrollRange
{
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    bool operator==(const ChartScrollRange &) const = default;
};
inline constexpr int ChartScrollLargeStep = 100;

constexpr ChartScrollRange chartScrollRange(int sampleCount, int mm)
{
    const long long n = sampleCount - 1;
    const long long w = 10LL * mm + 602;
    if (n < w)
        return {sampleCount - 2, sampleCount - 1, sampleCount - 1};
    return {static_cast<int>(w), sampleCount - 1, sampleCount - 1};
}
