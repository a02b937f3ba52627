// The TCP transport of the server: per-connection sessions and frame buffers, optionally over TLS.
#include "server/tcpserver.h"

#include "core/exchange/exchangeframe.h"
#include "server/loginthrottle.h"
#include "server/serverlog.h"
#include "server/sessionhandler.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTimer>

#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

// How many request frames a connection's socket buffers before TCP makes the client wait.
constexpr qint64 BufferedFrames = 16;

QString requestText(const Request &request)
{
    return request.kind == RequestKind::User ? u"key"_s : QString::number(request.code);
}

QHostAddress unmapped(const QHostAddress &address)
{
    bool mapped = false;
    const quint32 ipv4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(ipv4) : address;
}

// One client: its socket (a child), its session and the part of the next request frame read so far.
class Connection : public QObject
{
public:
    Connection(QTcpSocket *socket, SessionHandler &handler, const ServerLog &log, QObject *parent)
        : QObject(parent)
        , m_socket(socket)
        , m_handler(handler)
        , m_log(log)
    {
        m_session.address = clientAddressText(socket->peerAddress());
        m_socket->setParent(this);
        m_socket->setReadBufferSize(BufferedFrames * RequestFrameSize);
        QObject::connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    }

    // Starts taking requests at once, or once the TLS handshake has succeeded.
    void start(const std::optional<TlsIdentity> &tls, int handshakeTimeoutMs)
    {
        auto *secure = qobject_cast<QSslSocket *>(m_socket);
        if (!tls || !secure) {
            serveFrames();
            return;
        }
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(tls->certificate);
        configuration.setPrivateKey(tls->key);
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        secure->setSslConfiguration(configuration);
        QObject::connect(secure, &QSslSocket::encrypted, this, [this] { serveFrames(); });
        QObject::connect(secure, &QSslSocket::sslErrors, this, [this](const QList<QSslError> &errors) {
            close(u"TLS handshake failed: %1"_s.arg(errors.value(0).errorString()));
        });
        QObject::connect(secure, &QAbstractSocket::errorOccurred, this, [this, secure] {
            if (!secure->isEncrypted())
                close(u"TLS handshake failed: %1"_s.arg(secure->errorString()));
        });
        QTimer::singleShot(handshakeTimeoutMs, this, [this, secure] {
            if (!secure->isEncrypted())
                close(u"TLS handshake timed out"_s);
        });
        secure->startServerEncryption();
    }

private:
    void serveFrames()
    {
        QObject::connect(m_socket, &QTcpSocket::readyRead, this, [this] { serve(); });
        QObject::connect(m_socket, &QTcpSocket::bytesWritten, this, [this] { serve(); });
        serve();
    }

    void close(const QString &why)
    {
        if (m_closing)
            return;
        m_closing = true;
        m_log.write(LogLevel::Info, u"%1: connection closed: %2"_s.arg(m_session.address, why));
        m_socket->abort();
        deleteLater();
    }

    // Takes whole frames one at a time, each only once the previous reply has been written out.
    void serve()
    {
        while (!m_closing && m_socket->bytesToWrite() == 0) {
            m_pending.append(m_socket->read(RequestFrameSize - m_pending.size()));
            const TakenRequest taken = takeRequestFrame(m_pending);
            if (taken.malformed) {
                close(u"malformed frame"_s);
                return;
            }
            if (!taken.frame)
                return;
            answer(*taken.frame);
            if (m_session.failedLogins >= FailedLoginsPerConnection) {
                m_socket->flush();
                close(u"%1 failed logins"_s.arg(m_session.failedLogins));
            }
        }
    }

    void answer(const RequestFrame &frame)
    {
        QElapsedTimer timer;
        timer.start();
        const Request request = classifyRequest(frame.operation, frame.buffer);
        ReplyFrame reply{0, frame.buffer};
        reply.status = m_handler.handle(m_session, frame.operation, reply.buffer);
        m_socket->write(encodeReplyFrame(reply));
        if (m_log.enabled(LogLevel::Debug)) {
            m_log.write(LogLevel::Debug, u"%1 %2 %3 %4 %5 ms"_s.arg(
                                             listenAddressText(m_socket->peerAddress(), m_socket->peerPort()),
                                             frame.operation == ExchangeOperation::Read ? u"read"_s : u"write"_s,
                                             requestText(request), QString::number(reply.status),
                                             QString::number(static_cast<double>(timer.nsecsElapsed()) / 1e6, 'f', 3)));
        }
    }

