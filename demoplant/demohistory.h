// The demonstration history: "REPORT.STG" with 60 days of the 54 channels and the chart records
// of "Report.rez" for the 15 tanks.
#pragma once

#include "core/history/chartrecord.h"
#include "core/plant/plantmodel.h"
#include "demoplant/demomodel.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

inline constexpr int DemoHistoryDays = 60;
inline constexpr int DemoSampleSeconds = 600;
// One sample every 10 minutes over the days, the last one at the end moment.
inline constexpr int DemoSampleCount = DemoHistoryDays * 144 + 1;

// The history file: the header and the blocks, newest first, the last sample stamped with the
// date and time of day of end (seconds kept, milliseconds dropped). Levels fill and empty in the
// day shifts and rest at night; fats and fatty acid are kept warm, oils follow the weather. The
// same tanks and end always give the same bytes.
QByteArray demoHistoryFile(const TankTable &tanks, const QDateTime &end);

// Per tank: title, legends, units, scales that fit the tank, distinct colours, level on the left
// axis and temperature on the right, and the tank's two channels.
TankChartRecords demoChartRecords(const TankTable &tanks);

// Writes both files into the existing folder; nullopt on success, else the text of the failure.
std::optional<QString> writeDemoHistory(const QString &folder, const TankTable &tanks, const QDateTime &end);
