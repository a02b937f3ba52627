// The exchange log: one entry per exchange, at most the latest 200.
#include "core/exchange/exchangelog.h"

#include "core/codec/bytes.h"
#include "core/services/clock.h"

#include <QElapsedTimer>

QString describeExchange(const ExchangeLogEntry &entry)
{
    const QString operation
        = entry.operation == ExchangeOperation::Read ? QStringLiteral("read") : QStringLiteral("write");
    const QString request = entry.requestCode ? QString::number(*entry.requestCode) : QStringLiteral("key");
    const QString line = QStringLiteral("%1 %2 %3 %4 %5 ms")
                             .arg(entry.time.toString(QStringLiteral("HH:mm:ss")), operation, request)
                             .arg(entry.status)
                             .arg(entry.durationMs);
    return entry.failure.isEmpty() ? line : line + QStringLiteral(": ") + entry.failure;
}

ExchangeLog::ExchangeLog(ServerExchange &inner, const Clock &clock)
    : m_inner(inner)
    , m_clock(clock)
{}

qint32 ExchangeLog::read(ExchangeBuffer &buffer) { return logged(ExchangeOperation::Read, buffer); }

qint32 ExchangeLog::write(ExchangeBuffer &buffer) { return logged(ExchangeOperation::Write, buffer); }

qint32 ExchangeLog::logged(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    const qint32 code = *readI32(buffer, 0);
    ExchangeLogEntry entry{m_clock.now(), operation, std::nullopt, 0, 0, {}};
    if (code >= 0 && code < RequestCodeLimit) // a user key is a password and stays out of the list
        entry.requestCode = code;
    QElapsedTimer took;
    took.start();
    entry.status = m_inner.exchange(operation, buffer);
    entry.durationMs = took.elapsed();
    if (entry.status == ExchangeStatus::NoConnection)
        entry.failure = m_inner.lastFailure();

    m_entries.push_front(entry);
    if (m_entries.size() > Capacity)
        m_entries.pop_back();
    Q_EMIT entryAdded(entry);
    return entry.status;
}
