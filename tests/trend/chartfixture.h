// A tank's chart for the drawing tests: a hand-filled series, a chart record with one colour per
// quantity, and every right.
#pragma once

#include "core/drawing/canvas.h"
#include "trend/chartinput.h"

#include <QDateTime>

#include <algorithm>
#include <functional>
#include <memory>

namespace chartfixture {

inline constexpr std::array<WinColour, QuantityCount> Colours{0x0000FF, 0x00C000, 0xC000C0, 0xC08000};

inline TankRights allRights()
{
    return TankRights{86, 1, 1, 1, 1, 1};
}

// Every quantity's scale runs from 0 to 10 with width 1; level on the left axis, temperature on the right.
inline TankChartRecord chartRecord()
{
    TankChartRecord record;
    record.chartTitle = QStringLiteral("Rezervoar 86");
    for (const Quantity quantity : AllQuantities) {
        ChartSettings &settings = record.settings(quantity);
        settings = ChartSettings{10, 0, 1, 0, 1, QStringLiteral("m"), Colours[static_cast<std::size_t>(quantity)], 0};
        record.legend(quantity) = QStringLiteral("Legenda");
    }
    record.level.axisSide = 1;
    record.temperature.axisSide = 2;
    return record;
}

// count samples with every quantity at value(position); position p was taken p * 10 minutes before
// 5 March 2001, 12:00. The next 1000 positions past count keep `leftover` values and times, as an
// earlier load might have left them.
inline void fillSeries(TrendSeries &series, int count, const std::function<long double(int)> &value,
                       long double leftover = 0)
{
    const QDateTime newest(QDate(2001, 3, 5), QTime(12, 0));
    series.sampleCount = series.loadedCount = count;
    series.ratio = TrendRatio{};
    for (int p = 1; p <= std::min(count + 1000, TrendCapacity); ++p) {
        const long double v = p <= count ? value(p) : leftover;
        const auto i = static_cast<std::size_t>(p);
        series.level[i] = series.temperature[i] = series.mass[i] = series.volume[i] = v;
        const QDateTime at = newest.addSecs(-600LL * p);
        series.times[i] = SampleTime{at.date().day(), at.date().month(), at.date().year(), at.time().hour(),
                                     at.time().minute()};
    }
}

} // namespace chartfixture
