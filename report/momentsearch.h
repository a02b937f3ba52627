// The search of the history file for a moment and the quantities of every tank at that moment.
#pragma once

#include "core/history/chartrecord.h"
#include "core/history/historyblock.h"
#include "report/reportmoment.h"
#include "report/reporttable.h"

#include <QString>

#include <optional>

class DataFolder;
class Dialogs;

// The 0-based history channels of a tank's level and temperature.
struct ChannelPair
{
    qint32 level = 0;
    qint32 temperature = 0;
};
using ChannelPairs = SlotArray<ChannelPair>;

// The channels of the level and temperature settings of every tank's chart record.
ChannelPairs channelPairsOf(const TankChartRecords &records);

enum class SearchOutcome {
    Computed,      // a block began before the moment and the quantities were computed from it
    NoBlock,       // no block began before the moment: the quantities are unchanged
    FileFailed,    // "REPORT.STG" missing or unreadable, or a block the search reached incomplete
    StampRejected, // a stamp failed its check (a block's, a step's or the moment's own)
};

// The outcome of a search; text is for the operator and empty unless the search failed.
struct MomentSearch
{
    SearchOutcome outcome = SearchOutcome::NoBlock;
    QString text;
    std::optional<HistoryStamp> taken = std::nullopt; // the sample the quantities were read from
};

// Scans one block for the target and, unless a stamp fails its check (the quantities are then left
// as they were), updates the quantities of all fifteen tanks from the taken sample:
// - the first delta sample strictly later than the target, else the block's last delta sample (a
//   sample stamped exactly at the target is taken only when it is the last); never the base sample;
// - a stream that ends inside the block: its last complete delta sample counts as the last;
// - without a delta sample levels and temperatures stay and only volumes and masses are recomputed;
// - level = the channel's value, raised to deadZoneHeight / 1000; volume = diameter^2 * pi / 4 *
//   level - deadZoneVolume, at least 0; mass = ((20 - temperature) * 0.0007 + density20) * volume /
//   1000; all in long double.
MomentSearch ComputeQuantities(HistoryBlockBytes block, HistoryStamp target, const ChannelPairs &channels,
                               const TankTable &tanks, TankQuantities &quantities);

// Reads the folder's "REPORT.STG" block by block, newest first, and runs ComputeQuantities on the
// first block that begins before the moment; the blocks after it are not read.
MomentSearch FindMoment(const DataFolder &folder, const ReportMoment &moment, const TankChartRecords &records,
                        const TankTable &tanks, TankQuantities &quantities);

// What a search that did not fail means for the report: the moment its quantities now belong to
// (none when nothing changed) and what the operator is told about it.
struct ReportedMoment
{
    std::optional<ReportMoment> moment;
    QString notice;
};

inline const QString NoDataText = QStringLiteral("Nema podataka za taj trenutak.");

// No block before the moment: no moment, NoDataText. A sample taken from before the asked moment
// (the moment lies after the newest sample, or in a gap of the history): that sample's minute, named
// in the notice. Otherwise the asked moment without a notice.
ReportedMoment reportedMoment(const MomentSearch &search, const ReportMoment &asked);

// Shows a failed search the way the client does: a stamp check failure in a message box with the
// caption "Error", a file failure in the standard error report. Nothing otherwise.
void reportMomentSearch(const MomentSearch &search, Dialogs &dialogs);
