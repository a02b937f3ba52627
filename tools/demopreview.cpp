// Login texts, refreshed values and trend histories for the demonstration map, and its views composed.
#include "tools/demopreview.h"

#include "core/numberformat.h"
#include "core/valueformat.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using namespace Qt::StringLiterals;

constexpr double PerMille = 1000;
constexpr double DensityPerDegree = 0.0007; // kg/m3 lighter per degree above 20
constexpr double DensityReference = 20;     // degrees Celsius

// Fractions of the maximum level by slot: most tanks in the normal zone, 78 and 88 nearly full,
// 81 and 96 nearly empty.
constexpr std::array<double, TankCount> SampleFill{0.64, 0.47, 0.93, 0.36, 0.72, 0.07, 0.55, 0.81,
                                                   0.28, 0.66, 0.43, 0.59, 0.95, 0.05, 0.38};
constexpr std::array<double, TankCount> SampleTemperature{42.5, 44.1, 38.7, 61.2, 40.3, 36.8, 45.6, 52.4,
                                                          51.9, 55.0, 54.3, 56.7, 53.8, 48.2, 47.6};

// The refresh's bar position: per mille of the range, halves to even, limited to 0..1000.
qint32 perMille(double value, const DisplayElement &e)
{
    const double scaled = std::nearbyint((value - e.rangeMin) / (e.rangeMax - e.rangeMin) * PerMille);
    return static_cast<qint32>(std::clamp(scaled, 0.0, PerMille));
}

void setValue(DisplayElement &e, double value, const QLocale &locale)
{
    e.value = value;
    e.text[2] = formatValue(e.valueFormat, value, locale);
}

void setMeasured(DisplayElement &e, double value, const QLocale &locale)
{
    setValue(e, value, locale);
    e.text[0] = e.text[2];
    e.scaledValue = perMille(value, e);
}

// A smooth rise or fall to `end` per mille over the history's first `points` entries, with a
// gentle ripple that fades out toward the present.
TrendHistory trendTo(qint32 end, qint32 points, int slot)
{
    TrendHistory history{};
    const double start = std::clamp(end + (slot % 2 == 0 ? 260.0 : -220.0), 30.0, 970.0);
    const qint32 count = std::clamp<qint32>(points, 1, TrendHistorySize - 1);
    for (qint32 i = 0; i < count; ++i) {
        const double t = count > 1 ? double(i) / (count - 1) : 1.0;
        const double eased = t * t * (3 - 2 * t);
        const double ripple = 12 * (1 - t) * std::sin(i / (9.0 + slot));
        history[static_cast<std::size_t>(i)] = static_cast<qint32>(std::lround(start + (end - start) * eased + ripple));
    }
    return history;
}

} // namespace

std::array<TankReading, TankCount> sampleReadings(const TankTable &tanks)
{
    std::array<TankReading, TankCount> readings{};
    for (std::size_t i = 0; i < readings.size(); ++i)
        readings[i] = {tanks.records[i].maxLevel * SampleFill[i], SampleTemperature[i]};
    return readings;
}

void fillPlantMap(PlantMapRecords &map, const TankTable &tanks, const std::array<TankReading, TankCount> &readings,
                  const QLocale &locale)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = tanks.slot(slot);
        const TankReading &reading = readings[static_cast<std::size_t>(slot - 1)];
        const auto element = [&](TankElement kind) -> DisplayElement & {
            return map.elements[elementIndex(slot, kind)];
        };

        DisplayElement &title = element(TankElement::Title);
        title.text[1] = tank.materialSifra;
        title.text[2] = tank.materialKind;

        DisplayElement &level = element(TankElement::Level);
        level.text[4] = FormatFixed(tank.maxLevel, 3, locale) + u" m"_s;
        level.text[5] = u"Maksimalna visina :"_s;
        setMeasured(level, reading.level, locale);
        setMeasured(element(TankElement::Temperature), reading.temperature, locale);

        DisplayElement &volume = element(TankElement::Volume);
        volume.text[0] = FormatFixed(tank.maxVolume, 3, locale) + u" m3"_s;
        volume.text[1] = u"Maksimalna zapremina :"_s;
        const double cubicMetres = tank.diameter * tank.diameter * std::numbers::pi / 4 * reading.level;
        setValue(volume, cubicMetres, locale);

        DisplayElement &remaining = element(TankElement::Remaining);
        remaining.text[4] = u"Preostala zapremina"_s;
        setValue(remaining, std::max(0.0, tank.maxVolume - cubicMetres), locale);

        const double density = tank.density20 + DensityPerDegree * (DensityReference - reading.temperature);
        setValue(element(TankElement::Mass), density * cubicMetres / PerMille, locale);
    }
}

std::array<TrendHistory, ElementCount> fillTrendHistories(PlantMapRecords &map)
{
    std::array<TrendHistory, ElementCount> histories{};
    for (int slot = 1; slot <= TankCount; ++slot) {
        const std::size_t index = elementIndex(slot, TankElement::Level);
        DisplayElement &level = map.elements[index];
        histories[index] = trendTo(level.scaledValue, level.trendPoints, slot);
        level.trendReady = 1;
    }
    return histories;
}

QImage composeView(const QImage &background, const PlantMapRecords &map, qint32 view,
                   const std::array<TrendHistory, ElementCount> &histories, ElementDrawingContext &context)
{
    QImage picture(background.size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    Canvas canvas(painter);
    for (int pass = 0; pass < 2; ++pass) {
        painter.drawImage(0, 0, background);
        for (std::size_t k = 0; k < map.elements.size(); ++k)
            DrawElement(canvas, map.elements[k], PartFlags(map.views[k], view), histories[k], context);
    }
    painter.end();
    return picture;
}
