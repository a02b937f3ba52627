// Where the demonstration plant map places things, with the palette, fonts and text alignments that its
// pictures and its element records share, so that every bar, text and hot spot lands where the picture expects it.
#pragma once

#include "core/drawing/canvas.h"
#include "core/plant/plantmodel.h"
#include "core/plant/slotarray.h"

#include <QPoint>
#include <QRect>
#include <QString>

// Both pictures have the plant map's fixed size.
inline constexpr int MapWidth = 800;
inline constexpr int MapHeight = 560;

// Alarm thresholds of every level, per mille of the tank's maximum level.
inline constexpr int HighLimit = 900;
inline constexpr int LowLimit = 100;

// Colours of the pictures and of the elements drawn over them.
namespace DemoPalette {
inline constexpr WinColour Navy = 0x4B2F1B;  // title bands and card headers
inline constexpr WinColour Label = 0x5C4B3D; // captions and labels, the scale
inline constexpr WinColour Value = WinBlack; // every value text
inline constexpr WinColour TitleText = WinWhite;
inline constexpr WinColour Sifra = 0x53C4F6;     // the material's sifra in the title band
inline constexpr WinColour Normal = 0x5B9E2E;    // level between the thresholds
inline constexpr WinColour High = 0x2E37D7;      // level at or above HighLimit
inline constexpr WinColour Low = 0x30C2F2;       // level at or below LowLimit
inline constexpr WinColour LowMarker = 0x00A0DC; // darker than Low, to stand out on white
inline constexpr WinColour Trend = 0xC6631F;
inline constexpr WinColour Grid = 0xE3DCD5;
inline constexpr WinColour Lamp = 0x5ABD2E;
inline constexpr WinColour GaugeGlass = 0xFAF7F4; // the empty part of a level gauge
inline constexpr WinColour GaugeFrame = 0x5C4B3D;
} // namespace DemoPalette

// Every text is Arial; sizes in points.
inline const QString DemoFont = QStringLiteral("Arial");
namespace DemoFontSize {
inline constexpr int CardValue = 8; // level and temperature on the overview
inline constexpr int Label = 10;    // labels of the tank screen, drawn by the picture or by the elements
inline constexpr int ScreenValue = 12;
inline constexpr int Scale = 9;
inline constexpr int TankName = 20;
inline constexpr int Material = 12;
} // namespace DemoFontSize

// Values and labels are anchored at their right end and bottom. The lamp's name, the date line and
// the chart's time labels keep the alignment (and the name also the colour) of the text drawn
// before them, so one alignment and black for the last text of a view keep them in place: the
// name then starts 10 pixels right of its lamp and the date line ends at its point.
inline constexpr unsigned ValueAlign = TextAlign::Right | TextAlign::Bottom;
// The title texts of the tank screen start at their point.
inline constexpr unsigned TitleAlign = TextAlign::Left | TextAlign::Bottom;

// One tank of the overview. Texts are placed by their right-bottom point (ValueAlign).
struct OverviewTank
{
    QRect shell;        // the cylinder below its roof, down to the lowest point of its bottom rim
    int roofHeight = 0; // the dome above shell.top()
    QRect levelBar;     // bar 1: 0 at its bottom edge, the tank's maximum level at its top
    QRect card;         // name and values under the tank
    QPoint levelText;
    QPoint temperatureText;
    int pipeY = 0; // the header pipe of the tank's row
    QRect hotSpot; // tank and card: a double click there opens the tank's screen

    QRect outline() const { return shell.adjusted(0, -roofHeight, 0, 0); }
};

// The overview's tanks by slot: slots 1 to 7 in the upper row, 8 to 15 in the lower, each as wide
// as its diameter and its gauge as tall as its maximum level, on one scale of metres to pixels.
SlotArray<OverviewTank> overviewTanks(const TankTable &tanks);

