// What one poll asks of each device, and the engineering values its answers give.
#pragma once

#include "server/channelmap.h"

#include <QList>
#include <QtGlobal>

#include <span>

// Modbus allows at most 125 registers in one read.
inline constexpr int MaxRegistersPerRead = 125;

// One read request: count registers from address with a read function.
struct RegisterRead
{
    int function = ReadHoldingRegisters;
    int address = 0;
    int count = 0;
    bool operator==(const RegisterRead &) const = default;
};

// Where a channel's registers lie in the answers of its device.
struct PlannedChannel
{
    ChannelSource source;
    int read = 0;  // index into the device's reads
    int first = 0; // index of its first register within that read
};

struct DevicePlan
{
    DeviceAddress device;
    QList<RegisterRead> reads;
    QList<PlannedChannel> channels;
};

// One plan per device (host, port and unit), in the order the map first names them. On a device,
// registers of one function that follow each other without a gap (or overlap) share a read of at
// most MaxRegistersPerRead registers; a gap starts a new read.
QList<DevicePlan> planPolls(const QList<ChannelSource> &channels);

// The raw value of registers as type says (words as they came off the wire, registerCount(type)
// of them), times scale, plus offset.
double engineeringValue(const ChannelSource &source, std::span<const quint16> words);
