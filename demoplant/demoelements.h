// The element records of the demonstration plant map ("Bgd.rez") and their views ("Konfig.rez").
#pragma once

#include "core/plant/plantmodel.h"
#include "core/plantmap/displayelement.h"

#include <QByteArray>

#include <array>
#include <cstddef>

// Each tank slot s has six elements, from index ElementsPerTank x (s - 1) on, in this order. The
// level comes first: its texts leave the alignment and colour with which the title element's lamp
// name is drawn, so even the very first redraw of a tank screen places the name beside its lamp.
enum class TankElement { Level, Title, Temperature, Volume, Remaining, Mass };
inline constexpr int ElementsPerTank = 6;
// After the tanks' elements: the date-and-time line of the overview. Every later record is unused.
inline constexpr std::size_t ClockElement = TankCount * ElementsPerTank;

// The record index (0-based) of a tank's element; slot 1 to 15.
std::size_t elementIndex(int slot, TankElement element);

// View 1 is the overview; tank slot s has its own screen, view s + 1, which its title element
// names in scaledValue for the view menu.
inline constexpr qint32 OverviewView = 1;
constexpr qint32 tankView(int slot) { return slot + 1; }

// Sample channels: the levels on 1 to 15, the temperatures on 16 to 30; volume, remaining volume
// and mass are computed from them and have none.
constexpr qint32 levelChannel(int slot) { return slot; }
constexpr qint32 temperatureChannel(int slot) { return TankCount + slot; }

struct PlantMapRecords
{
    std::array<DisplayElement, ElementCount> elements{};
    std::array<ElementViews, ElementCount> views{};
};

// The map of the given tanks: their names, numbers and maximum levels go into the records, their
// diameters and maximum levels place them on the overview (overviewTanks). The texts the login and
// the refresh write stay empty, values zero; unused records are all zero.
PlantMapRecords buildPlantMapRecords(const TankTable &tanks);

// The contents of "Bgd.rez" and "Konfig.rez": ElementCount records each.
QByteArray encodeElementFile(const PlantMapRecords &records);
QByteArray encodeViewFile(const PlantMapRecords &records);
