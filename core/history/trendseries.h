// The chart's history of one tank: level, temperature, mass and volume at up to 60 000 positions.
#pragma once

#include "core/history/chartrecord.h"
#include "core/history/historystamp.h"
#include "core/history/trendratio.h"

#include <QString>
#include <QtGlobal>

#include <array>

class DataFolder;
class Dialogs;
struct TankRecord;

inline constexpr int TrendCapacity = 60000;

// Positions 1..60000 index the arrays directly; index 0 is never used.
template <typename T> using TrendArray = std::array<T, TrendCapacity + 1>;

// One instance lives for the whole run (about 5 MB: allocate it once, on the heap) and every load
// replaces its contents. Position 1 is the newest sample, higher positions lie further back.
// Positions above sampleCount hold zero values and a zero time stamp.
struct TrendSeries
{
    qint32 sampleCount = 0;                // valid positions 1..sampleCount, never above TrendCapacity
    TrendArray<long double> level{};       // m
    TrendArray<long double> temperature{}; // degrees Celsius
    TrendArray<long double> mass{};        // t
    TrendArray<long double> volume{};      // m3
    TrendArray<SampleTime> times{};

    // What the last load read before it stretched the series: the samples and the ratio.
    qint32 loadedCount = 0;
    TrendRatio ratio;

    const TrendArray<long double> &values(Quantity quantity) const
    {
        return ofQuantity(quantity, level, temperature, mass, volume);
    }
    // Empties the series where it lies: sample count and every position back to zero, ratio 1/1.
    // Assigning a new TrendSeries would build a temporary of the series' size on the stack.
    void clear();
    // True when the position holds a loaded sample. Stretching can leave positions inside
    // 1..sampleCount without one: their source would lie past the loaded samples.
    bool holdsSample(int position) const;
};

enum class TrendProblem {
    None,
    FileMissing,   // no "REPORT.STG": the series is empty
    ReadFailed,    // the file could not be read: the blocks before the failure are loaded
    ShortBlock,    // the last block is incomplete: the complete blocks before it are loaded
    StampRejected, // a time step failed the stamp check: the samples before it are loaded
};

// The outcome of a load; text is for the operator.
struct TrendLoad
{
    TrendProblem problem = TrendProblem::None;
    QString text;
};

// Loads one tank's history from the folder's "REPORT.STG" into series:
// - level and temperature come from the channels of the tank's chart record (a channel outside
//   0..53 gives 0.0 for its quantity), volume = diameter^2 * pi / 4 * level (m3) and
//   mass = ((20 - temperature) * 0.0007 + density20) * volume / 1000 (t), all in long double;
// - the newest 60 000 samples are kept, older blocks are not read;
// - then the series is stretched by the ratio (a term below 1 counts as 1): position p takes the
//   sample ceil(p * dd / mm) when that sample, stretched, still reaches p (with mm up to 12 it
//   always does), and sampleCount becomes round(sampleCount * mm / dd), half to even, at most 60 000.
// A problem stops the reading where it occurred; what was loaded before it is kept and stretched.
// Nothing is allocated per sample; the file is read in 4096-byte blocks and closed at the end.
TrendLoad LoadTrend(TrendSeries &series, const DataFolder &folder, const TankChartRecord &chart, const TankRecord &tank,
                    TrendRatio ratio);

// Shows a load's problem the way the client does: a stamp check failure in a message box with the
// caption "Error", a missing or unreadable file in the standard error report. Nothing for None.
void reportTrendLoad(const TrendLoad &load, Dialogs &dialogs);
