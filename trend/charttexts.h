// The texts of the chart: time and date labels, scale labels and the read-out.
#pragma once

#include "trend/chartinput.h"

#include <QString>

struct SampleTime;

// "08 : 05": hour and minute, two digits each.
QString timeLabel(const SampleTime &time);
// "05. 03. 2001.": day and month two digits, the year as stored, a final point.
QString dateLabel(const SampleTime &time);

// The scale shown on one axis: the quantity whose axisSide names the side (the last one in quantity
// order when several do), or 0 to 100 with no decimals and no unit when none does.
struct AxisScale
{
    qint32 minimum = 0;
    qint32 maximum = 100;
    qint32 decimals = 0;
    QString unit;
};
inline constexpr int LeftAxis = 1;
inline constexpr int RightAxis = 2;
AxisScale axisScale(const TankChartRecord &record, int side);

// The value of scale row j (0 at the top, 10 at the bottom): minimum + (maximum - minimum) * (1 - j/10)
// with the scale's decimals in the locale's notation.
QString scaleLabel(const AxisScale &scale, int row, const QLocale &locale);

// The read-out for the pointer at mouse: active inside the plot (123 < x < 701, 49 < y < 501); its
// texts come from the position under the pointer when that position holds a sample, and a
// quantity's text only with the right to see it.
ReadOut readOutAt(const ChartInput &input, QPoint mouse);
