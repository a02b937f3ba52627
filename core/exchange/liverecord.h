// The live values of read request code 500: the newest poll of every measuring channel.
#pragma once

#include "core/history/historyblock.h"

#include <QtGlobal>

#include <array>
#include <optional>
#include <span>

inline constexpr qint32 LiveRequestCode = 500;

// What a live value is worth.
enum class LiveQuality : quint8 {
    Good = 0,
    Stale = 1,    // the device did not answer at the last poll; the value is the last good one
    Unmapped = 2, // no instrument feeds the channel
    Clamped = 3,  // the reading lay outside the history's range and holds its nearest end
};

// The reply record at offset 24: 0 u32 PackedDate of the poll, 4 u32 its time of day in ms,
// 8 i32[54] raw channel values on the history's scale, 224 u8[54] quality per channel.
namespace LiveRecordLayout {
inline constexpr std::size_t PollDate = 0;
inline constexpr std::size_t PollTime = 4;
inline constexpr std::size_t Values = 8;
inline constexpr std::size_t Qualities = 224;
inline constexpr std::size_t Size = Qualities + ChannelCount; // 278
} // namespace LiveRecordLayout

struct LiveRecord
{
    HistoryStamp poll;
    std::array<qint32, ChannelCount> raw{};
    std::array<LiveQuality, ChannelCount> quality{};
    bool operator==(const LiveRecord &) const = default;

    // Every channel unmapped, at ZeroRaw.
    static LiveRecord unmapped();
    // Quality Good or Clamped: the value was measured at this poll.
    bool measured(int channel) const;
};

// False, buffer untouched, when the record does not fit.
bool encodeLiveRecord(const LiveRecord &record, std::span<char> out);
// Nullopt when the bytes are short or a quality byte is not one of the four codes.
std::optional<LiveRecord> decodeLiveRecord(std::span<const char> bytes);
