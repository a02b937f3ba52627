// The live refresh's arithmetic, in the order the refresh applies it.
#include "main/liverefresh.h"

#include "core/plant/plantmodel.h"
#include "core/exchange/serverexchange.h"
#include "core/plantmap/valueformat.h"

#include <algorithm>
#include <deque>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr int TextCapacity = 40;
constexpr int CurrentSampleOffset = 299;

QString formatted(const DisplayElement &element, double value, const QLocale &locale)
{
    return formatValue(element.valueFormat, value, locale).left(TextCapacity);
}

bool isKind(const DisplayElement &element, char16_t kind)
{
    return element.kind.size() == 1 && element.kind.front() == QChar(kind);
}

// Calls f(tank) for every slot whose tank number is the element's.
template <typename F> void forMatchingSlots(const TankTable &tanks, const DisplayElement &element, F f)
{
    for (const TankRecord &tank : tanks.records) {
        if (tank.tankId == element.tankId)
            f(tank);
    }
}

// Calls f(other) for every element of the kind with the same tank number.
template <typename F> void forSameTank(PlantMap &map, const DisplayElement &element, char16_t kind, F f)
{
    for (DisplayElement &other : map.elements) {
        if (isKind(other, kind) && other.tankId == element.tankId)
            f(other);
    }
}

// Every kind but "l", "t" and "h" reads 0; "h" shows "0" and keeps its value. An "l" or "t" takes
// what read(dataChannel) gives; nullopt shows "---" and leaves value and bar as they were.
template <typename Read> void takeCurrentValue(DisplayElement &element, Read read, const QLocale &locale)
{
    const bool measured = isKind(element, u'l') || isKind(element, u't');
    if (element.dataChannel > 0 && isKind(element, u'h')) {
        element.text[0] = element.text[2] = QStringLiteral("0");
        return;
    }
    if (element.dataChannel <= 0 || !measured) {
        element.value = 0;
    } else if (const std::optional<double> reading = read(element.dataChannel)) {
        element.value = *reading;
    } else {
        element.text[0] = element.text[2] = NoReadingText;
        return;
    }
    if (measured) {
        element.text[0] = element.text[2] = formatted(element, element.value, locale);
        element.scaledValue = std::clamp(perMille(element.value, element.rangeMin, element.rangeMax), 0, 1000);
    }
}

void deriveQuantities(PlantMap &map, const TankTable &tanks, const QLocale &locale)
{
    for (DisplayElement &volume : map.elements) {
        if (!isKind(volume, u'v'))
            continue;
        forSameTank(map, volume, u'l', [&](const DisplayElement &level) {
            forMatchingSlots(tanks, volume, [&](const TankRecord &tank) {
                volume.value = tank.diameter * tank.diameter * std::numbers::pi / 4 * level.value;
                volume.text[2] = formatted(volume, volume.value, locale);
            });
        });
    }
    for (DisplayElement &remaining : map.elements) {
        if (!isKind(remaining, u'p'))
            continue;
        forSameTank(map, remaining, u'v', [&](const DisplayElement &volume) {
            forMatchingSlots(tanks, remaining, [&](const TankRecord &tank) {
                remaining.value = tank.maxVolume < volume.value ? 0.0 : tank.maxVolume - volume.value;
                remaining.text[2] = formatted(remaining, remaining.value, locale);
            });
        });
    }
    for (DisplayElement &mass : map.elements) {
        if (!isKind(mass, u'm'))
            continue;
        forSameTank(map, mass, u'v', [&](const DisplayElement &volume) {
            forMatchingSlots(tanks, mass, [&](const TankRecord &tank) {
                double density = tank.density20;
                forSameTank(map, mass, u't', [&](const DisplayElement &temperature) {
                    density = tank.density20 + 0.0007 * (20 - temperature.value);
                });
                mass.value = density * volume.value / 1000;
                mass.text[2] = formatted(mass, mass.value, locale);
            });
        });
    }
}

} // namespace

int nextCycleCounter(int cycleCounter) { return cycleCounter + 1 > CycleCounterLimit ? 1 : cycleCounter + 1; }

qint32 perMille(double value, double rangeMin, double rangeMax)
{
    const double scaled = std::nearbyint((value - rangeMin) / (rangeMax - rangeMin) * 1000);
    if (!std::isfinite(scaled)) // an empty range, or a value that is not a number
        return 0;
    constexpr double Limit = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::clamp(scaled, -Limit, Limit));
}

