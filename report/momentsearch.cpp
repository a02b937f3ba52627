// The search of the history file for the report's moment.
#include "report/momentsearch.h"

#include "core/history/channelreading.h"
#include "core/history/historyfile.h"
#include "core/services/dialogs.h"

#include <numbers>
#include <utility>

namespace {

MomentSearch stampRejected(StampError error) { return {SearchOutcome::StampRejected, stampErrorText(error)}; }

// Steps through the block to the sample that stands for the target. Nullopt when no delta sample
// is complete; a stamp failure is returned in `rejected`.
const HistorySample *takenSample(HistoryBlockReader &reader, HistoryStamp target, std::optional<StampError> &rejected)
{
    for (;;) {
        switch (reader.next()) {
        case BlockStep::Sample: {
            const HistoryStamp stamp = reader.sample().stamp;
            const StampDifference d = DiffSeconds(stamp.date, stamp.timeMs, target.date, target.timeMs);
            if (d.error) {
                rejected = d.error;
                return nullptr;
            }
            if (d.seconds > 0 || reader.index() == reader.deltaCount())
                return &reader.sample();
            break;
        }
        case BlockStep::StampRejected:
            rejected = reader.stampError();
            return nullptr;
        case BlockStep::End:
        case BlockStep::Overrun:
            return reader.index() > 0 ? &reader.sample() : nullptr;
        }
    }
}

void computeVolumeAndMass(const TankRecord &tank, TankQuantity &q)
{
    const long double diameter = tank.diameter;
    q.volume = diameter * diameter * std::numbers::pi_v<long double> / 4 * q.level
               - static_cast<long double>(tank.deadZoneVolume);
    if (q.volume < 0)
        q.volume = 0;
    q.mass = ((20 - q.temperature) * 0.0007L + static_cast<long double>(tank.density20)) * q.volume / 1000;
}

} // namespace

ChannelPairs channelPairsOf(const TankChartRecords &records)
{
    ChannelPairs pairs;
    for (int slot = 1; slot <= TankCount; ++slot)
        pairs[slot] = {records[slot].level.channel, records[slot].temperature.channel};
    return pairs;
}

MomentSearch ComputeQuantities(HistoryBlockBytes block, HistoryStamp target, const ChannelPairs &channels,
                               const TankTable &tanks, TankQuantities &quantities)
{
    HistoryBlockReader reader(block);
    std::optional<StampError> rejected;
    const HistorySample *sample = takenSample(reader, target, rejected);
    if (rejected)
        return stampRejected(*rejected);
    TankQuantities computed = quantities;
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = tanks.slot(slot);
        TankQuantity &q = computed[slot];
        if (sample) {
            q.level = channelReading(*sample, channels[slot].level);
            const long double floor = static_cast<long double>(tank.deadZoneHeight) / 1000;
            if (q.level < floor)
                q.level = floor;
            q.temperature = channelReading(*sample, channels[slot].temperature);
        }
        computeVolumeAndMass(tank, q);
    }
    quantities = computed;
    return {SearchOutcome::Computed, {}, sample ? std::optional(sample->stamp) : std::nullopt};
}

MomentSearch FindMoment(const DataFolder &folder, const ReportMoment &moment, const TankChartRecords &records,
                        const TankTable &tanks, TankQuantities &quantities)
{
    const ChannelPairs channels = channelPairsOf(records);
    const HistoryStamp target = stampOf(moment);
    HistoryFile file(folder);
    std::array<char, HistoryBlockSize> block;
    for (;;) {
        const HistoryRead read = file.readBlock(block);
        if (read == HistoryRead::EndOfFile)
            return {SearchOutcome::NoBlock, {}};
        if (read != HistoryRead::Block)
            return {SearchOutcome::FileFailed, file.problemText(read)};
        const HistoryStamp begins = blockStamp(block);
        const StampDifference d = DiffSeconds(begins.date, begins.timeMs, target.date, target.timeMs);
        if (d.error)
            return stampRejected(*d.error);
        if (d.seconds < 0)
            return ComputeQuantities(block, target, channels, tanks, quantities);
    }
}

ReportedMoment reportedMoment(const MomentSearch &search, const ReportMoment &asked)
{
    if (search.outcome != SearchOutcome::Computed)
        return {std::nullopt, NoDataText};
    const HistoryStamp target = stampOf(asked);
    const auto order = [](const HistoryStamp &s) { return std::pair(s.date, s.timeMs); };
    if (!search.taken || order(*search.taken) >= order(target))
        return {asked, {}};
    const ReportMoment earlier = minuteOf(*search.taken);
    return {earlier,
            QStringLiteral("Za taj trenutak nema podataka. Prikazano je stanje od %1. u %2.")
                .arg(DateText(earlier.day, earlier.month, earlier.year), TimeText(earlier.hour, earlier.minute))};
}

void reportMomentSearch(const MomentSearch &search, Dialogs &dialogs)
{
    if (search.outcome == SearchOutcome::StampRejected)
        dialogs.message(search.text, StampErrorCaption);
    else if (search.outcome == SearchOutcome::FileFailed)
        dialogs.reportError(search.text);
}
