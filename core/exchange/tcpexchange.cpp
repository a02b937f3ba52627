// The TCP exchange: one request frame out, one reply frame back, within the time-outs.
#include "core/exchange/tcpexchange.h"

#include "core/exchange/exchangeframe.h"

TcpExchange::TcpExchange(const QHostAddress &address, quint16 port, Timing timing)
    : m_address(address)
    , m_port(port)
    , m_timing(timing)
{
}

qint32 TcpExchange::read(ExchangeBuffer &buffer)
{
    return roundTrip(ExchangeOperation::Read, buffer);
}

qint32 TcpExchange::write(ExchangeBuffer &buffer)
{
    return roundTrip(ExchangeOperation::Write, buffer);
}

bool TcpExchange::connected()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        return true;
    if (m_downSince.isValid() && !m_downSince.hasExpired(m_timing.backOffMs))
        return false;
    m_downSince.invalidate();
    m_socket.abort();
    m_socket.connectToHost(m_address, m_port);
    if (m_socket.waitForConnected(m_timing.connectMs)) {
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return true;
    }
    m_socket.abort();
    m_downSince.start();
    return false;
}

qint32 TcpExchange::dropConnection()
{
    m_socket.abort();
    return ExchangeStatus::NoConnection;
}

qint32 TcpExchange::roundTrip(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    if (!connected())
        return ExchangeStatus::NoConnection;
    const QByteArray request = encodeRequestFrame({operation, buffer});
    if (m_socket.write(request) != request.size())
        return dropConnection();
    m_socket.flush();

    QElapsedTimer waiting;
    waiting.start();
    QByteArray pending;
    while (pending.size() < ReplyFrameSize) {
        const qint64 left = m_timing.replyMs - waiting.elapsed();
        if (left <= 0 || (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(static_cast<int>(left))))
            return dropConnection();
        pending.append(m_socket.read(ReplyFrameSize - pending.size()));
    }
    const ReplyFrame reply = *takeReplyFrame(pending);
    if (reply.status == ExchangeStatus::Success && operation == ExchangeOperation::Read)
        buffer = reply.buffer;
    return reply.status;
}
