// A server exchange for tests: every exchange is logged and answered by the test's own function.
#pragma once

#include "core/codec/bytes.h"
#include "core/exchange/serverexchange.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <functional>

class ScriptedExchange final : public ServerExchange
{
public:
    using Answer = std::function<qint32(ExchangeOperation, ExchangeBuffer &)>;

    // Without an answer every exchange reports NoConnection.
    explicit ScriptedExchange(Answer script = {}) : answer(std::move(script)) {}

    qint32 read(ExchangeBuffer &buffer) override { return exchangeLogged(ExchangeOperation::Read, buffer); }
    qint32 write(ExchangeBuffer &buffer) override { return exchangeLogged(ExchangeOperation::Write, buffer); }
    bool isBuiltIn() const override { return builtIn; }

    struct Request
    {
        ExchangeOperation operation;
        ExchangeBuffer buffer; // as the caller handed it over
    };

    // The request codes of the logged requests, in order (a user key shows as its first 4 bytes).
    QList<qint32> codes() const
    {
        QList<qint32> result;
        for (const Request &request : requests)
            result.append(*readI32(request.buffer, 0));
        return result;
    }

    Answer answer;
    bool builtIn = true; // as the client's own server, unless a test plays a real one
    QList<Request> requests;

private:
    qint32 exchangeLogged(ExchangeOperation operation, ExchangeBuffer &buffer)
    {
        requests.append({operation, buffer});
        return answer ? answer(operation, buffer) : ExchangeStatus::NoConnection;
    }
};

// Answers a read by copying `record` to the reply offset.
inline void putReply(ExchangeBuffer &buffer, const QByteArray &record)
{
    std::copy_n(record.constData(), std::min<qsizetype>(record.size(), buffer.size() - ReplyOffset),
                buffer.begin() + ReplyOffset);
}
