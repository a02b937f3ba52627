// The acquisition at run time: polls on a thread of its own, and samples the history on a timer.
#pragma once

#include "server/historyrecorder.h"
#include "server/modbuspoller.h"
#include "server/requesthandler.h"

#include <QDateTime>
#include <QList>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class Clock;
class ServerLog;

// The local wall time as the history holds it; ms dropped when wholeSeconds.
HistoryStamp historyStampOf(const QDateTime &local, bool wholeSeconds);

// Polls every interval, starting with one poll in the constructor, so that the first answers
// already carry measurements. latest() may be called from any thread.
class Acquisition final : public LiveValues
{
public:
    // clock and log must outlive the acquisition; both are used from the polling thread.
    Acquisition(const QList<ChannelSource> &channels, std::chrono::milliseconds interval,
                std::chrono::milliseconds timeout, const Clock &clock, const ServerLog &log);
    ~Acquisition() override; // stops the polling, waiting for a poll under way

    LiveRecord latest() const override;
    int deviceCount() const { return m_poller.deviceCount(); }

private:
    void pollOnce();
    void run(std::stop_token stop);

    ModbusPoller m_poller;
    std::chrono::milliseconds m_interval;
    const Clock &m_clock;
    mutable std::mutex m_mutex;
    std::condition_variable_any m_wake;
    LiveRecord m_latest;
    std::jthread m_thread; // last: stopped and joined before the rest goes
};

// Takes one history sample from the newest live values at the clock's time, logs channels that
// were clamped or kept their last value, and a failed write.
class HistorySampler
{
public:
    // Everything handed in must outlive the sampler.
    HistorySampler(HistoryRecorder &recorder, const LiveValues &live, const Clock &clock, const ServerLog &log)
        : m_recorder(recorder)
        , m_live(live)
        , m_clock(clock)
        , m_log(log)
    {}

    void sample();

private:
    HistoryRecorder &m_recorder;
    const LiveValues &m_live;
    const Clock &m_clock;
    const ServerLog &m_log;
};