void refreshValues(PlantMap &map, int cycleCounter, const TankTable &tanks, const QLocale &locale)
{
    // A channel beyond the table has no samples: it reads as 0.
    const auto read = [&map, cycleCounter](int channel) {
        return SampleTable::hasChannel(channel) ? map.samples.at(channel, cycleCounter + CurrentSampleOffset) : 0.0;
    };
    for (DisplayElement &element : map.elements)
        takeCurrentValue(
            element, [&](int channel) { return std::optional(read(channel)); }, locale);
    deriveQuantities(map, tanks, locale);
}

void refreshLiveValues(PlantMap &map, const LiveRecord &record, const TankTable &tanks, const QLocale &locale)
{
    const auto read = [&record](int dataChannel) -> std::optional<double> {
        const int channel = dataChannel - 1;
        if (channel >= ChannelCount)
            return 0.0;
        if (!record.measured(channel))
            return std::nullopt;
        return static_cast<double>(channelValue(record.raw[static_cast<std::size_t>(channel)]));
    };
    for (DisplayElement &element : map.elements)
        takeCurrentValue(element, read, locale);
    deriveQuantities(map, tanks, locale);
    for (int channel = 0; channel < ChannelCount; ++channel) {
        std::deque<std::optional<double>> &trail = map.liveTrail[static_cast<std::size_t>(channel)];
        if (trail.size() == LiveTrailLength)
            trail.pop_front();
        trail.push_back(record.measured(channel) ? std::optional(
                            static_cast<double>(channelValue(record.raw[static_cast<std::size_t>(channel)])))
                                                 : std::nullopt);
    }
    map.liveFlowing = true;
}

std::optional<int> nextTrendElement(const PlantMap &map, int cursor)
{
    int k = cursor < 1 || cursor > ElementCount ? 1 : cursor;
    for (int tried = 0; tried < ElementCount; ++tried) {
        const int channel = map.elements[static_cast<std::size_t>(k - 1)].dataChannel;
        if (channel >= 1 && channel <= SampleTable::Channels - 1)
            return k;
        k = k == ElementCount ? 1 : k + 1;
    }
    return std::nullopt;
}

void fillTrend(PlantMap &map, int k, int cycleCounter)
{
    DisplayElement &element = map.elements[static_cast<std::size_t>(k - 1)];
    TrendHistory &history = map.histories[static_cast<std::size_t>(k - 1)];
    if (map.liveFlowing) {
        const std::deque<std::optional<double>> &trail
            = map.liveTrail[static_cast<std::size_t>(element.dataChannel - 1)];
        const std::size_t empty = LiveTrailLength - trail.size();
        for (std::size_t j = 0; j + 1 < history.size(); ++j) {
            const std::optional<double> reading = j < empty ? std::nullopt : trail[j - empty];
            history[j] = reading ? perMille(*reading, element.rangeMin, element.rangeMax) : NoTrendEntry;
        }
    } else {
        for (std::size_t j = 0; j + 1 < history.size(); ++j)
            history[j] = perMille(map.samples.at(element.dataChannel, cycleCounter + static_cast<int>(j)),
                                  element.rangeMin, element.rangeMax);
    }
    history.back() = 0;
    element.trendReady = 1;
}

int trendCursorAfter(int k) { return k + 1 > ElementCount ? 1 : k + 1; }

ConnectionWatch::Action ConnectionWatch::onStatus(qint32 status)
{
    if (status == ExchangeStatus::Success) {
        m_lostCountdown = 3;
        return Action::HideNotice;
    }
    if (status != ExchangeStatus::NoConnection)
        return Action::ShowStatus;
    if (--m_lostCountdown >= 1)
        return Action::None;
    m_lostCountdown = 3;
    return Action::ShowNotice;
}

QPoint panAfterRedraw(QPoint pan, QPoint drag, QSize outerSize, bool normalState)
{
    if (!normalState)
        return {};
    int x = pan.x() - drag.x();
    int y = pan.y() - drag.y();
    if (outerSize.width() > x + PictureWidth)
        x = outerSize.width() - PictureWidth;
    // The height is tested against 580 but set from 560, as the operators' stations always did.
    if (outerSize.height() > y + 580)
        y = outerSize.height() - PictureHeight;
    return {std::min(x, 0), std::min(y, 0)};
}

std::optional<int> elementUnderPointer(const PlantMap &map, QPoint point)
{
    std::optional<int> hit;
    for (std::size_t k = 0; k < map.elements.size(); ++k) {
        const DisplayElement &element = map.elements[k];
        for (std::size_t n = 0; n < BoxCount; ++n) {
            if (!element.boxHot[n] || !map.drawnParts[k][n + 2])
                continue;
            const int left = element.originX + element.boxX[n];
            const int top = element.originY + element.boxY[n];
            if (left < point.x() && point.x() < left + element.boxWidth[n] && top < point.y()
                && point.y() < top + element.boxHeight[n])
                hit = static_cast<int>(k) + 1;
        }
    }
    return hit;
}
