// The shortest delta codes and block building.
#include "core/history/historyencoder.h"

#include "core/codec/bytes.h"

#include <QList>

#include <algorithm>

namespace {

using namespace HistoryBlockLayout;

constexpr std::size_t StreamCapacity = HistoryBlockSize - DeltaStream;
constexpr int MaxDeltaCount = 255;

// Sign in bit 7, form bits below it, magnitude in the low bits and the bytes that follow.
void appendSigned(QByteArray &out, bool negative, quint32 form, int length, quint32 magnitude)
{
    out.append(static_cast<char>((negative ? 0x80u : 0u) | form | magnitude >> (8 * (length - 1))));
    for (int i = length - 2; i >= 0; --i)
        out.append(static_cast<char>(magnitude >> (8 * i) & 0xFFu));
}

// 0x3F, then the value as a big-endian 32-bit two's-complement word.
void appendFiveByte(QByteArray &out, quint32 word)
{
    out.append('\x3F');
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>(word >> shift & 0xFFu));
}

} // namespace

void appendDeltaCode(QByteArray &out, qint32 value)
{
    const bool negative = value < 0;
    const quint32 magnitude = negative ? 0u - static_cast<quint32>(value) : static_cast<quint32>(value);
    if (magnitude < 63 || (negative && magnitude == 63))
        appendSigned(out, negative, 0x00u, 1, magnitude);
    else if (magnitude <= 0x0FFFu)
        appendSigned(out, negative, 0x40u, 2, magnitude);
    else if (magnitude <= 0x0FFFFFu)
        appendSigned(out, negative, 0x60u, 3, magnitude);
    else if (magnitude <= 0x0FFFFFFFu)
        appendSigned(out, negative, 0x70u, 4, magnitude);
    else
        appendFiveByte(out, static_cast<quint32>(value));
}

HistoryBlockBuilder::HistoryBlockBuilder(const HistorySample &base)
    : m_last(base)
{
    writeU32(m_block, BlockDate, base.stamp.date);
    writeU32(m_block, BlockTime, base.stamp.timeMs);
    for (std::size_t c = 0; c < base.channels.size(); ++c)
        writeI16(m_block, BaseChannels + 2 * c, static_cast<qint16>(base.channels[c]));
    for (std::size_t c = 0; c < base.counters.size(); ++c)
        writeI32(m_block, BaseCounters + 4 * c, base.counters[c]);
}

std::optional<HistoryBlockBuilder> HistoryBlockBuilder::continuing(HistoryBlockBytes block)
{
    HistoryBlockReader reader(block);
    if (ValidateStamp(reader.sample().stamp.date, reader.sample().stamp.timeMs))
        return std::nullopt;
    while (reader.next() == BlockStep::Sample) {
    }
    if (reader.next() != BlockStep::End)
        return std::nullopt;
    HistoryBlockBuilder builder;
    std::copy(block.begin(), block.begin() + DeltaStream, builder.m_block.begin());
    builder.m_stream = QByteArray(block.data() + DeltaStream, static_cast<qsizetype>(reader.cursor() - DeltaStream));
    builder.m_last = reader.sample();
    builder.m_deltaCount = reader.deltaCount();
    return builder;
}

bool HistoryBlockBuilder::append(qint32 seconds, const HistorySample &sample)
{
    if (m_deltaCount == MaxDeltaCount)
        return false;
    QByteArray codes;
    appendDeltaCode(codes, seconds);
    for (std::size_t c = 0; c < sample.channels.size(); ++c)
        appendDeltaCode(codes, static_cast<qint32>(static_cast<quint32>(sample.channels[c])
                                                   - static_cast<quint32>(m_last.channels[c])));
    for (std::size_t c = 0; c < sample.counters.size(); ++c)
        appendDeltaCode(codes, static_cast<qint32>(static_cast<quint32>(sample.counters[c])
                                                   - static_cast<quint32>(m_last.counters[c])));
    if (static_cast<std::size_t>(m_stream.size() + codes.size()) > StreamCapacity)
        return false;
    m_stream.append(codes);
    m_last = sample;
    ++m_deltaCount;
    return true;
}

std::array<char, HistoryBlockSize> HistoryBlockBuilder::bytes() const
{
    std::array<char, HistoryBlockSize> block = m_block;
    writeU32(block, DeltaCount, static_cast<quint32>(m_deltaCount));
    std::copy(m_stream.cbegin(), m_stream.cend(), block.begin() + DeltaStream);
    return block;
}

QByteArray encodeHistoryFile(std::span<const HistorySample> samples, qint32 seconds, QByteArrayView header)
{
    QList<QByteArray> blocks;
    const auto keep = [&blocks](const HistoryBlockBuilder &builder) {
        const std::array<char, HistoryBlockSize> bytes = builder.bytes();
        blocks.prepend(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    };
    if (!samples.empty()) {
        HistoryBlockBuilder builder(samples.front());
        for (const HistorySample &sample : samples.subspan(1)) {
            if (!builder.append(seconds, sample)) {
                keep(builder);
                builder = HistoryBlockBuilder(sample);
            }
        }
        keep(builder);
    }
    return header.toByteArray().leftJustified(HistoryHeaderSize, '\0', true) + blocks.join();
}
