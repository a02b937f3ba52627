// The acquisition's command-line options and what they start: polling, live values and the history.
#pragma once

#include "server/acquisition.h"

#include <QCommandLineOption>
#include <QString>

#include <memory>
#include <optional>

class QCommandLineParser;
class QTimer;

struct AcquisitionOptions
{
    QString channelsPath;
    int pollSeconds = 2;
    int timeoutMs = 500;
    QString historyPath; // "REPORT.STG" beside the store unless named
    int historySeconds = 600;
    int historyLimit = MaxHistorySamples;
};

// --channels, --poll, --modbus-timeout, --history, --history-interval and --history-limit.
class AcquisitionOptionSet
{
public:
    AcquisitionOptionSet();
    void addTo(QCommandLineParser &parser) const;
    // Nullopt options without --channels (and no error); an error names the option and its value.
    struct Reading
    {
        std::optional<AcquisitionOptions> options;
        QString error;
    };
    Reading read(const QCommandLineParser &parser, const QString &storePath) const;

private:
    QCommandLineOption m_channels;
    QCommandLineOption m_poll;
    QCommandLineOption m_timeout;
    QCommandLineOption m_history;
    QCommandLineOption m_interval;
    QCommandLineOption m_limit;
};

// The running acquisition: the poller's thread, the recorder and the timer that samples.
class RunningAcquisition
{
public:
    // Polls once, then starts polling and the sampling timer on the calling thread's event loop.
    RunningAcquisition(std::unique_ptr<HistoryRecorder> recorder, const QList<ChannelSource> &channels,
                       const AcquisitionOptions &options, const Clock &clock, const ServerLog &log);
    ~RunningAcquisition();
    const LiveValues &live() const { return m_acquisition; }

private:
    std::unique_ptr<HistoryRecorder> m_recorder;
    Acquisition m_acquisition;
    HistorySampler m_sampler;
    std::unique_ptr<QTimer> m_timer;
};

struct AcquisitionStart
{
    std::unique_ptr<RunningAcquisition> acquisition; // null on failure
    QString error;
};

// Reads the channel map, takes the history (refusing a map with any fault, a history that does not
// decode or is recorded by another server), polls once and starts the timers on the calling
// thread's event loop. SIGXFSZ is ignored from then on, so that a file-size limit fails a history
// write instead of ending the server. clock and log must outlive the acquisition.
AcquisitionStart startAcquisition(const AcquisitionOptions &options, const Clock &clock, const ServerLog &log);
