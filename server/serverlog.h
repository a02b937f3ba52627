// The server's log: one plain line per entry, filtered by level, so that journald takes it as it is.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>

enum class LogLevel { Warning, Info, Debug };

// "warning", "info" or "debug"; nullopt for anything else.
std::optional<LogLevel> logLevelNamed(const QString &name);

class ServerLog
{
public:
    using Sink = std::function<void(const QString &line)>;

    ServerLog() = default; // writes nothing
    ServerLog(LogLevel threshold, Sink sink)
        : m_threshold(threshold)
        , m_sink(std::move(sink))
    {}

    bool enabled(LogLevel level) const { return m_sink && level <= m_threshold; }
    void write(LogLevel level, const QString &line) const
    {
        if (enabled(level))
            m_sink(line);
    }

private:
    LogLevel m_threshold = LogLevel::Warning;
    Sink m_sink;
};
