// Decoding of one history block: the base sample from fixed fields, then the delta samples.
#include "core/history/historyblock.h"

#include "core/codec/bytes.h"
#include "core/history/deltacode.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using namespace HistoryBlockLayout;

// Every fixed field lies inside the block, so these reads cannot fail.
quint32 u32At(HistoryBlockBytes block, std::size_t offset)
{
    return readU32(block, offset).value_or(0);
}

// The longest channel and counter codes a delta sample can hold.
constexpr std::size_t MaxSampleCodes = (ChannelCount + CounterCount) * MaxDeltaCodeSize;

// The accumulators wrap around like the acquisition side's 32-bit registers.
qint32 wrappingAdd(qint32 value, qint32 delta)
{
    return static_cast<qint32>(static_cast<quint32>(value) + static_cast<quint32>(delta));
}

} // namespace

HistoryStamp blockStamp(HistoryBlockBytes block)
{
    return {u32At(block, BlockDate), u32At(block, BlockTime)};
}

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
bool HistoryBlockReader::addDeltas(std::array<qint32, N> &values, std::size_t &cursor) const
{
    for (qint32 &value : values) {
        const auto delta = DecodeDelta(m_block, cursor);
        if (!delta)
            return false;
        value = wrappingAdd(value, *delta);
    }
    return true;
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
    if (HistoryBlockSize - cursor >= MaxSampleCodes) {
        addDeltasInside(m_sample.channels, cursor);
        addDeltasInside(m_sample.counters, cursor);
    } else {
        // Near the block's end the sample is decoded into a copy, taken only when it lies wholly inside.
        HistorySample next = m_sample;
        if (!addDeltas(next.channels, cursor) || !addDeltas(next.counters, cursor))
            return m_finished = BlockStep::Overrun;
        m_sample = next;
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
