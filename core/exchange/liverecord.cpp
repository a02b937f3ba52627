// Byte layout of the live values record.
#include "core/exchange/liverecord.h"

#include "core/codec/bytes.h"

using namespace LiveRecordLayout;

LiveRecord LiveRecord::unmapped()
{
    LiveRecord record;
    record.raw.fill(ZeroRaw);
    record.quality.fill(LiveQuality::Unmapped);
    return record;
}

bool LiveRecord::measured(int channel) const
{
    const LiveQuality q = quality[static_cast<std::size_t>(channel)];
    return q == LiveQuality::Good || q == LiveQuality::Clamped;
}

bool encodeLiveRecord(const LiveRecord &record, std::span<char> out)
{
    if (!fieldFits(out, 0, Size))
        return false;
    writeU32(out, PollDate, record.poll.date);
    writeU32(out, PollTime, record.poll.timeMs);
    for (std::size_t c = 0; c < ChannelCount; ++c) {
        writeI32(out, Values + 4 * c, record.raw[c]);
        writeU8(out, Qualities + c, static_cast<quint8>(record.quality[c]));
    }
    return true;
}

std::optional<LiveRecord> decodeLiveRecord(std::span<const char> bytes)
{
    if (!fieldFits(bytes, 0, Size))
        return std::nullopt;
    LiveRecord record;
    record.poll = {*readU32(bytes, PollDate), *readU32(bytes, PollTime)};
    for (std::size_t c = 0; c < ChannelCount; ++c) {
        const quint8 quality = *readU8(bytes, Qualities + c);
        if (quality > static_cast<quint8>(LiveQuality::Clamped))
            return std::nullopt;
        record.raw[c] = *readI32(bytes, Values + 4 * c);
        record.quality[c] = static_cast<LiveQuality>(quality);
    }
    return record;
}
