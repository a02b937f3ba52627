// One 4096-byte block of the history file "REPORT.STG", decoded sample by sample from a buffer.
#pragma once

#include "core/history/historystamp.h"

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <span>

inline const QString HistoryFileName = QStringLiteral("REPORT.STG");

// The file: a 4096-byte header (not interpreted), then blocks of 4096 bytes, newest block first.
inline constexpr std::size_t HistoryHeaderSize = 4096;
inline constexpr std::size_t HistoryBlockSize = 4096;
inline constexpr int ChannelCount = 54;
inline constexpr int CounterCount = 12;

// Block layout, little-endian: 0 u32 blockDate (PackedDate), 4 u32 blockTime (ms of the day),
// 8 u32 not read, 12 u32 deltaCount of which only the low byte counts, 16 i16[54] baseChannels,
// 124 i32[12] baseCounters, 172 the delta stream up to byte 4095. Each delta sample is one code
// for the time step in seconds, 54 channel codes and 12 counter codes.
namespace HistoryBlockLayout {
inline constexpr std::size_t BlockDate = 0;
inline constexpr std::size_t BlockTime = 4;
inline constexpr std::size_t DeltaCount = 12;
inline constexpr std::size_t BaseChannels = 16;
inline constexpr std::size_t BaseCounters = 124;
inline constexpr std::size_t DeltaStream = 172;
} // namespace HistoryBlockLayout

using HistoryBlockBytes = std::span<const char, HistoryBlockSize>;

// The stamp of a block's base sample, read without decoding the block (the report's search).
HistoryStamp blockStamp(HistoryBlockBytes block);

// One decoded sample: its stamp and the running 32-bit channel and counter values.
struct HistorySample
{
    HistoryStamp stamp;
    std::array<qint32, ChannelCount> channels{};
    std::array<qint32, CounterCount> counters{};
};

// A channel's engineering value: (raw + 16000) / 500 (raw -16000 gives 0.0, each step 0.002).
inline long double channelValue(qint32 raw) { return (static_cast<long double>(raw) + 16000.0L) / 500.0L; }

// The raw value of engineering 0.0: what a channel holds before anything was measured on it.
inline constexpr qint32 ZeroRaw = -16000;

// The raw value the history stores for an engineering value: round(value x 500 - 16000), held to
// the 16 bits a block's base sample has (engineering -33.536 to 97.534). NaN reads as 0.0.
struct ChannelRaw
{
    qint32 raw = 0;
    bool clamped = false; // the value lay outside the range and holds its nearer end
};
ChannelRaw channelRaw(double value);

// How a step through a block ended.
enum class BlockStep {
    Sample,        // sample() holds the next delta sample
    End,           // no delta sample is left; sample() holds the block's last one
    Overrun,       // the next delta sample would run past byte 4095 (a corrupt deltaCount); nothing
                   // was read past the block and sample() holds the last complete sample
    StampRejected, // the time step failed the stamp check (see stampError()); the load stops here
};

// Walks a block: construction decodes the base sample (sample 0), each next() the following delta
// sample. The reader refers to the block's bytes, which must outlive it. Nothing is allocated.
class HistoryBlockReader
{
public:
    explicit HistoryBlockReader(HistoryBlockBytes block);

    // The delta samples that follow the base sample, 0 to 255.
    int deltaCount() const { return m_deltaCount; }
    // 0 for the base sample, j for delta sample j.
    int index() const { return m_index; }
    const HistorySample &sample() const { return m_sample; }
    // Where the next delta sample begins: after End, the end of the block's delta stream.
    std::size_t cursor() const { return m_cursor; }

    // Decodes the next delta sample: `while (reader.next() == BlockStep::Sample)` visits them all.
    // After End, Overrun or StampRejected every further call returns the same outcome again and
    // sample() stays as it was.
    BlockStep next();
    // The failed check after StampRejected.
    StampError stampError() const { return m_stampError; }

    // From the next delta sample on, follows only these channels (numbers outside 0..53 are
    // ignored) and no counter: the codes of the others are skipped, and their values in sample()
    // go stale. Every stamp and every check stays as it was. A chart needs two channels of 54.
    void followOnly(std::initializer_list<qint32> channels);

private:
    // True when the sample's channel and counter codes from cursor on lie wholly inside the block.
    bool sampleFits(std::size_t cursor) const;
    // Adds the next N codes to values; the caller has checked that they lie inside the block.
    template <std::size_t N> void addDeltasInside(std::array<qint32, N> &values, std::size_t &cursor) const;
    // The same for the followed channels only, skipping every other code of the sample.
    void addFollowedInside(std::size_t &cursor);

    HistoryBlockBytes m_block;
    std::size_t m_cursor = HistoryBlockLayout::DeltaStream;
    int m_deltaCount = 0;
    int m_index = 0;
    BlockStep m_finished = BlockStep::Sample; // Sample while the block has samples left
    StampError m_stampError = StampError::InvalidTime;
    HistorySample m_sample;
    bool m_followsAll = true;
    std::array<std::size_t, ChannelCount> m_followed{}; // ascending, without repeats
    std::size_t m_followedCount = 0;
};
