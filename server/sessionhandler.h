// The request handler as a network session sees it: rights first, then the store, with every login
// and configuration write in the audit trail and the log.
#pragma once

#include "server/requesthandler.h"
#include "server/session.h"

struct AuditRow;
class Clock;
class LoginThrottle;
class PlantStore;
class ServerLog;

class SessionHandler
{
public:
    // Everything handed in must outlive the handler.
    SessionHandler(RequestHandler &handler, PlantStore &store, const Clock &clock, LoginThrottle &throttle,
                   const ServerLog &log)
        : m_handler(handler)
        , m_store(store)
        , m_clock(clock)
        , m_throttle(throttle)
        , m_log(log)
    {}

    // A request the session may not make answers AccessRefused, with the buffer untouched and the
    // store neither read nor written. A failed login (UnknownUser on an unbound session) counts
    // against the session and its address.
    qint32 handle(Session &session, ExchangeOperation operation, ExchangeBuffer &buffer);

private:
    qint32 login(Session &session, ExchangeBuffer &buffer, const QByteArray &key);
    qint32 write(Session &session, const Request &request, ExchangeBuffer &buffer);
    // What the store holds for the record a write addresses, as audit entries compare it.
    QString subjectOf(const Request &request, const ExchangeBuffer &buffer) const;
    void audit(const Session &session, const QString &code, const QString &change);
    AuditRow auditRow(const Session &session, const QString &code, const QString &change) const;

    RequestHandler &m_handler;
    PlantStore &m_store;
    const Clock &m_clock;
    LoginThrottle &m_throttle;
    const ServerLog &m_log;
};
