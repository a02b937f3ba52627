// Decoding a history whole, and growing it block by block.
#include "server/recordedhistory.h"

#include <algorithm>
#include <numeric>

namespace {

using namespace Qt::StringLiterals;

QString blockFault(qsizetype index, const QString &why)
{
    return u"block %1 (byte %2): %3"_s.arg(index + 1).arg(HistoryHeaderSize + index * HistoryBlockSize).arg(why);
}

// Appends sample to the open block when its step from the block's newest sample can be written
// and reproduces its stamp exactly, and the block has room.
bool continues(HistoryBlockBuilder &open, const HistorySample &sample)
{
    const HistoryStamp last = open.last().stamp;
    const StampDifference step = DiffSeconds(sample.stamp.date, sample.stamp.timeMs, last.date, last.timeMs);
    HistoryStamp reached = last;
    if (step.error || AddSeconds(reached.date, reached.timeMs, step.seconds) || reached != sample.stamp)
        return false;
    return open.append(step.seconds, sample);
}

} // namespace

HistoryDecoding RecordedHistory::decode(QByteArrayView bytes)
{
    if (bytes.size() < static_cast<qsizetype>(HistoryHeaderSize))
        return {std::nullopt, u"the file is shorter than its 4096-byte header"_s};
    if ((bytes.size() - HistoryHeaderSize) % HistoryBlockSize != 0)
        return {std::nullopt, u"the file ends inside a block"_s};
    RecordedHistory history;
    history.m_header = bytes.first(HistoryHeaderSize).toByteArray();
    const qsizetype blocks = (bytes.size() - static_cast<qsizetype>(HistoryHeaderSize)) / HistoryBlockSize;
    for (qsizetype i = 0; i < blocks; ++i) {
        const QByteArrayView block = bytes.sliced(HistoryHeaderSize + i * HistoryBlockSize, HistoryBlockSize);
        const HistoryBlockBytes span(block.data(), HistoryBlockSize);
        std::optional<HistoryBlockBuilder> builder = HistoryBlockBuilder::continuing(span);
        if (!builder)
            return {std::nullopt, blockFault(i, u"a time stamp is invalid or the samples run past the block"_s)};
        if (i == 0) {
            history.m_open = std::move(builder);
            continue;
        }
        history.m_closed.append(block.toByteArray());
        history.m_closedSamples.append(builder->deltaCount() + 1);
    }
    return {std::move(history), {}};
}

void RecordedHistory::append(const HistorySample &sample, int limit)
{
    if (!m_open || !continues(*m_open, sample)) {
        if (m_open) {
            const std::array<char, HistoryBlockSize> closed = m_open->bytes();
            m_closed.prepend(QByteArray(closed.data(), HistoryBlockSize));
            m_closedSamples.prepend(m_open->deltaCount() + 1);
        }
        m_open.emplace(sample);
    }
    int kept = sampleCount();
    while (kept > std::max(limit, MinHistorySamples) && !m_closed.isEmpty()) {
        kept -= m_closedSamples.takeLast();
        m_closed.removeLast();
    }
}

int RecordedHistory::sampleCount() const
{
    return std::accumulate(m_closedSamples.begin(), m_closedSamples.end(), m_open ? m_open->deltaCount() + 1 : 0);
}

std::optional<HistorySample> RecordedHistory::newest() const
{
    if (!m_open)
        return std::nullopt;
    return m_open->last();
}

QByteArray RecordedHistory::bytes() const
{
    QByteArray file = m_header;
    file.reserve(m_header.size() + (m_closed.size() + 1) * static_cast<qsizetype>(HistoryBlockSize));
    if (m_open) {
        const std::array<char, HistoryBlockSize> open = m_open->bytes();
        file.append(open.data(), HistoryBlockSize);
    }
    for (const QByteArray &block : m_closed)
        file.append(block);
    return file;
}

HistorySample sampleOfPoll(const LiveRecord &poll, HistoryStamp stamp, const std::optional<HistorySample> &previous)
{
    HistorySample sample;
    sample.stamp = stamp;
    for (int c = 0; c < ChannelCount; ++c) {
        const auto i = static_cast<std::size_t>(c);
        sample.channels[i] = poll.measured(c) ? poll.raw[i] : previous ? previous->channels[i] : ZeroRaw;
    }
    return sample;
}
