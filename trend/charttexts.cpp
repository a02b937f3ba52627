// The texts of the chart.
#include "trend/charttexts.h"

#include "core/text/numberformat.h"
#include "trend/chartgeometry.h"

namespace {

const QString TimeSeparator = QStringLiteral(" : ");
const QString DateSeparator = QStringLiteral(". ");

QString twoDigits(qint32 value) { return TwoDigits(static_cast<quint16>(value)); }

bool insidePlot(QPoint mouse)
{
    using namespace ChartGeometry;
    return mouse.x() > PlotLeft - 1 && mouse.x() < PlotRight + 1 && mouse.y() > PlotTop - 1
           && mouse.y() < PlotBottom + 1;
}

// "1.234 m": three decimals in the locale's notation, a blank and the unit.
QString valueText(long double value, const QString &unit, const QLocale &locale)
{
    return FormatFixed(static_cast<double>(value), 3, locale) + QLatin1Char(' ') + unit;
}

} // namespace

bool maySee(const TankRights &rights, Quantity quantity)
{
    switch (quantity) {
    case Quantity::Level:
        return rights.nivo == 1;
    case Quantity::Temperature:
        return rights.temperatura == 1;
    case Quantity::Mass:
        return rights.masa == 1;
    case Quantity::Volume:
        break;
    }
    return rights.zapremina == 1;
}

QString ReadOut::timeText() const { return hour.isEmpty() ? QString() : hour + TimeSeparator + minute; }

QString ReadOut::dateText() const
{
    return day.isEmpty() ? QString() : day + DateSeparator + month + DateSeparator + year;
}

QString timeLabel(const SampleTime &time) { return twoDigits(time.hour) + TimeSeparator + twoDigits(time.minute); }

QString dateLabel(const SampleTime &time)
{
    return twoDigits(time.day) + DateSeparator + twoDigits(time.month) + DateSeparator + FormatInteger(time.year)
           + QLatin1Char('.');
}

AxisScale axisScale(const TankChartRecord &record, int side)
{
    AxisScale scale;
    for (const Quantity quantity : AllQuantities) {
        const ChartSettings &settings = record.settings(quantity);
        if (settings.axisSide == side)
            scale = AxisScale{settings.scaleMin, settings.scaleMax, settings.decimals, settings.unitText};
    }
    return scale;
}

QString scaleLabel(const AxisScale &scale, int row, const QLocale &locale)
{
    const long double span = static_cast<long double>(scale.maximum) - scale.minimum;
    const long double value = scale.minimum + span * (1.0L - row / 10.0L);
    return FormatFixed(static_cast<double>(value), scale.decimals, locale);
}

ReadOut readOutAt(const ChartInput &input, QPoint mouse)
{
    ReadOut readOut;
    if (!insidePlot(mouse))
        return readOut;
    readOut.active = true;
    readOut.mouse = mouse;
    const TrendSeries &series = input.series;
    const int position = positionAtColumn(series.sampleCount, input.scrollPosition, mouse.x());
    if (!series.holdsSample(position))
        return readOut;
    const SampleTime &time = series.times[static_cast<std::size_t>(position)];
    readOut.hour = twoDigits(time.hour);
    readOut.minute = twoDigits(time.minute);
    readOut.day = twoDigits(time.day);
    readOut.month = twoDigits(time.month);
    readOut.year = FormatInteger(time.year);
    for (const Quantity quantity : AllQuantities) {
        if (maySee(input.rights, quantity))
            readOut.values[static_cast<std::size_t>(quantity)]
                = valueText(series.values(quantity)[static_cast<std::size_t>(position)],
                            input.record.settings(quantity).unitText, input.locale);
    }
    return readOut;
}
