// Authoring of the demonstration map's elements: one title, level, temperature, volume, remaining
// volume and mass element per tank and the date line, each placed from the layout.
#include "demoplant/demoelements.h"

#include "demoplant/demolayout.h"

#include <initializer_list>
#include <utility>

namespace {

using namespace Qt::StringLiterals;
namespace Palette = DemoPalette;
namespace Size = DemoFontSize;
using TankScreen::ValueRow;

// Text items by number.
constexpr std::size_t ValueText = 2; // the refresh writes the value into text 0 and text 2
constexpr std::size_t OverviewText = 0;
constexpr std::size_t MaxLevelText = 4; // the login writes the maximum level and its label
constexpr std::size_t MaxLevelLabel = 5;
constexpr std::size_t MaxVolumeText = 0; // ... the maximum volume and its label
constexpr std::size_t MaxVolumeLabel = 1;
constexpr std::size_t RemainingLabel = 4; // ... and the remaining volume's label
constexpr std::size_t SifraText = 1;      // ... and the title's material sifra and kind
constexpr std::size_t KindText = 2;
constexpr std::size_t HotBox = 0; // box 1

// Bar 2's threshold markers: tips just right of the bar, pointing at it.
constexpr int MarkerGap = 3;
constexpr int MarkerLength = 11;
constexpr int MarkerHalfHeight = 6;
// The scale left of bar 2: ticks end at the axis, labels end left of the ticks.
constexpr int MajorTickLength = 9;
constexpr int MinorTickLength = 5;
constexpr int ScaleLabelDx = -MajorTickLength - 4;
constexpr int ScaleLabelDy = 7; // the label's bottom below its tick, so the tick meets its middle
constexpr int TrendPenWidth = 2;
constexpr double TemperatureRange = 100; // degrees Celsius shown as 1000 per mille

// An element of a tank: drawn, of the kind, for the tank number.
DisplayElement tankElement(const QString &kind, qint32 tankId)
{
    return DisplayElement{.shown = 1, .kind = kind, .tankId = tankId};
}

// Text item n of e in Arial, placed at the picture point `at` (relative to the element's origin).
void placeText(DisplayElement &e, std::size_t n, QPoint at, int size, WinColour colour, unsigned align = ValueAlign)
{
    e.textOn[n] = 1;
    e.textFont[n] = DemoFont;
    e.textSize[n] = size;
    e.textColour[n] = colour;
    e.textAlign[n] = static_cast<qint32>(align);
    e.textX[n] = at.x() - e.originX;
    e.textY[n] = at.y() - e.originY;
}

// The views of an element: part 0 on its tank's view (the view a double click opens) and every
// part listed on its view.
ElementViews viewsOf(qint32 scaleView, std::initializer_list<std::pair<std::size_t, qint32>> parts)
{
    ElementViews views;
    views.view[ScalePart] = scaleView;
    for (const auto &[part, view] : parts)
        views.view[part] = view;
    return views;
}

constexpr std::size_t textPart(std::size_t n) { return FirstTextPart + n; }

// The title: a hot spot over the tank on the overview; on the tank screen the lamp and name on the
// tank's nameplate and the name, sifra and kind in the title band.
DisplayElement titleElement(const TankRecord &tank, int slot, const OverviewTank &place)
{
    DisplayElement e = tankElement(u"r"_s, tank.tankId);
    e.name = tank.name;
    e.scaledValue = tankView(slot);
    e.boxHot[HotBox] = 1;
    e.boxX[HotBox] = place.hotSpot.x();
    e.boxY[HotBox] = place.hotSpot.y();
    e.boxWidth[HotBox] = place.hotSpot.width();
    e.boxHeight[HotBox] = place.hotSpot.height();
    e.lampX = TankScreen::LampCentre.x();
    e.lampY = TankScreen::LampCentre.y();
    e.lampRadius = TankScreen::LampRadius;
    e.accentColour = Palette::Lamp;
    e.text[0] = tank.name;
    placeText(e, 0, TankScreen::NameText, Size::TankName, Palette::TitleText, TitleAlign);
    placeText(e, SifraText, TankScreen::SifraText, Size::Material, Palette::Sifra, TitleAlign);
    placeText(e, KindText, TankScreen::KindText, Size::Material, Palette::TitleText, TitleAlign);
    return e;
}

// The level: bar 1 in the tank's gauge on the overview, in one colour by zone; on the tank screen
// bar 2 zone by zone with its markers and scale, the trend chart, the value and the maximum level.
// The origin is the one the chart's time labels need (TankScreen::LevelOrigin).
DisplayElement levelElement(const TankRecord &tank, int slot, const OverviewTank &place)
{
    DisplayElement e = tankElement(u"l"_s, tank.tankId);
    e.originX = TankScreen::LevelOrigin.x();
    e.originY = TankScreen::LevelOrigin.y();
    e.dataChannel = levelChannel(slot);
    e.rangeMin = 0;
    e.rangeMax = tank.maxLevel;
    e.valueFormat = u"%.3f m"_s;
    e.highLimit = HighLimit;
    e.lowLimit = LowLimit;
    e.highColour = Palette::High;
    e.midColour = Palette::Normal;
    e.lowColour = Palette::Low;

    e.bar1On = 1;
    e.bar1Solid = 1;
    e.bar1X = place.levelBar.x() - e.originX;
    e.bar1Y = place.levelBar.y() - e.originY;
    e.bar1Width = place.levelBar.width();
    e.bar1Height = place.levelBar.height();

    const GaugeScale scale = gaugeScale(tank.maxLevel);
    const QRect slotRect = TankScreen::GaugeSlot;
    e.bar2On = 1;
    e.bar2X = slotRect.x() - e.originX;
    e.bar2Y = slotRect.y() + slotRect.height() - scale.barHeight - e.originY;
    e.bar2Width = slotRect.width();
    e.bar2Height = scale.barHeight;
    e.markersOn = 1;
    e.markerDx = e.bar2Width + MarkerGap;
    e.markerLength = MarkerLength;
    e.markerHalfHeight = MarkerHalfHeight;
    e.highMarkerColour = Palette::High;
    e.lowMarkerColour = Palette::LowMarker;

    e.axisOn = 1;
    e.axisX = e.bar2X - TankScreen::AxisGap;
    e.axisY = e.bar2Y;
    e.axisLength = scale.barHeight;
    e.axisPenWidth = 1;
    e.axisColour = Palette::Label;
    e.majorOn = 1;
    e.majorLabelsOn = 1;
    e.majorLength = MajorTickLength;
    e.majorFirst = scale.majorFirst;
    e.majorStep = scale.majorStep;
    e.majorCount = scale.majorCount;
    e.majorPenWidth = 1;
    e.majorFontSize = Size::Scale;
    e.majorLabelDx = ScaleLabelDx;
    e.majorLabelDy = ScaleLabelDy;
    e.majorLabelAlign = static_cast<qint32>(ValueAlign);
    e.majorFont = DemoFont;
    e.majorColour = Palette::Label;
    e.majorLabelColour = Palette::Label;
    e.minorOn = 1;
    e.minorLength = MinorTickLength;
    e.minorFirst = scale.minorFirst;
    e.minorStep = scale.majorStep;
    e.minorCount = scale.minorCount;
    e.minorPenWidth = 1;
    e.minorFont = DemoFont;
    e.minorColour = Palette::Label;
    // Labels advance down the scale with the ticks: the highest first.
    e.labelFormat = u"%.0f"_s;
    e.labelStart = scale.topLabel;
    e.labelStep = -scale.labelStep;

    const QRect chart = TankScreen::Chart;
    e.vGridOn = 1;
    e.hGridOn = 1;
    e.trendOn = 1;
    e.chartX = chart.x() - e.originX;
    e.chartY = chart.y() - e.originY;
    e.chartWidth = chart.width();
    e.chartHeight = chart.height();
    e.vGridStep = TankScreen::ChartHourStep;
    e.hGridStep = chart.height() / TankScreen::ChartDivisions;
    e.gridPenWidth = 1;
    e.gridColour = Palette::Grid;
    // One pixel in, so that 0 and 1000 per mille fall on the frame's bottom and top lines and the
    // newest point on its right edge.
    e.trendX = e.chartX + 1;
    e.trendY = e.chartY + 1;
    e.trendPoints = chart.width();
    e.trendHeight = chart.height();
    e.trendPenWidth = TrendPenWidth;
    e.accentColour = Palette::Trend;

    placeText(e, OverviewText, place.levelText, Size::CardValue, Palette::Value);
    placeText(e, ValueText, TankScreen::valueText(ValueRow::Level), Size::ScreenValue, Palette::Value);
    placeText(e, MaxLevelText, {TankScreen::DataValueRight, TankScreen::MaxLevelBottom}, Size::Label, Palette::Value);
    // The last text before the time labels: they take its colour and alignment.
    placeText(e, MaxLevelLabel, {TankScreen::DataLabelRight, TankScreen::MaxLevelBottom}, Size::Label, Palette::Label);
    return e;
}

DisplayElement temperatureElement(const TankRecord &tank, int slot, const OverviewTank &place)
{
    DisplayElement e = tankElement(u"t"_s, tank.tankId);
    e.dataChannel = temperatureChannel(slot);
    e.rangeMin = 0;
    e.rangeMax = TemperatureRange;
    e.valueFormat = u"%.1f \u00B0C"_s;
    placeText(e, OverviewText, place.temperatureText, Size::CardValue, Palette::Value);
    placeText(e, ValueText, TankScreen::valueText(ValueRow::Temperature), Size::ScreenValue, Palette::Value);
    return e;
}

DisplayElement volumeElement(const TankRecord &tank)
{
    DisplayElement e = tankElement(u"v"_s, tank.tankId);
    e.valueFormat = u"%.3f m3"_s;
    placeText(e, MaxVolumeText, {TankScreen::DataValueRight, TankScreen::MaxVolumeBottom}, Size::Label, Palette::Value);
    placeText(e, MaxVolumeLabel, {TankScreen::DataLabelRight, TankScreen::MaxVolumeBottom}, Size::Label,
              Palette::Label);
    placeText(e, ValueText, TankScreen::valueText(ValueRow::Volume), Size::ScreenValue, Palette::Value);
    return e;
}

DisplayElement remainingElement(const TankRecord &tank)
{
    DisplayElement e = tankElement(u"p"_s, tank.tankId);
    e.valueFormat = u"%.3f m3"_s;
    placeText(e, ValueText, TankScreen::valueText(ValueRow::Remaining), Size::ScreenValue, Palette::Value);
    placeText(e, RemainingLabel, TankScreen::valueLabel(ValueRow::Remaining), Size::Label, Palette::Label);
    return e;
}

DisplayElement massElement(const TankRecord &tank)
{
    DisplayElement e = tankElement(u"m"_s, tank.tankId);
    e.valueFormat = u"%.1f t"_s;
    placeText(e, ValueText, TankScreen::valueText(ValueRow::Mass), Size::ScreenValue, Palette::Value);
    return e;
}

// The date line in the overview's title band; it follows the overview's value texts and so keeps
// their alignment.
DisplayElement clockElement()
{
    DisplayElement e{.shown = 1, .kind = u"d"_s, .clockOn = 1};
    e.boxX[DateLineBox] = Overview::DateLine.x();
    e.boxY[DateLineBox] = Overview::DateLine.y();
    return e;
}

} // namespace

