// A record of the latest server exchanges, for the service technician's diagnostic list.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <deque>
#include <optional>

class Clock;

struct ExchangeLogEntry
{
    QDateTime time;
    ExchangeOperation operation = ExchangeOperation::Read;
    std::optional<qint32> requestCode; // nullopt for a user key, which is never shown
    qint32 status = 0;
    qint64 durationMs = 0;
    QString failure; // why the server could not be reached; empty otherwise
};

// One line of the list: "21:45:03 read 374 10000 12 ms", with "key" in place of a user key and,
// when the server could not be reached, why: "21:45:03 read 0 10001 3 ms: TLS: ...".
QString describeExchange(const ExchangeLogEntry &entry);

// Passes every exchange on to `inner` and keeps the latest ones, newest first.
class ExchangeLog final : public QObject, public ServerExchange
{
    Q_OBJECT

public:
    static constexpr std::size_t Capacity = 200;

    // inner and clock must outlive the log.
    ExchangeLog(ServerExchange &inner, const Clock &clock);

    qint32 read(ExchangeBuffer &buffer) override;
    qint32 write(ExchangeBuffer &buffer) override;
    void beginSession() override { m_inner.beginSession(); }
    QString lastFailure() const override { return m_inner.lastFailure(); }
    bool isBuiltIn() const override { return m_inner.isBuiltIn(); }

    const std::deque<ExchangeLogEntry> &entries() const { return m_entries; }

Q_SIGNALS:
    void entryAdded(const ExchangeLogEntry &entry);

private:
    qint32 logged(ExchangeOperation operation, ExchangeBuffer &buffer);

    ServerExchange &m_inner;
    const Clock &m_clock;
    std::deque<ExchangeLogEntry> m_entries;
};
