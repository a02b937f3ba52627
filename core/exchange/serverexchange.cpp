// The retry pattern that every caller of the server exchange follows.
#include "core/exchange/serverexchange.h"

#include <algorithm>

qint32 ServerExchange::exchange(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    return operation == ExchangeOperation::Read ? read(buffer) : write(buffer);
}

qint32 exchangeWithRetry(ServerExchange &server, ExchangeOperation operation, ExchangeBuffer &buffer, int tries)
{
    const ExchangeBuffer request = buffer;
    qint32 status = 0;
    for (int left = std::max(tries, 1); left > 0; --left) {
        buffer = request;
        status = server.exchange(operation, buffer);
        // A refusal is the server's answer to who asks, and asking again would only be refused again.
        if (status == ExchangeStatus::Success || status == ExchangeStatus::AccessRefused)
            break;
    }
    return status;
}
