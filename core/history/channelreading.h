// A tank's quantity read from a history sample through the channel number of its chart record.
#pragma once

#include "core/history/historyblock.h"

// The channel's engineering value; a channel number outside 0..53 reads as 0.0, never outside the
// sample's channels.
inline long double channelReading(const HistorySample &sample, qint32 channel)
{
    if (channel < 0 || channel >= ChannelCount)
        return 0.0L;
    return channelValue(sample.channels[static_cast<std::size_t>(channel)]);
}
