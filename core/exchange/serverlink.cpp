// Choosing the server exchange from the settings.
#include "core/exchange/serverlink.h"

#include "core/settings/settingsstore.h"
#include "core/exchange/tcpexchange.h"

#include <QtEndian>

ServerAddress serverAddressFromSettings(const SettingsStore &store)
{
    const QString section = QStringLiteral("Forma\\");
    qint32 ip = 0;
    qint32 port = 0;
    store.ReadInteger(section, QStringLiteral("IPServer"), ip);
    store.ReadInteger(section, QStringLiteral("Port"), port);

    ServerAddress result;
    if (ip != 0) // the first octet is the lowest byte, while QHostAddress takes it as the highest
        result.address = QHostAddress(qbswap(static_cast<quint32>(ip)));
    if (port >= 1 && port <= 65535)
        result.port = static_cast<quint16>(port);
    return result;
}

ServerLink::ServerLink(const SettingsStore &store, EmbeddedFactory embedded)
    : m_store(store)
    , m_embedded(std::move(embedded))
{
}

ServerLink::~ServerLink() = default;

void ServerLink::select()
{
    const ServerAddress address = serverAddressFromSettings(m_store);
    if (m_exchange && address == m_address)
        return;
    m_address = address;
    m_exchange.reset();
    m_exchange = address.embedded() ? m_embedded() : std::make_unique<TcpExchange>(address.address, address.port);
}

qint32 ServerLink::read(ExchangeBuffer &buffer)
{
    if (!m_exchange)
        select();
    return m_exchange ? m_exchange->read(buffer) : ExchangeStatus::NoConnection;
}

qint32 ServerLink::write(ExchangeBuffer &buffer)
{
    if (!m_exchange)
        select();
    return m_exchange ? m_exchange->write(buffer) : ExchangeStatus::NoConnection;
}
