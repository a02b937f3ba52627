// The in-process exchange: the request handler over a store the client owns.
#include "server/embeddedexchange.h"

EmbeddedExchange::EmbeddedExchange(std::unique_ptr<PlantStore> store)
    : m_store(std::move(store))
{
    if (m_store)
        m_handler.emplace(*m_store);
}

qint32 EmbeddedExchange::read(ExchangeBuffer &buffer)
{
    return m_handler ? m_handler->handle(ExchangeOperation::Read, buffer) : ExchangeStatus::NoConnection;
}

qint32 EmbeddedExchange::write(ExchangeBuffer &buffer)
{
    return m_handler ? m_handler->handle(ExchangeOperation::Write, buffer) : ExchangeStatus::NoConnection;
}

EmbeddedExchangeOpening openEmbeddedExchange(const QString &path)
{
    StoreOpening opening = PlantStore::open(path);
    return {std::make_unique<EmbeddedExchange>(std::move(opening.store)), opening.error};
}
