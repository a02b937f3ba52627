// The client's way to the acquisition server, chosen by the settings: in-process or over TCP.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QHostAddress>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class SettingsStore;

// "Forma\IPServer" holds the server's IPv4 address, first octet in the lowest byte; 0 (nothing
// configured) selects the server built into the client. "Forma\Port" overrides the TCP port.
inline constexpr quint16 DefaultServerPort = 7400;
inline const QString ServerAddressKey = QStringLiteral("Forma\\");
inline const QString ServerAddressValue = QStringLiteral("IPServer");

// The four octets of an address as IPServer packs them: first + second x 256 + third x 65536 +
// fourth x 16777216, in 32 bits (1, 2, 3, 4 is 67305985).
using AddressOctets = std::array<quint8, 4>;
qint32 packServerAddress(const AddressOctets &octets);
AddressOctets serverAddressOctets(qint32 packed);

// "Forma\TLS" = "true" speaks TLS with the server and trusts the PEM certificate named by
// "Forma\TLSCertificate" (a plant's self-signed certificate, or the authority that signed it).
inline const QString TlsValue = QStringLiteral("TLS");
inline const QString TlsCertificateValue = QStringLiteral("TLSCertificate");

struct ServerAddress
{
    QHostAddress address; // null for the embedded server
    quint16 port = DefaultServerPort;
    bool tls = false;
    QString trustedCertificate; // a PEM file; with tls only

    bool embedded() const { return address.isNull(); }
    bool operator==(const ServerAddress &) const = default;
};

// A missing or zero IPServer gives the embedded server; a Port outside 1..65535 gives 7400.
ServerAddress serverAddressFromSettings(const SettingsStore &store);

// The exchange with a server over the network, TLS when the address asks for it. When the
// certificate cannot be read, every exchange fails with that reason.
std::unique_ptr<ServerExchange> networkExchange(const ServerAddress &address);

// Forwards every exchange to the running session's exchange or, while a login is in progress, to
// the login's own. Without a login the running session follows the settings at its first exchange.
class ServerLink final : public ServerExchange
{
public:
    // Makes the embedded exchange when the settings ask for it; the link owns what it returns.
    using EmbeddedFactory = std::function<std::unique_ptr<ServerExchange>()>;

    ServerLink(const SettingsStore &store, EmbeddedFactory embedded);
    ~ServerLink() override;

    // A login begins: until endLogin, the exchanges go to a fresh exchange for the address in the
    // settings (a connection of its own, also to the same server), while the running session keeps
    // its connection. The embedded server at an unchanged address is shared: it keeps no sessions.
    void beginLogin();
    // The login ended: on success its exchange becomes the running session's; otherwise it is
    // dropped and the running session goes on with the connection and the address it had.
    void endLogin(bool succeeded);
    // The running session's address.
    ServerAddress address() const;

    qint32 read(ExchangeBuffer &buffer) override;
    qint32 write(ExchangeBuffer &buffer) override;
    void beginSession() override;
    QString lastFailure() const override;
    // During a login, whether the login's server is the built-in one.
    bool isBuiltIn() const override;

private:
    struct Session
    {
        ServerAddress address;
        std::shared_ptr<ServerExchange> exchange; // null when the embedded server could not open
    };

    Session sessionFor(const ServerAddress &address) const;
    ServerExchange *current();

    const SettingsStore &m_store;
    EmbeddedFactory m_embedded;
    std::optional<Session> m_running;
    std::optional<Session> m_login;
};
