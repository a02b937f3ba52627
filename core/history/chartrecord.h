// The per-tank chart record of "Report.rez": titles, legends and the four curves' settings.
#pragma once

#include "core/plant/plantmodel.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <array>
#include <cstddef>
#include <span>

// The four quantities of a tank's chart, in the order they are stored, drawn and listed.
enum class Quantity { Level, Temperature, Mass, Volume };
inline constexpr int QuantityCount = 4;
inline constexpr std::array<Quantity, QuantityCount> AllQuantities{Quantity::Level, Quantity::Temperature,
                                                                   Quantity::Mass, Quantity::Volume};

// The one of four per-quantity values that belongs to the quantity.
template <typename T> T &ofQuantity(Quantity quantity, T &level, T &temperature, T &mass, T &volume)
{
    switch (quantity) {
    case Quantity::Level:
        return level;
    case Quantity::Temperature:
        return temperature;
    case Quantity::Mass:
        return mass;
    case Quantity::Volume:
        break;
    }
    return volume;
}

// How one quantity is drawn. Colours are 0x00BBGGRR; axisSide 0 = no axis, 1 = left, 2 = right.
struct ChartSettings
{
    qint32 scaleMax = 0;
    qint32 scaleMin = 0;
    qint32 lineWidth = 0;
    qint32 channel = 0;  // 0-based history channel; used for level and temperature only
    qint32 decimals = 0; // digits after the point in the axis labels
    QString unitText{};  // at most 11 characters ("°C" is the byte 0xB0 in the file)
    quint32 curveColour = 0;
    qint32 axisSide = 0;
    bool operator==(const ChartSettings &) const = default;
};

inline constexpr std::size_t TankChartRecordSize = 504;
inline constexpr int ChartTextCapacity = 40; // titles and legends: length byte + 40 bytes
inline constexpr int UnitTextCapacity = 11;  // length byte + 11 bytes

// Record layout (504 bytes, integers i32 little-endian, texts length-prefixed Windows-1252):
// 0 chartTitle, 41 legendLevel, 82 legendTemperature, 123 legendMass, 164 legendVolume (41 each),
// 205 three bytes not interpreted, then the ChartSettings groups of level at 208 (76 bytes),
// temperature at 284, mass at 356 and volume at 428 (72 bytes each), 500 four bytes not interpreted.
// Inside a group: 0 scaleMax, 4 scaleMin, 8 lineWidth, 12 channel, 16 decimals, 20 unitText
// (12 bytes), 32 curveColour, 36 bytes not interpreted (level: 40), then axisSide at 68 (level: 72).
namespace TankChartLayout {
inline constexpr std::size_t ChartTitle = 0;
inline constexpr std::array<std::size_t, QuantityCount> Legend{41, 82, 123, 164};
inline constexpr std::array<std::size_t, QuantityCount> Group{208, 284, 356, 428};
inline constexpr std::size_t ScaleMax = 0;
inline constexpr std::size_t ScaleMin = 4;
inline constexpr std::size_t LineWidth = 8;
inline constexpr std::size_t Channel = 12;
inline constexpr std::size_t Decimals = 16;
inline constexpr std::size_t UnitText = 20;
inline constexpr std::size_t CurveColour = 32;
inline constexpr std::size_t LevelAxisSide = 72;
inline constexpr std::size_t AxisSide = 68;
} // namespace TankChartLayout

// One tank's record. `bytes` holds the 504 bytes as they were read, so that everything this program
// does not interpret (the gaps, text bytes past a text's length) is written back unchanged.
struct TankChartRecord
{
    QString chartTitle{};
    QString legendLevel{};
    QString legendTemperature{};
    QString legendMass{};
    QString legendVolume{};
    ChartSettings level{};
    ChartSettings temperature{};
    ChartSettings mass{};
    ChartSettings volume{};
    std::array<char, TankChartRecordSize> bytes{};

    ChartSettings &settings(Quantity quantity) { return ofQuantity(quantity, level, temperature, mass, volume); }
    const ChartSettings &settings(Quantity quantity) const
    {
        return ofQuantity(quantity, level, temperature, mass, volume);
    }
    QString &legend(Quantity quantity)
    {
        return ofQuantity(quantity, legendLevel, legendTemperature, legendMass, legendVolume);
    }
    const QString &legend(Quantity quantity) const
    {
        return ofQuantity(quantity, legendLevel, legendTemperature, legendMass, legendVolume);
    }
};

// The 15 records in slot order (record 1 = tank 74, ..., record 15 = tank 97).
using TankChartRecords = SlotArray<TankChartRecord>;

TankChartRecord decodeTankChartRecord(std::span<const char, TankChartRecordSize> bytes);

// The record's bytes: those it was read from, with every field whose value differs from what those
// bytes hold written anew (a text is cut to its capacity, its unused bytes become NUL). A record
// decoded and encoded unchanged gives back its bytes exactly.
std::array<char, TankChartRecordSize> encodeTankChartRecord(const TankChartRecord &record);
