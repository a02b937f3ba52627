// Choosing the server exchange from the settings.
#include "core/exchange/serverlink.h"

#include "core/settings/settingsstore.h"
#include "core/exchange/tcpexchange.h"

#include <QtEndian>

qint32 packServerAddress(const AddressOctets &octets)
{
    quint32 packed = 0;
    for (std::size_t i = octets.size(); i-- > 0;)
        packed = packed << 8 | octets[i];
    return static_cast<qint32>(packed);
}

AddressOctets serverAddressOctets(qint32 packed)
{
    AddressOctets octets{};
    auto bits = static_cast<quint32>(packed);
    for (quint8 &octet : octets) {
        octet = static_cast<quint8>(bits & 0xFF);
        bits >>= 8;
    }
    return octets;
}

ServerAddress serverAddressFromSettings(const SettingsStore &store)
{
    qint32 ip = 0;
    qint32 port = 0;
    store.ReadInteger(ServerAddressKey, ServerAddressValue, ip);
    store.ReadInteger(ServerAddressKey, QStringLiteral("Port"), port);

    ServerAddress result;
    if (ip != 0) // the first octet is the lowest byte, while QHostAddress takes it as the highest
        result.address = QHostAddress(qbswap(static_cast<quint32>(ip)));
    if (port >= 1 && port <= 65535)
        result.port = static_cast<quint16>(port);
    QString tls;
    if (store.ReadString(ServerAddressKey, TlsValue, tls).ok() && tls == QStringLiteral("true")) {
        result.tls = true;
        (void)store.ReadString(ServerAddressKey, TlsCertificateValue, result.trustedCertificate);
    }
    return result;
}

std::unique_ptr<ServerExchange> networkExchange(const ServerAddress &address)
{
    TcpExchange::Tls tls;
    tls.enabled = address.tls;
    if (address.tls)
        tls.trusted = readTrustedCertificates(address.trustedCertificate, tls.problem);
    return std::make_unique<TcpExchange>(address.address, address.port, TcpExchange::Timing{}, std::move(tls));
}

ServerLink::ServerLink(const SettingsStore &store, EmbeddedFactory embedded)
    : m_store(store)
    , m_embedded(std::move(embedded))
{}

ServerLink::~ServerLink() = default;

ServerLink::Session ServerLink::sessionFor(const ServerAddress &address) const
{
    if (address.embedded() && m_running && m_running->exchange && m_running->address == address)
        return *m_running;
    return {address, address.embedded() ? std::shared_ptr<ServerExchange>(m_embedded()) : networkExchange(address)};
}

ServerExchange *ServerLink::current()
{
    if (m_login)
        return m_login->exchange.get();
    if (!m_running)
        m_running = sessionFor(serverAddressFromSettings(m_store));
    return m_running->exchange.get();
}

void ServerLink::beginLogin() { m_login = sessionFor(serverAddressFromSettings(m_store)); }

void ServerLink::endLogin(bool succeeded)
{
    if (m_login && succeeded)
        m_running = std::move(m_login);
    m_login.reset();
}

ServerAddress ServerLink::address() const { return m_running ? m_running->address : ServerAddress{}; }

void ServerLink::beginSession()
{
    if (ServerExchange *exchange = current())
        exchange->beginSession();
}

QString ServerLink::lastFailure() const
{
    const std::optional<Session> &session = m_login ? m_login : m_running;
    return session && session->exchange ? session->exchange->lastFailure() : QString();
}

qint32 ServerLink::read(ExchangeBuffer &buffer)
{
    ServerExchange *exchange = current();
    return exchange ? exchange->read(buffer) : ExchangeStatus::NoConnection;
}

qint32 ServerLink::write(ExchangeBuffer &buffer)
{
    ServerExchange *exchange = current();
    return exchange ? exchange->write(buffer) : ExchangeStatus::NoConnection;
}

bool ServerLink::isBuiltIn() const
{
    const std::optional<Session> &session = m_login ? m_login : m_running;
    return session ? session->address.embedded() : serverAddressFromSettings(m_store).embedded();
}
