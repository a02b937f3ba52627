// The exchange over TCP: request frames in, reply frames out, many connections on one event loop.
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <functional>
#include <optional>

class RequestHandler;

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

// Each connection sends request frames and receives one reply frame per request, in order; the
// next request is taken only once the previous reply has left, so a client that does not read
// holds up only itself. A bad operation byte closes that connection; a connection closed in the
// middle of a frame is dropped with it. Everything runs on the thread of the event loop.
class TcpServer
{
public:
    using Log = std::function<void(const QString &line)>;

    // The handler must outlive the server. With a log, one line per request:
    // "PEER read|write CODE|key STATUS MILLISECONDS ms".
    explicit TcpServer(RequestHandler &handler, Log log = {});

    // False, with errorString(), when the address cannot be bound.
    bool listen(const ListenAddress &address);
    QString errorString() const { return m_server.errorString(); }
    // Where the server listens; the port is the real one when port 0 was asked for.
    ListenAddress address() const { return {m_server.serverAddress(), m_server.serverPort()}; }

private:
    void accept();

    RequestHandler &m_handler;
    Log m_log;
    QTcpServer m_server;
    QObject m_connections; // parent of every open connection
};
