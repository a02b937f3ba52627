// A server exchange for tests: every exchange is logged and answered by the test's own function.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QByteArray>
#include <QList>

#include <functional>

class ScriptedExchange final : public ServerExchange
{
public:
    using Answer = std::function<qint32(ExchangeOperation, ExchangeBuffer &)>;

    // Without an answer every exchange reports NoConnection.
    explicit ScriptedExchange(Answer answer = {}) : answer(std::move(answer)) {}

    qint32 read(ExchangeBuffer &buffer) override { return exchangeLogged(ExchangeOperation::Read, buffer); }
    qint32 write(ExchangeBuffer &buffer) override { return exchangeLogged(ExchangeOperation::Write, buffer); }

    struct Request
    {
        ExchangeOperation operation;
        ExchangeBuffer buffer; // as the caller handed it over
    };

    // The request codes of the logged requests, in order (a user key shows as its first 4 bytes).
    QList<qint32> codes() const;

    Answer answer;
    QList<Request> requests;

private:
    qint32 exchangeLogged(ExchangeOperation operation, ExchangeBuffer &buffer);
};

// Answers a read by copying `record` to the reply offset.
void putReply(ExchangeBuffer &buffer, const QByteArray &record);
