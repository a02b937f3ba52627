// Positions of the overview's tanks, the tank screen's value rows and the gauge scales.
#include "demoplant/demolayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PixelsPerMetre = 8.5;
constexpr int UpperRowSlots = 7; // slots 1 to 7; the rest stand in the lower row
constexpr int UpperRowTop = 54;
constexpr int RowGap = 14; // from a row's cards to the next row's tallest roof
constexpr int TankAreaLeft = 16;
constexpr int TankAreaRight = 760;   // left of the collector
constexpr int GaugeTopMargin = 6;    // shell above the gauge
constexpr int GaugeBottomMargin = 5; // shell below the gauge, above the bottom rim
constexpr int MinGaugeWidth = 10;
constexpr int MaxGaugeWidth = 18;
constexpr int CardMinWidth = 72; // room for "12.781 m" beside its letter
constexpr int CardGap = 26;      // from the tank's lowest point to its card
constexpr int CardHeight = 48;
constexpr int CardTextInset = 5;
constexpr int LevelTextBottom = 31; // below the card's top
constexpr int TemperatureTextBottom = 45;
constexpr int PipeDrop = 15; // the header pipe below the tanks' lowest points
constexpr int HotSpotMargin = 3;

constexpr int ValueRowsTop = 374;
constexpr int ValueRowPitch = 34;
constexpr int ValueBoxLeft = 566;
constexpr int ValueBoxRight = 776;
constexpr int ValueBoxHeight = 28;
constexpr int ValueInset = 10;
constexpr int ValueBaseline = 22; // value bottom below the box top
constexpr int LabelGap = 12;      // label end to box

int pixels(double metres) { return static_cast<int>(std::lround(metres * PixelsPerMetre)); }

// One tank's size before it is placed in its row.
struct TankSize
{
    int width;
    int roof;
    int rim;
    int gauge;
    int shell;
    int cell; // the width the tank and its card take in the row
};

TankSize tankSize(const TankRecord &tank)
{
    TankSize size{};
    size.width = pixels(tank.diameter);
    size.roof = std::max(4, size.width / 8);
    size.rim = size.roof / 2;
    size.gauge = pixels(tank.maxLevel);
    size.shell = GaugeTopMargin + size.gauge + GaugeBottomMargin + size.rim;
    size.cell = std::max(size.width, CardMinWidth);
    return size;
}

// Places slots first to last (1-based, inclusive) in one row whose tallest tank's roof starts at
// top, the cells spread with equal gaps; returns the bottom of the row's cards.
int placeRow(const TankTable &tanks, int first, int last, int top, SlotArray<OverviewTank> &placed)
{
    SlotArray<TankSize> sizes{};
    int cells = 0;
    int tallest = 0;
    for (int slot = first; slot <= last; ++slot) {
        const TankSize size = tankSize(tanks.slot(slot));
        sizes[slot] = size;
        cells += size.cell;
        tallest = std::max(tallest, size.roof + size.shell);
    }
    const int ground = top + tallest;
    const double gap = double(TankAreaRight - TankAreaLeft - cells) / (last - first + 2);
    double left = TankAreaLeft + gap;
    for (int slot = first; slot <= last; ++slot) {
        const TankSize &size = sizes[slot];
        const int cellLeft = static_cast<int>(std::lround(left));
        const int centre = cellLeft + size.cell / 2;
        const int gaugeWidth = std::clamp(size.width / 5, MinGaugeWidth, MaxGaugeWidth);
        OverviewTank &tank = placed[slot];
        tank.shell = QRect(centre - size.width / 2, ground - size.shell, size.width, size.shell);
        tank.roofHeight = size.roof;
        tank.levelBar = QRect(centre - gaugeWidth / 2, tank.shell.top() + GaugeTopMargin, gaugeWidth, size.gauge);
        tank.card = QRect(cellLeft, ground + CardGap, size.cell, CardHeight);
        const int textRight = tank.card.left() + tank.card.width() - CardTextInset;
        tank.levelText = QPoint(textRight, tank.card.top() + LevelTextBottom);
        tank.temperatureText = QPoint(textRight, tank.card.top() + TemperatureTextBottom);
        tank.pipeY = ground + PipeDrop;
        const int hotTop = tank.outline().top() - HotSpotMargin;
        tank.hotSpot = QRect(cellLeft, hotTop, size.cell, tank.card.bottom() + HotSpotMargin - hotTop);
        left += size.cell + gap;
    }
    return ground + CardGap + CardHeight;
}

} // namespace

SlotArray<OverviewTank> overviewTanks(const TankTable &tanks)
{
    SlotArray<OverviewTank> placed{};
    const int upperBottom = placeRow(tanks, 1, UpperRowSlots, UpperRowTop, placed);
    placeRow(tanks, UpperRowSlots + 1, TankCount, upperBottom + RowGap, placed);
    return placed;
}

namespace TankScreen {

QRect valueBox(ValueRow row)
{
    const int top = ValueRowsTop + static_cast<int>(row) * ValueRowPitch;
    return QRect(QPoint(ValueBoxLeft, top), QPoint(ValueBoxRight - 1, top + ValueBoxHeight - 1));
}

QPoint valueText(ValueRow row)
{
    const QRect box = valueBox(row);
    return QPoint(ValueBoxRight - ValueInset, box.top() + ValueBaseline);
}

QPoint valueLabel(ValueRow row) { return QPoint(ValueBoxLeft - LabelGap, valueText(row).y()); }

} // namespace TankScreen

GaugeScale gaugeScale(double maxLevel)
{
    constexpr int SlotHeight = TankScreen::GaugeSlot.height();
    GaugeScale scale;
    scale.labelStep = SlotHeight / maxLevel >= MinMetrePixels ? 1 : 2;
    const int steps = static_cast<int>(std::floor(maxLevel / scale.labelStep));
    scale.majorStep = static_cast<int>(std::floor(SlotHeight * scale.labelStep / maxLevel));
    scale.barHeight = static_cast<int>(std::lround(maxLevel / scale.labelStep * scale.majorStep));
    scale.topLabel = steps * scale.labelStep;
    scale.majorFirst = scale.barHeight - steps * scale.majorStep;
    scale.majorCount = steps + 1;
    const int half = scale.majorStep / 2;
    const bool aboveTop = scale.majorFirst >= half;
    scale.minorFirst = aboveTop ? scale.majorFirst - half : scale.majorFirst + half;
    scale.minorCount = aboveTop ? steps + 1 : steps;
    return scale;
}
