// The exchange with an acquisition server over TCP or TLS: synchronous, with short time-outs.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QSslCertificate>
#include <QSslSocket>

#include <optional>

// Owns its connection, opens it at the first exchange and keeps it open. Every I/O failure or
// time-out answers NoConnection and drops the connection. After a failed connect the link counts as
// down for the back-off time: exchanges then answer NoConnection at once, so a retry loop over a
// dead link costs one connect time-out instead of one per try. The next exchange after that tries
// to connect again.
//
// The server binds each connection to the user of its first successful user read (the login).
// The exchange remembers that read and repeats it first on every new connection, so a session
// survives a restarted server; beginSession() forgets it and drops the connection, so the next
// login starts on a connection of its own.
class TcpExchange final : public ServerExchange
{
public:
    struct Timing
    {
        int connectMs = 1000;
        int replyMs = 3000;
        int backOffMs = 2000;
    };

    // With TLS the server's certificate must be signed by (or be) one of `trusted` and name the
    // address connected to.
    struct Tls
    {
        bool enabled = false;
        QList<QSslCertificate> trusted;
        QString problem; // why the trusted certificates could not be read; no connection is tried
    };

    TcpExchange(const QHostAddress &address, quint16 port, Timing timing, Tls tls);
    TcpExchange(const QHostAddress &address, quint16 port, Timing timing)
        : TcpExchange(address, port, timing, Tls{})
    {}
    TcpExchange(const QHostAddress &address, quint16 port)
        : TcpExchange(address, port, Timing{})
    {}

    qint32 read(ExchangeBuffer &buffer) override;
    qint32 write(ExchangeBuffer &buffer) override;
    void beginSession() override;
    QString lastFailure() const override { return m_lastFailure; }

private:
    qint32 roundTrip(ExchangeOperation operation, ExchangeBuffer &buffer);
    qint32 send(ExchangeOperation operation, ExchangeBuffer &buffer);
    bool connected();
    bool open();
    qint32 dropConnection(const QString &why);

    QHostAddress m_address;
    quint16 m_port;
    Timing m_timing;
    Tls m_tls;
    QSslSocket m_socket;
    QElapsedTimer m_downSince;             // valid while the link counts as down
    std::optional<ExchangeBuffer> m_login; // the session's login read, once it succeeded
    bool m_loggedIn = false;               // the login read succeeded on this connection
    QString m_lastFailure;
};

// The certificates of a PEM file; empty, with the reason in error, when it holds none.
QList<QSslCertificate> readTrustedCertificates(const QString &path, QString &error);
