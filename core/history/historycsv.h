// The history of one tank as comma-separated text for spreadsheets and scripts.
#pragma once

#include "core/history/trendseries.h"

#include <QString>

#include <optional>

class QIODevice;
struct TankRights;

// A moment to the minute, comparable with the positions' time stamps.
struct CsvMoment
{
    qint32 year = 0;
    qint32 month = 0;
    qint32 day = 0;
    qint32 hour = 0;
    qint32 minute = 0;
    auto operator<=>(const CsvMoment &) const = default;
};

// "YYYY-MM-DD" or "YYYY-MM-DDTHH:MM". A date alone is its first minute, or with endOfDay its last
// (23:59), so that a range of dates includes both days. Nullopt when the text is not such a moment
// of a real calendar day.
std::optional<CsvMoment> parseCsvMoment(const QString &text, bool endOfDay);

// Inclusive bounds; an absent bound does not limit.
struct CsvRange
{
    std::optional<CsvMoment> from;
    std::optional<CsvMoment> to;
};

// The moments of the samples the series holds from position newest back to position oldest (held
// within 1..sampleCount, then moved inward past positions without a sample): the range of times a
// stretch of the chart shows. Nullopt when none of those positions holds a sample.
std::optional<CsvRange> csvRangeBetween(const TrendSeries &series, int newest, int oldest);

inline const QString HistoryCsvHeader = QStringLiteral("position,date,time,level_m,temperature_c,volume_m3,mass_t");

// Writes the header and one line per position that holds a sample and lies in the range, oldest
// first: position, date YYYY-MM-DD, time HH:MM, then level, temperature, volume and mass with three
// decimals and "." whatever the locale; a quantity the rights do not grant is left empty.
// False when the device refused the text.
bool writeHistoryCsv(QIODevice &out, const TrendSeries &series, const TankRights &rights, const CsvRange &range = {});