    QTcpSocket *m_socket;
    SessionHandler &m_handler;
    const ServerLog &m_log;
    Session m_session;
    QByteArray m_pending;
    bool m_closing = false;
};

} // namespace

// Makes a TLS socket for every connection when the server speaks TLS; the handshake starts only
// once the connection has passed the allow-list.
class TcpServer::Listener : public QTcpServer
{
public:
    explicit Listener(bool tls)
        : m_tls(tls)
    {}

protected:
    void incomingConnection(qintptr descriptor) override
    {
        QTcpSocket *socket = m_tls ? new QSslSocket(this) : new QTcpSocket(this);
        if (socket->setSocketDescriptor(descriptor))
            addPendingConnection(socket);
        else
            delete socket;
    }

private:
    bool m_tls;
};

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
    const QHostAddress shown = unmapped(address);
    const QString host
        = shown.protocol() == QAbstractSocket::IPv6Protocol ? u"[%1]"_s.arg(shown.toString()) : shown.toString();
    return u"%1:%2"_s.arg(host).arg(port);
}

QString clientAddressText(const QHostAddress &address) { return unmapped(address).toString(); }

bool AllowList::add(const QString &cidr)
{
    const qsizetype slash = cidr.indexOf(u'/');
    if (QHostAddress(cidr.left(slash)).isNull())
        return false;
    const QString text = slash >= 0 ? cidr : cidr + (cidr.contains(u':') ? u"/128"_s : u"/32"_s);
    const std::pair<QHostAddress, int> block = QHostAddress::parseSubnet(text);
    if (block.second < 0)
        return false;
    m_blocks.append(block);
    return true;
}

bool AllowList::allows(const QHostAddress &address) const
{
    const QHostAddress client = unmapped(address);
    return m_blocks.isEmpty() || std::any_of(m_blocks.cbegin(), m_blocks.cend(), [&](const auto &block) {
               return client.isInSubnet(block.first, block.second);
           });
}

std::optional<TlsIdentity> loadTlsIdentity(const QString &certificateFile, const QString &keyFile, QString &error)
{
    if (!QSslSocket::supportsSsl()) {
        error = u"TLS is not available: Qt has no TLS backend here"_s;
        return std::nullopt;
    }
    const auto contents = [&](const QString &path) -> std::optional<QByteArray> {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            error = u"cannot read %1: %2"_s.arg(path, file.errorString());
            return std::nullopt;
        }
        return file.readAll();
    };
    const std::optional<QByteArray> certificateBytes = contents(certificateFile);
    const std::optional<QByteArray> keyBytes = certificateBytes ? contents(keyFile) : std::nullopt;
    if (!keyBytes)
        return std::nullopt;
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(*certificateBytes, QSsl::Pem);
    if (certificates.isEmpty() || certificates.front().isNull()) {
        error = u"%1 holds no PEM certificate"_s.arg(certificateFile);
        return std::nullopt;
    }
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec}) {
        const QSslKey key(*keyBytes, algorithm, QSsl::Pem, QSsl::PrivateKey);
        if (!key.isNull())
            return TlsIdentity{certificates.front(), key};
    }
    error = u"%1 holds no PEM private key (RSA or EC, not encrypted)"_s.arg(keyFile);
    return std::nullopt;
}

TcpServer::TcpServer(SessionHandler &handler, LoginThrottle &throttle, const ServerLog &log, Options options)
    : m_handler(handler)
    , m_throttle(throttle)
    , m_log(log)
    , m_options(std::move(options))
    , m_listener(new Listener(m_options.tls.has_value()))
{
    QObject::connect(m_listener, &QTcpServer::newConnection, &m_connections, [this] { accept(); });
}

TcpServer::~TcpServer() { delete m_listener; }

bool TcpServer::listen(const ListenAddress &address) { return m_listener->listen(address.address, address.port); }

QString TcpServer::errorString() const { return m_listener->errorString(); }

ListenAddress TcpServer::address() const { return {m_listener->serverAddress(), m_listener->serverPort()}; }

void TcpServer::accept()
{
    while (QTcpSocket *socket = m_listener->nextPendingConnection()) {
        const QString client = clientAddressText(socket->peerAddress());
        const bool allowed = m_options.allowed.allows(socket->peerAddress());
        if (!allowed || m_throttle.shutOut(client)) {
            m_log.write(LogLevel::Info,
                        u"%1: connection refused: %2"_s.arg(client, allowed ? u"shut out after failed logins"_s
                                                                            : u"address not allowed"_s));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *connection = new Connection(socket, m_handler, m_log, &m_connections);
        connection->start(m_options.tls, m_options.handshakeTimeoutMs);
    }
}
