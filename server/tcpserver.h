// The exchange over TCP, plain or TLS: request frames in, reply frames out, one session per connection.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>
#include <QTcpServer>

#include <optional>
#include <utility>

class LoginThrottle;
class ServerLog;
class SessionHandler;

struct ListenAddress
{
    QHostAddress address;
    quint16 port = 0; // 0: any free port
};

// "ADDR:PORT" with a numeric IPv4 address or a bracketed IPv6 one ("[::1]:7400") and a port of
// 0..65535; nullopt for anything else (host names included).
std::optional<ListenAddress> parseListenAddress(const QString &text);
// The same notation: "127.0.0.1:7400", "[::1]:7400".
QString listenAddressText(const QHostAddress &address, quint16 port);

// The addresses that may connect, as CIDR blocks ("10.1.2.0/24", "fd00::/8", a bare address is
// one host). An empty list lets everybody in. IPv4 clients reaching an IPv6 socket are matched as
// IPv4.
class AllowList
{
public:
    // False when the text is not a CIDR block.
    bool add(const QString &cidr);
    bool allows(const QHostAddress &address) const;

private:
    QList<std::pair<QHostAddress, int>> m_blocks;
};

// The client's address as logs and the audit name it, IPv4-mapped IPv6 shown as IPv4.
QString clientAddressText(const QHostAddress &address);

// The server's certificate and key; without them the server speaks plain TCP.
struct TlsIdentity
{
    QSslCertificate certificate;
    QSslKey key;
};

// Reads a PEM certificate and its PEM private key (RSA or EC); the error names the file at fault.
std::optional<TlsIdentity> loadTlsIdentity(const QString &certificateFile, const QString &keyFile, QString &error);

// Each connection is a session that sends request frames and receives one reply frame per request,
// in order; the next request is taken only once the previous reply has left, so a client that does
// not read holds up only itself. A bad operation byte, a failed TLS handshake, a connection from an
// address outside the allow-list or shut out for failed logins, and the fifth failed login of a
// connection close it. Everything runs on the thread of the event loop.
class TcpServer
{
public:
    struct Options
    {
        std::optional<TlsIdentity> tls;
        AllowList allowed;
        int handshakeTimeoutMs = 10000;
    };

    // Everything handed in must outlive the server. At debug level the log gets one line per
    // request: "PEER read|write CODE|key STATUS MILLISECONDS ms".
    TcpServer(SessionHandler &handler, LoginThrottle &throttle, const ServerLog &log, Options options);
    ~TcpServer();

    // False, with errorString(), when the address cannot be bound.
    bool listen(const ListenAddress &address);
    QString errorString() const;
    // Where the server listens; the port is the real one when port 0 was asked for.
    ListenAddress address() const;

private:
    void accept();

    class Listener;
    SessionHandler &m_handler;
    LoginThrottle &m_throttle;
    const ServerLog &m_log;
    Options m_options;
    Listener *m_listener;
    QObject m_connections; // parent of every open connection
};
