// The TCP transport of the server: per-connection frame buffers over QTcpServer.
#include "server/tcpserver.h"

#include "core/exchange/exchangeframe.h"
#include "server/requesthandler.h"

#include <QElapsedTimer>
#include <QTcpSocket>

namespace {

using namespace Qt::StringLiterals;

// How many request frames a connection's socket buffers before TCP makes the client wait.
constexpr qint64 BufferedFrames = 16;

QString requestText(const Request &request)
{
    return request.kind == RequestKind::User ? u"key"_s : QString::number(request.code);
}

// One client: its socket (a child) and the part of the next request frame read so far.
class Connection : public QObject
{
public:
    Connection(QTcpSocket *socket, RequestHandler &handler, const TcpServer::Log &log, QObject *parent)
        : QObject(parent), m_socket(socket), m_handler(handler), m_log(log)
    {
        m_socket->setParent(this);
        m_socket->setReadBufferSize(BufferedFrames * RequestFrameSize);
        QObject::connect(m_socket, &QTcpSocket::readyRead, this, [this] { serve(); });
        QObject::connect(m_socket, &QTcpSocket::bytesWritten, this, [this] { serve(); });
        QObject::connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    }

private:
    // Takes whole frames one at a time, each only once the previous reply has been written out.
    void serve()
    {
        while (m_socket->bytesToWrite() == 0) {
            m_pending.append(m_socket->read(RequestFrameSize - m_pending.size()));
            const TakenRequest taken = takeRequestFrame(m_pending);
            if (taken.malformed) {
                m_socket->abort();
                deleteLater();
                return;
            }
            if (!taken.frame)
                return;
            answer(*taken.frame);
        }
    }

    void answer(const RequestFrame &frame)
    {
        QElapsedTimer timer;
        timer.start();
        const Request request = classifyRequest(frame.operation, frame.buffer);
        ReplyFrame reply{0, frame.buffer};
        reply.status = m_handler.handle(frame.operation, reply.buffer);
        m_socket->write(encodeReplyFrame(reply));
        if (m_log) {
            m_log(u"%1 %2 %3 %4 %5 ms"_s.arg(listenAddressText(m_socket->peerAddress(), m_socket->peerPort()),
                                            frame.operation == ExchangeOperation::Read ? u"read"_s : u"write"_s,
                                            requestText(request), QString::number(reply.status),
                                            QString::number(static_cast<double>(timer.nsecsElapsed()) / 1e6, 'f', 3)));
        }
    }

    QTcpSocket *m_socket;
    RequestHandler &m_handler;
    const TcpServer::Log &m_log;
    QByteArray m_pending;
};

} // namespace

std::optional<ListenAddress> parseListenAddress(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    if (colon < 0)
        return std::nullopt;
    bool numeric = false;
    const uint port = text.mid(colon + 1).toUInt(&numeric);
    QString host = text.left(colon);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    else if (host.contains(u':'))
        return std::nullopt;
    QHostAddress address;
    if (!numeric || port > 65535 || !address.setAddress(host))
        return std::nullopt;
    return ListenAddress{address, static_cast<quint16>(port)};
}

QString listenAddressText(const QHostAddress &address, quint16 port)
{
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol ? u"[%1]"_s.arg(address.toString())
                                                                            : address.toString();
    return u"%1:%2"_s.arg(host).arg(port);
}

TcpServer::TcpServer(RequestHandler &handler, Log log)
    : m_handler(handler), m_log(std::move(log))
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_connections, [this] { accept(); });
}

bool TcpServer::listen(const ListenAddress &address)
{
    return m_server.listen(address.address, address.port);
}

void TcpServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection())
        new Connection(socket, m_handler, m_log, &m_connections);
}
