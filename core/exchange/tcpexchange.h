// The exchange with an acquisition server over TCP: synchronous, with short time-outs.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>

// Owns its connection, opens it at the first exchange and keeps it open. Every I/O failure or
// time-out answers NoConnection and drops the connection. After a failed connect the link counts as
// down for the back-off time: exchanges then answer NoConnection at once, so a retry loop over a
// dead link costs one connect time-out instead of one per try. The next exchange after that tries
// to connect again.
class TcpExchange final : public ServerExchange
{
public:
    struct Timing
    {
        int connectMs = 1000;
        int replyMs = 3000;
        int backOffMs = 2000;
    };

    TcpExchange(const QHostAddress &address, quint16 port, Timing timing);
    TcpExchange(const QHostAddress &address, quint16 port) : TcpExchange(address, port, Timing{}) {}

    qint32 read(ExchangeBuffer &buffer) override;
    qint32 write(ExchangeBuffer &buffer) override;

private:
    qint32 roundTrip(ExchangeOperation operation, ExchangeBuffer &buffer);
    bool connected();
    qint32 dropConnection();

    QHostAddress m_address;
    quint16 m_port;
    Timing m_timing;
    QTcpSocket m_socket;
    QElapsedTimer m_downSince; // valid while the link counts as down
};