std::size_t elementIndex(int slot, TankElement element)
{
    return static_cast<std::size_t>((slot - 1) * ElementsPerTank + static_cast<int>(element));
}

PlantMapRecords buildPlantMapRecords(const TankTable &tanks)
{
    PlantMapRecords map;
    const SlotArray<OverviewTank> places = overviewTanks(tanks);
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = tanks.slot(slot);
        const OverviewTank &place = places[slot];
        const qint32 own = tankView(slot);
        const auto put = [&](TankElement kind, DisplayElement element, ElementViews views) {
            map.elements[elementIndex(slot, kind)] = std::move(element);
            map.views[elementIndex(slot, kind)] = views;
        };
        put(TankElement::Title, titleElement(tank, slot, place),
            viewsOf(own, {{FirstBoxPart + HotBox, OverviewView},
                          {textPart(0), own},
                          {textPart(SifraText), own},
                          {textPart(KindText), own}}));
        put(TankElement::Level, levelElement(tank, slot, place),
            viewsOf(own, {{Bar1Part, OverviewView},
                          {textPart(OverviewText), OverviewView},
                          {textPart(ValueText), own},
                          {textPart(MaxLevelText), own},
                          {textPart(MaxLevelLabel), own}}));
        put(TankElement::Temperature, temperatureElement(tank, slot, place),
            viewsOf(own, {{textPart(OverviewText), OverviewView}, {textPart(ValueText), own}}));
        put(TankElement::Volume, volumeElement(tank),
            viewsOf(own,
                    {{textPart(MaxVolumeText), own}, {textPart(MaxVolumeLabel), own}, {textPart(ValueText), own}}));
        put(TankElement::Remaining, remainingElement(tank),
            viewsOf(own, {{textPart(ValueText), own}, {textPart(RemainingLabel), own}}));
        put(TankElement::Mass, massElement(tank), viewsOf(own, {{textPart(ValueText), own}}));
    }
    map.elements[ClockElement] = clockElement();
    map.views[ClockElement] = viewsOf(OverviewView, {});
    return map;
}

QByteArray encodeElementFile(const PlantMapRecords &records)
{
    QByteArray bytes;
    for (const DisplayElement &element : records.elements)
        bytes += encodeDisplayElement(element);
    return bytes;
}

QByteArray encodeViewFile(const PlantMapRecords &records)
{
    QByteArray bytes;
    for (const ElementViews &views : records.views)
        bytes += encodeElementViews(views);
    return bytes;
}
