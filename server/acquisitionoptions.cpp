// Parsing the acquisition's options and starting it.
#include "server/acquisitionoptions.h"

#include "server/channelmap.h"
#include "server/serverlog.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <csignal>

namespace {

using namespace Qt::StringLiterals;

struct Bounded
{
    const QCommandLineOption &option;
    int lowest;
    int highest;
};

std::optional<int> boundedValue(const QCommandLineParser &parser, const Bounded &bounded, QString &error)
{
    const QString text = parser.value(bounded.option);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok && value >= bounded.lowest && value <= bounded.highest)
        return value;
    error = u"--%1 takes a whole number from %2 to %3, not \"%4\""_s.arg(bounded.option.names().constFirst())
                .arg(bounded.lowest)
                .arg(bounded.highest)
                .arg(text);
    return std::nullopt;
}

} // namespace

AcquisitionOptionSet::AcquisitionOptionSet()
    : m_channels(u"channels"_s,
                 u"Reads the instruments over Modbus TCP as the channel map FILE says (CSV with the header "
                 "channel,host,port,unit,function,register,type,scale,offset) and records the history."_s,
                 u"FILE"_s)
    , m_poll(u"poll"_s, u"With --channels: polls the instruments every SECONDS (1 to 3600, default 2)."_s, u"SECONDS"_s,
             u"2"_s)
    , m_timeout(u"modbus-timeout"_s,
                u"With --channels: gives a device MS milliseconds to answer (10 to 10000, default 500)."_s, u"MS"_s,
                u"500"_s)
    , m_history(u"history"_s,
                u"With --channels: records the history into FILE (default REPORT.STG beside the store)."_s, u"FILE"_s)
    , m_interval(u"history-interval"_s,
                 u"With --channels: takes a history sample every SECONDS (1 to 86400, default 600)."_s, u"SECONDS"_s,
                 u"600"_s)
    , m_limit(u"history-limit"_s,
              u"With --channels: keeps at most N samples, dropping the oldest blocks (256 to 60000, default 60000)."_s,
              u"N"_s, u"60000"_s)
{}

void AcquisitionOptionSet::addTo(QCommandLineParser &parser) const
{
    parser.addOptions({m_channels, m_poll, m_timeout, m_history, m_interval, m_limit});
}

AcquisitionOptionSet::Reading AcquisitionOptionSet::read(const QCommandLineParser &parser,
                                                         const QString &storePath) const
{
    if (!parser.isSet(m_channels)) {
        for (const QCommandLineOption *option : {&m_poll, &m_timeout, &m_history, &m_interval, &m_limit}) {
            if (parser.isSet(*option))
                return {std::nullopt, u"--%1 needs --channels"_s.arg(option->names().constFirst())};
        }
        return {};
    }
    AcquisitionOptions options;
    options.channelsPath = parser.value(m_channels);
    options.historyPath
        = parser.isSet(m_history) ? parser.value(m_history) : QFileInfo(storePath).dir().filePath(u"REPORT.STG"_s);
    QString error;
    const std::optional<int> poll = boundedValue(parser, {m_poll, 1, 3600}, error);
    const std::optional<int> timeout = poll ? boundedValue(parser, {m_timeout, 10, 10'000}, error) : std::nullopt;
    const std::optional<int> interval = timeout ? boundedValue(parser, {m_interval, 1, 86'400}, error) : std::nullopt;
    const std::optional<int> limit
        = interval ? boundedValue(parser, {m_limit, MinHistorySamples, MaxHistorySamples}, error) : std::nullopt;
    if (!limit)
        return {std::nullopt, error};
    options.pollSeconds = *poll;
    options.timeoutMs = *timeout;
    options.historySeconds = *interval;
    options.historyLimit = *limit;
    return {options, {}};
}

RunningAcquisition::RunningAcquisition(std::unique_ptr<HistoryRecorder> recorder, const QList<ChannelSource> &channels,
                                       const AcquisitionOptions &options, const Clock &clock, const ServerLog &log)
    : m_recorder(std::move(recorder))
    , m_acquisition(channels, std::chrono::seconds(options.pollSeconds), std::chrono::milliseconds(options.timeoutMs),
                    clock, log)
    , m_sampler(*m_recorder, m_acquisition, clock, log)
    , m_timer(std::make_unique<QTimer>())
{
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] { m_sampler.sample(); });
    m_timer->start(std::chrono::seconds(options.historySeconds));
    log.write(LogLevel::Info,
              u"acquisition: %1 channels on %2 devices, history %3 with %4 samples"_s.arg(channels.size())
                  .arg(m_acquisition.deviceCount())
                  .arg(m_recorder->path())
                  .arg(m_recorder->history().sampleCount()));
}

RunningAcquisition::~RunningAcquisition() = default;

AcquisitionStart startAcquisition(const AcquisitionOptions &options, const Clock &clock, const ServerLog &log)
{
    QFile file(options.channelsPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {nullptr, u"cannot read the channel map %1: %2"_s.arg(options.channelsPath, file.errorString())};
    const ChannelMapParse map = parseChannelMap(QString::fromUtf8(file.readAll()));
    if (!map.error.isEmpty())
        return {nullptr, u"the channel map %1, %2"_s.arg(options.channelsPath, map.error)};
    HistoryRecorder::Opening opening = HistoryRecorder::open(options.historyPath, options.historyLimit);
    if (!opening.recorder)
        return {nullptr, opening.error};
    std::signal(SIGXFSZ, SIG_IGN);
    return {std::make_unique<RunningAcquisition>(std::move(opening.recorder), map.channels, options, clock, log), {}};
}
