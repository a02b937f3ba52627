// The scripted server exchange of the tests.
#include "tests/support/scriptedexchange.h"

#include "core/codec/bytes.h"

#include <algorithm>

QList<qint32> ScriptedExchange::codes() const
{
    QList<qint32> result;
    for (const Request &request : requests)
        result.append(*readI32(request.buffer, 0));
    return result;
}

qint32 ScriptedExchange::exchangeLogged(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    requests.append({operation, buffer});
    return answer ? answer(operation, buffer) : ExchangeStatus::NoConnection;
}

void putReply(ExchangeBuffer &buffer, const QByteArray &record)
{
    std::copy_n(record.constData(), std::min<qsizetype>(record.size(), buffer.size() - ReplyOffset),
                buffer.begin() + ReplyOffset);
}
