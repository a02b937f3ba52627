// The polling thread and the history's sampling.
#include "server/acquisition.h"

#include "core/services/clock.h"
#include "server/serverlog.h"

#include <QStringList>

namespace {

using namespace Qt::StringLiterals;

QString channelList(const LiveRecord &record, LiveQuality quality)
{
    QStringList channels;
    for (int c = 0; c < ChannelCount; ++c) {
        if (record.quality[static_cast<std::size_t>(c)] == quality)
            channels.append(QString::number(c));
    }
    return channels.join(u", "_s);
}

} // namespace

HistoryStamp historyStampOf(const QDateTime &local, bool wholeSeconds)
{
    const QDate date = local.date();
    const int ms = local.time().msecsSinceStartOfDay();
    return {packDate(date.year(), date.month(), date.day()),
            static_cast<quint32>(wholeSeconds ? ms / 1000 * 1000 : ms)};
}

Acquisition::Acquisition(const QList<ChannelSource> &channels, std::chrono::milliseconds interval,
                         std::chrono::milliseconds timeout, const Clock &clock, const ServerLog &log)
    : m_poller(channels, timeout, log)
    , m_interval(interval)
    , m_clock(clock)
{
    pollOnce();
    m_thread = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
}

Acquisition::~Acquisition()
{
    m_thread.request_stop(); // wakes the wait
}

LiveRecord Acquisition::latest() const
{
    const std::scoped_lock lock(m_mutex);
    return m_latest;
}

void Acquisition::pollOnce()
{
    const LiveRecord &record = m_poller.poll(historyStampOf(m_clock.now(), false));
    const std::scoped_lock lock(m_mutex);
    m_latest = record;
}

// Polls on a steady schedule; a poll that overran its interval skips the turns it missed.
void Acquisition::run(std::stop_token stop)
{
    auto due = std::chrono::steady_clock::now() + m_interval;
    while (!stop.stop_requested()) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait_until(lock, stop, due, [] { return false; });
        }
        if (stop.stop_requested())
            return;
        pollOnce();
        const auto now = std::chrono::steady_clock::now();
        while (due <= now)
            due += m_interval;
    }
}

void HistorySampler::sample()
{
    const LiveRecord poll = m_live.latest();
    const HistoryStamp stamp = historyStampOf(m_clock.now(), true);
    const std::optional<HistorySample> previous = m_recorder.history().newest();
    const QString kept = channelList(poll, LiveQuality::Stale);
    if (!kept.isEmpty())
        m_log.write(LogLevel::Warning, u"history: no answer for channels %1; they keep their last value"_s.arg(kept));
    const QString clamped = channelList(poll, LiveQuality::Clamped);
    if (!clamped.isEmpty())
        m_log.write(LogLevel::Warning,
                    u"history: channels %1 lie outside -33.536..97.534 and are clamped"_s.arg(clamped));
    if (const std::optional<QString> error = m_recorder.record(sampleOfPoll(poll, stamp, previous)))
        m_log.write(LogLevel::Warning, u"history: %1; the sample stays for the next write"_s.arg(*error));
}
