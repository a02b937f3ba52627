// Failed logins by client address: too many within a while shut the address out for a while.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

class Clock;

// The connection that failed this many logins is closed.
inline constexpr int FailedLoginsPerConnection = 5;

// After FailuresPerAddress failures from one address within the window, new connections from it
// are closed at once until the window has passed since the failure that crossed the limit.
class LoginThrottle
{
public:
    static constexpr int FailuresPerAddress = 20;
    static constexpr qint64 WindowSeconds = 10 * 60;

    // The clock must outlive the throttle.
    explicit LoginThrottle(const Clock &clock)
        : m_clock(clock)
    {}

    // Records one failure; true when this failure shuts the address out.
    bool recordFailure(const QString &address);
    bool shutOut(const QString &address);

private:
    void forgetOld(const QString &address, const QDateTime &now);

    const Clock &m_clock;
    QHash<QString, QList<QDateTime>> m_failures; // per address, oldest first, within the window
    QHash<QString, QDateTime> m_shutUntil;
};
