// Reads the instruments over Modbus TCP: every device at once, each on its own connection.
#pragma once

#include "core/exchange/liverecord.h"
#include "server/pollplan.h"

#include <QList>
#include <QString>

#include <chrono>
#include <memory>
#include <vector>

class ServerLog;
class DeviceLink;

// What one device gave at one poll.
struct DeviceReading
{
    bool answered = false;
    QString failure;                      // why not, when it did not answer
    QList<std::pair<int, double>> values; // channel and engineering value, when it answered
};

// The live record of a poll from the devices' readings: answered channels take their values on the
// history's scale (Good, or Clamped outside its range); the others keep their last good raw value
// and become Stale, and so does a value that is not a number. Unmapped channels stay Unmapped.
void applyReadings(LiveRecord &record, const QList<DevicePlan> &plans, const std::vector<DeviceReading> &readings);

class ModbusPoller
{
public:
    // Mapped channels start Stale at ZeroRaw until their device first answers. The log must
    // outlive the poller; it is written from the poll's threads.
    ModbusPoller(const QList<ChannelSource> &channels, std::chrono::milliseconds timeout, const ServerLog &log);
    ~ModbusPoller();
    ModbusPoller(const ModbusPoller &) = delete;
    ModbusPoller &operator=(const ModbusPoller &) = delete;

    // Reads every device, each on a thread of its own, and returns when all have answered or
    // timed out: a dead device costs its time-out once, never the others'. A device that does
    // not answer (connection, time-out or exception) is tried again at the next poll; each change
    // between answering and not is logged once at info level.
    const LiveRecord &poll(HistoryStamp stamp);

    int deviceCount() const { return static_cast<int>(m_links.size()); }

private:
    QList<DevicePlan> m_plans;
    std::vector<std::unique_ptr<DeviceLink>> m_links;
    LiveRecord m_record;
};
