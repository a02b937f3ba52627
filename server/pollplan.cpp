// Grouping adjacent registers into reads, and decoding what the reads return.
#include "server/pollplan.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace {

// Channels of one device sorted by function and address, so that neighbours come together.
QList<ChannelSource> byRegister(QList<ChannelSource> channels)
{
    std::stable_sort(channels.begin(), channels.end(), [](const ChannelSource &a, const ChannelSource &b) {
        return std::tie(a.function, a.address) < std::tie(b.function, b.address);
    });
    return channels;
}

DevicePlan planDevice(const DeviceAddress &device, const QList<ChannelSource> &channels)
{
    DevicePlan plan{device, {}, {}};
    for (const ChannelSource &source : byRegister(channels)) {
        const int end = source.address + registerCount(source.type);
        if (!plan.reads.isEmpty()) {
            RegisterRead &last = plan.reads.last();
            if (last.function == source.function && source.address <= last.address + last.count
                && end - last.address <= MaxRegistersPerRead) {
                last.count = std::max(last.count, end - last.address);
                plan.channels.append({source, static_cast<int>(plan.reads.size()) - 1, source.address - last.address});
                continue;
            }
        }
        plan.reads.append({source.function, source.address, end - source.address});
        plan.channels.append({source, static_cast<int>(plan.reads.size()) - 1, 0});
    }
    return plan;
}

quint32 joined(quint16 high, quint16 low) { return quint32{high} << 16 | low; }

double rawValue(RegisterType type, std::span<const quint16> words)
{
    switch (type) {
    case RegisterType::Int16:
        return static_cast<qint16>(words[0]);
    case RegisterType::UInt16:
        return words[0];
    case RegisterType::Int32:
        return static_cast<qint32>(joined(words[0], words[1]));
    case RegisterType::UInt32:
        return joined(words[0], words[1]);
    case RegisterType::Float32:
        return std::bit_cast<float>(joined(words[0], words[1]));
    case RegisterType::Int32Swapped:
        return static_cast<qint32>(joined(words[1], words[0]));
    case RegisterType::UInt32Swapped:
        return joined(words[1], words[0]);
    case RegisterType::Float32Swapped:
        return std::bit_cast<float>(joined(words[1], words[0]));
    }
    return 0.0;
}

} // namespace

QList<DevicePlan> planPolls(const QList<ChannelSource> &channels)
{
    QList<DeviceAddress> devices;
    for (const ChannelSource &source : channels) {
        if (!devices.contains(source.device))
            devices.append(source.device);
    }
    QList<DevicePlan> plans;
    for (const DeviceAddress &device : devices) {
        QList<ChannelSource> own;
        std::copy_if(channels.begin(), channels.end(), std::back_inserter(own),
                     [&](const ChannelSource &source) { return source.device == device; });
        plans.append(planDevice(device, own));
    }
    return plans;
}

double engineeringValue(const ChannelSource &source, std::span<const quint16> words)
{
    return rawValue(source.type, words) * source.scale + source.offset;
}
