// Log level names of the command line.
#include "server/serverlog.h"

std::optional<LogLevel> logLevelNamed(const QString &name)
{
    using namespace Qt::StringLiterals;
    if (name == u"warning"_s)
        return LogLevel::Warning;
    if (name == u"info"_s)
        return LogLevel::Info;
    if (name == u"debug"_s)
        return LogLevel::Debug;
    return std::nullopt;
}
