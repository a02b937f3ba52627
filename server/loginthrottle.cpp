// Counting failed logins per address over a sliding window.
#include "server/loginthrottle.h"

#include "core/services/clock.h"

bool LoginThrottle::recordFailure(const QString &address)
{
    const QDateTime now = m_clock.now();
    forgetOld(address, now);
    QList<QDateTime> &failures = m_failures[address];
    failures.append(now);
    if (failures.size() < FailuresPerAddress || shutOut(address))
        return false;
    m_shutUntil.insert(address, now.addSecs(WindowSeconds));
    failures.clear();
    return true;
}

bool LoginThrottle::shutOut(const QString &address)
{
    const auto until = m_shutUntil.constFind(address);
    if (until == m_shutUntil.cend())
        return false;
    if (m_clock.now() < *until)
        return true;
    m_shutUntil.erase(until);
    return false;
}

void LoginThrottle::forgetOld(const QString &address, const QDateTime &now)
{
    QList<QDateTime> &failures = m_failures[address];
    const QDateTime windowStart = now.addSecs(-WindowSeconds);
    while (!failures.isEmpty() && failures.front() <= windowStart)
        failures.removeFirst();
}