// The fixed parts of the overview.
namespace Overview {
inline constexpr QRect TitleBand{0, 0, MapWidth, 46};
inline constexpr QRect DatePanel{500, 10, 288, 25};
inline constexpr QPoint DateLine{780, 30}; // right-bottom point of the date and time
inline constexpr int CollectorX = 776;     // the vertical collector every header pipe runs into
inline constexpr QRect Legend{12, 478, 560, 74};
inline constexpr QRect PumpStation{584, 478, 204, 74};
} // namespace Overview

// The tank screen, one picture for every tank.
namespace TankScreen {
inline constexpr QRect TitleBand{0, 0, MapWidth, 56};
inline constexpr QPoint NameText{24, 46};
inline constexpr QPoint SifraText{170, 46};
inline constexpr QPoint KindText{300, 46};

inline constexpr QRect TankPanel{12, 68, 320, 480};
inline constexpr QRect Shell{40, 98, 264, 394}; // below the roof
inline constexpr int RoofHeight = 26;
inline constexpr QRect GaugeBoard{104, 102, 124, 384};
// Bar 2 stands on the slot's bottom edge; its height depends on the tank (gaugeScale).
inline constexpr QRect GaugeSlot{164, 116, 36, 360};
inline constexpr int AxisGap = 10; // from the scale's axis to the slot
inline constexpr QPoint LampCentre{251, 137};
inline constexpr int LampRadius = 5;
inline constexpr QRect Nameplate{240, 124, 52, 26};
inline constexpr int DataLabelRight = 196; // tank data under the tank: labels end here, values at DataValueRight
inline constexpr int DataValueRight = 316;
inline constexpr int MaxLevelBottom = 524;
inline constexpr int MaxVolumeBottom = 542;

inline constexpr QRect ChartPanel{344, 68, 444, 268};
// The trend chart: 300 pixels of history, its right edge now; the frame lines are the picture's.
inline constexpr QRect Chart{440, 104, 300, 200};
inline constexpr int ChartDivisions = 10; // horizontal grid lines every tenth of the maximum level
inline constexpr int ChartHourStep = 60;  // pixels between the time labels, two hours apart
// The client writes the chart's time labels (2, 4, 6 and 8 hours ago) ending at 310, 250, 190 and
// 130 pixels right of the level element's origin (300 trend points, ValueAlign) and ending 35
// pixels below the origin plus the trend's height. This origin centres each label under the grid
// line of its hour, the chart's right edge being now, and puts the labels just below the chart.
inline constexpr int TimeLabelWidth = 40; // "hh : mm" in Arial 10
inline constexpr int TimeLabelsRight = 310;
inline constexpr int TimeLabelsBelow = 35;
inline constexpr int TimeLabelLift = 16; // the chart's top below the origin
inline constexpr QPoint LevelOrigin{
    Chart.left() + Chart.width() - ChartHourStep - (TimeLabelsRight - TimeLabelWidth / 2), Chart.top() - TimeLabelLift};
inline constexpr int TimeLabelBottom = LevelOrigin.y() + Chart.height() + TimeLabelsBelow;

inline constexpr QRect ValuePanel{344, 346, 444, 202};
enum class ValueRow { Level, Temperature, Volume, Remaining, Mass };
QRect valueBox(ValueRow row);
QPoint valueText(ValueRow row);  // right-bottom point of the value inside its box
QPoint valueLabel(ValueRow row); // right-bottom point of the row's label
} // namespace TankScreen

// The scale of bar 2 for a tank: whole metres (or every second metre when a metre is shorter than
// MinMetrePixels) as labelled major ticks, with a minor tick halfway between. The bar's height is
// the slot's height rounded to a whole number of pixels per label step, so that every tick lies
// within half a pixel of its level. Tick positions count from the bar's top down.
struct GaugeScale
{
    int barHeight = 0;
    double labelStep = 0; // metres between labels
    double topLabel = 0;  // the highest label, the first one drawn
    int majorStep = 0;    // pixels between labels
    int majorFirst = 0;
    int majorCount = 0;
    int minorFirst = 0; // halfway between majors, also above the top label when it fits
    int minorCount = 0;
};
inline constexpr int MinMetrePixels = 30;
GaugeScale gaugeScale(double maxLevel);
