// Decoding of one history block: the base sample from fixed fields, then the delta samples.
#include "core/history/historyblock.h"

#include "core/codec/bytes.h"
#include "core/history/deltacode.h"

#include <cstring>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using namespace HistoryBlockLayout;

// Every fixed field lies inside the block, so these reads cannot fail.
quint32 u32At(HistoryBlockBytes block, std::size_t offset) { return readU32(block, offset).value_or(0); }

// The longest channel and counter codes a delta sample can hold.
constexpr std::size_t MaxSampleCodes = (ChannelCount + CounterCount) * MaxDeltaCodeSize;

// The accumulators wrap around like the acquisition side's 32-bit registers.
qint32 wrappingAdd(qint32 value, qint32 delta)
{
    return static_cast<qint32>(static_cast<quint32>(value) + static_cast<quint32>(delta));
}

} // namespace

HistoryStamp blockStamp(HistoryBlockBytes block) { return {u32At(block, BlockDate), u32At(block, BlockTime)}; }

HistoryBlockReader::HistoryBlockReader(HistoryBlockBytes block)
    : m_block(block)
    , m_deltaCount(static_cast<int>(u32At(block, DeltaCount) & 0xFFu))
{
    m_sample.stamp = blockStamp(block);
    for (std::size_t c = 0; c < m_sample.channels.size(); ++c)
        m_sample.channels[c] = readI16(block, BaseChannels + 2 * c).value_or(0);
    for (std::size_t c = 0; c < m_sample.counters.size(); ++c)
        m_sample.counters[c] = readI32(block, BaseCounters + 4 * c).value_or(0);
}

template <std::size_t N>
void HistoryBlockReader::addDeltasInside(std::array<qint32, N> &values, std::size_t &cursor) const
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(m_block.data());
    for (qint32 &value : values) {
        const std::size_t length = deltaCodeLength(bytes[cursor]);
        value = wrappingAdd(value, deltaCodeValue(bytes + cursor, length));
        cursor += length;
    }
}

namespace {

constexpr auto CodeLengths = [] {
    std::array<quint8, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b)
        table[b] = static_cast<quint8>(deltaCodeLength(static_cast<quint32>(b)));
    return table;
}();

// True when all eight bytes are one-byte codes: bit 6 clear and none of them 0x3F.
bool eightShortCodes(const unsigned char *p)
{
    constexpr quint64 Ones = 0x0101010101010101u;
    constexpr quint64 Highs = 0x8080808080808080u;
    quint64 word;
    std::memcpy(&word, p, sizeof word);
    const quint64 long3F = word ^ (Ones * 0x3Fu);
    const bool any3F = ((long3F - Ones) & ~long3F & Highs) != 0;
    return (word & (Ones * 0x40u)) == 0 && !any3F;
}

// Steps over count codes; the caller has checked that they lie inside the block. Channels that
// move slowly take one byte each, so eight of them are stepped over at once where they can.
std::size_t skipCodes(const unsigned char *bytes, std::size_t at, std::size_t count)
{
    while (count >= 8 && at + 8 <= HistoryBlockSize && eightShortCodes(bytes + at)) {
        at += 8;
        count -= 8;
    }
    for (; count > 0; --count)
        at += CodeLengths[bytes[at]];
    return at;
}

} // namespace

bool HistoryBlockReader::sampleFits(std::size_t cursor) const
{
    if (HistoryBlockSize - cursor >= MaxSampleCodes)
        return true;
    const auto *bytes = reinterpret_cast<const unsigned char *>(m_block.data());
    for (int code = 0; code < ChannelCount + CounterCount; ++code) {
        if (cursor >= HistoryBlockSize)
            return false;
        cursor += CodeLengths[bytes[cursor]];
    }
    return cursor <= HistoryBlockSize;
}

void HistoryBlockReader::addFollowedInside(std::size_t &cursor)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(m_block.data());
    std::size_t at = cursor;
    std::size_t code = 0; // the code at `at`
    for (std::size_t i = 0; i < m_followedCount; ++i) {
        const std::size_t channel = m_followed[i];
        at = skipCodes(bytes, at, channel - code);
        const std::size_t length = CodeLengths[bytes[at]];
        m_sample.channels[channel] = wrappingAdd(m_sample.channels[channel], deltaCodeValue(bytes + at, length));
        at += length;
        code = channel + 1;
    }
    cursor = skipCodes(bytes, at, ChannelCount + CounterCount - code);
}

void HistoryBlockReader::followOnly(std::initializer_list<qint32> channels)
{
    std::array<bool, ChannelCount> followed{};
    for (const qint32 channel : channels) {
        if (channel >= 0 && channel < ChannelCount)
            followed[static_cast<std::size_t>(channel)] = true;
    }
    m_followsAll = false;
    m_followedCount = 0;
    for (std::size_t channel = 0; channel < followed.size(); ++channel) {
        if (followed[channel])
            m_followed[m_followedCount++] = channel;
    }
}

BlockStep HistoryBlockReader::next()
{
    if (m_finished != BlockStep::Sample)
        return m_finished;
    if (m_index == m_deltaCount)
        return m_finished = BlockStep::End;
    std::size_t cursor = m_cursor;
    const auto step = DecodeDelta(m_block, cursor);
    if (!step)
        return m_finished = BlockStep::Overrun;
    HistoryStamp stamp = m_sample.stamp;
    if (const auto error = AddSeconds(stamp.date, stamp.timeMs, *step)) {
        m_stampError = *error;
        return m_finished = BlockStep::StampRejected;
    }
    // A sample that would run past the block is not taken at all: sample() stays the last whole one.
    if (!sampleFits(cursor))
        return m_finished = BlockStep::Overrun;
    if (m_followsAll) {
        addDeltasInside(m_sample.channels, cursor);
        addDeltasInside(m_sample.counters, cursor);
    } else {
        addFollowedInside(cursor);
    }
    m_sample.stamp = stamp;
    m_cursor = cursor;
    ++m_index;
    return BlockStep::Sample;
}

ChannelRaw channelRaw(double value)
{
    constexpr double lowest = std::numeric_limits<qint16>::min();
    constexpr double highest = std::numeric_limits<qint16>::max();
    const double raw = std::isnan(value) ? -16000.0 : std::round(value * 500.0 - 16000.0);
    if (raw < lowest || raw > highest)
        return {static_cast<qint32>(std::clamp(raw, lowest, highest)), true};
    return {static_cast<qint32>(raw), false};
}
