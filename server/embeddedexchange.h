// The exchange answered inside the client's own process, from a store file, when no server address is set.
#pragma once

#include "core/exchange/serverexchange.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"

#include <QString>

#include <memory>
#include <optional>

class EmbeddedExchange final : public ServerExchange
{
public:
    // Takes the opened store, or null when it could not be opened: then every exchange answers
    // ExchangeStatus::NoConnection, as an unreachable server would.
    explicit EmbeddedExchange(std::unique_ptr<PlantStore> store);

    qint32 read(ExchangeBuffer &buffer) override;
    qint32 write(ExchangeBuffer &buffer) override;
    bool isBuiltIn() const override { return true; }

private:
    std::unique_ptr<PlantStore> m_store;
    std::optional<RequestHandler> m_handler;
};

struct EmbeddedExchangeOpening
{
    std::unique_ptr<EmbeddedExchange> exchange; // never null
    QString error;                              // why the store did not open; empty when it did
};

// Opens (or creates and seeds) the store at path, by default where skladar-server keeps it.
EmbeddedExchangeOpening openEmbeddedExchange(const QString &path = defaultStorePath());
