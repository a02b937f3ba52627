// The arithmetic of the live refresh: current values, bars, volumes and masses, trend histories,
// the connection-lost count, the redraw counter and the pan of the picture.
#pragma once

#include "core/exchange/liverecord.h"
#include "main/plantmap.h"

#include <QLocale>
#include <QPoint>
#include <QSize>

#include <optional>

struct TankTable;

// Timer intervals of the live refresh, in milliseconds. The first redraw and value refresh follow
// the login closely; afterwards each tick sets the next, and a prompt redraw comes 10 ms after
// whatever asked for it.
namespace RefreshTiming {
inline constexpr int FirstRedraw = 100;
inline constexpr int FirstRefresh = 1000;
inline constexpr int Redraw = 10000;
inline constexpr int Refresh = 10000;
inline constexpr int Trend = 500;
inline constexpr int PromptRedraw = 10;
} // namespace RefreshTiming

// The redraw counter runs 1..699 and selects the current samples.
inline constexpr int CycleCounterLimit = 699;
int nextCycleCounter(int cycleCounter);

// (value - rangeMin) / (rangeMax - rangeMin) x 1000 to the nearest integer, halves to even; 0
// when the range is empty or the result is not a number. Not limited to 0..1000.
qint32 perMille(double value, double rangeMin, double rangeMax);

// What an element shows in place of a value its instrument did not give.
inline const QString NoReadingText = QStringLiteral("---");

// The value refresh after a successful exchange: every "l" and "t" takes its sample at
// cycleCounter + 299 (0 for a channel outside the table), its value texts and its bar (limited to
// 0..1000); then volumes, remaining volumes and masses from the tanks' geometry and materials.
void refreshValues(PlantMap &map, int cycleCounter, const TankTable &tanks, const QLocale &locale);
// The same from the live values: dataChannel d reads channel d - 1 (0 beyond channel 53); a
// channel whose device did not answer, or that no instrument feeds, shows NoReadingText with value
// and bar kept. Each channel's reading (nullopt for those) joins the map's live trail, and the
// trends follow the trail from then on.
void refreshLiveValues(PlantMap &map, const LiveRecord &record, const TankTable &tanks, const QLocale &locale);

// The element (1..120) whose trend the next trend tick fills: the first from cursor on, wrapping,
// with a channel in 1..53; nullopt when there is none.
std::optional<int> nextTrendElement(const PlantMap &map, int cursor);
// Fills the 301 entries of element k's history from the samples at cycleCounter + j (not limited;
// the last entry 0) and marks its trend ready. Once live values flow, entries 0..299 are the
// channel's live trail instead, newest in entry 299; entries without a reading are NoTrendEntry.
void fillTrend(PlantMap &map, int k, int cycleCounter);
// The cursor after element k was filled: k + 1, back to 1 past 120.
int trendCursorAfter(int k);

// Counts the refreshes that found no connection: the notice is due at the third since the last
// success or the last notice. Other failures neither count nor reset.
class ConnectionWatch
{
public:
    // Success hides the notice; ShowStatus puts the status number in a message box.
    enum class Action { HideNotice, None, ShowStatus, ShowNotice };
    Action onStatus(qint32 status);
    int lostCountdown() const { return m_lostCountdown; }

private:
    int m_lostCountdown = 3;
};

// The pan after a redraw: the drag step applied, then pinned so that the picture covers the
// window; (0, 0) when the window is minimised or maximised.
QPoint panAfterRedraw(QPoint pan, QPoint drag, QSize outerSize, bool normalState);

// The element (1..120) whose hot box on the current view lies around the point (strictly, without
// the pan); the last hit wins. nullopt when the point is over no hot spot.
std::optional<int> elementUnderPointer(const PlantMap &map, QPoint point);
