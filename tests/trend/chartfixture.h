// A tank's chart for the drawing tests: a hand-filled series, a chart record with one colour per
// quantity, and where a colour shows in a picture.
#pragma once

#include "core/drawing/canvas.h"
#include "trend/chartinput.h"

#include <QDateTime>
#include <QImage>

#include <algorithm>
#include <functional>

namespace chartfixture {

inline constexpr std::array<WinColour, QuantityCount> Colours{0x0000FF, 0x00C000, 0xC000C0, 0xC08000};

// Every quantity's scale runs from 0 to 10 in unit "m" with width 1; level on the left axis,
// temperature on the right.
inline TankChartRecord chartRecord()
{
    TankChartRecord record;
    for (const Quantity quantity : AllQuantities)
        record.settings(quantity) = ChartSettings{10, 0, 1, 0, 1, QStringLiteral("m"), Colours[static_cast<std::size_t>(quantity)], 0};
    record.level.axisSide = 1;
    record.temperature.axisSide = 2;
    return record;
}

// count samples with every quantity at value(position); position p was taken p * 10 minutes before
// 5 March 2001, 12:00. The next 1000 positions keep `leftover` values and times, as an earlier
// load might have left them.
inline void fillSeries(TrendSeries &series, int count, const std::function<long double(int)> &value, long double leftover = 0)
{
    const QDateTime newest(QDate(2001, 3, 5), QTime(12, 0));
    series.sampleCount = series.loadedCount = count;
    for (int p = 1; p <= std::min(count + 1000, TrendCapacity); ++p) {
        const auto i = static_cast<std::size_t>(p);
        series.level[i] = series.temperature[i] = series.mass[i] = series.volume[i] = p <= count ? value(p) : leftover;
        const QDateTime at = newest.addSecs(-600LL * p);
        series.times[i] = {at.date().day(), at.date().month(), at.date().year(), at.time().hour(), at.time().minute()};
    }
}

// Where a colour lies inside an area, and in how many columns.
struct Ink
{
    QRect bounds;
    int columns = 0;
    bool operator==(const Ink &) const = default;
};

inline Ink colourInk(const QImage &picture, QRect area, WinColour colour)
{
    Ink ink;
    for (int x = area.left(); x <= area.right(); ++x) {
        bool found = false;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (picture.pixel(x, y) == toQColor(colour).rgb()) {
                ink.bounds |= QRect(x, y, 1, 1);
                found = true;
            }
        }
        ink.columns += found ? 1 : 0;
    }
    return ink;
}

} // namespace chartfixture
