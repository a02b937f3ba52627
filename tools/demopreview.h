// A look at the demonstration map as the operator will see it: the texts the login writes and the
// values a refresh writes filled into the records, and whole views composed over their pictures.
#pragma once

#include "core/elementdrawing.h"
#include "core/plantmodel.h"
#include "tools/demoelements.h"

#include <QImage>
#include <QLocale>

#include <array>

// One tank's measurements: level in metres, temperature in degrees Celsius.
struct TankReading
{
    double level = 0;
    double temperature = 0;
};

// Levels spread over the three zones and temperatures of warm oils and fats, by slot.
std::array<TankReading, TankCount> sampleReadings(const TankTable &tanks);

// Writes what the login writes (the title's sifra and kind, maximum level and volume with their
// labels, the remaining volume's label) and what a value refresh writes: value, bar position and
// value texts of level and temperature, then volume (diameter squared x pi / 4 x level),
// remaining volume (maximum volume minus that, not below 0) and mass (tonnes, with the density
// corrected for the temperature) of every tank. Elements are found by their place in the map.
void fillPlantMap(PlantMapRecords &map, const TankTable &tanks, const std::array<TankReading, TankCount> &readings,
                  const QLocale &locale);

// What the trend refresh leaves: every level element's history rising or falling smoothly to its
// present bar position over the chart's width, the entry after it 0, and trendReady set.
std::array<TrendHistory, ElementCount> fillTrendHistories(PlantMapRecords &map);

// The view as the main window composes it: the background, then every element in file order
// with its part flags for the view, all on one canvas. It is composed twice on the same canvas,
// so that what the elements take over from earlier drawings is what a running client leaves.
QImage composeView(const QImage &background, const PlantMapRecords &map, qint32 view,
                   const std::array<TrendHistory, ElementCount> &histories, ElementDrawingContext &context);
