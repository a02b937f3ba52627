// The TCP exchange: one request frame out, one reply frame back, within the time-outs.
#include "core/exchange/tcpexchange.h"

#include "core/codec/bytes.h"
#include "core/exchange/exchangeframe.h"

#include <QFile>
#include <QStringList>
#include <QSslConfiguration>

namespace {

using namespace Qt::StringLiterals;

// A read whose first four bytes are no request code asks for a user record by key: the login.
bool isUserRead(ExchangeOperation operation, const ExchangeBuffer &buffer)
{
    if (operation != ExchangeOperation::Read)
        return false;
    const qint32 code = *readI32(buffer, 0);
    return code < 0 || code >= RequestCodeLimit;
}

QString tlsErrors(const QList<QSslError> &errors)
{
    QStringList texts;
    for (const QSslError &error : errors)
        texts.append(error.errorString());
    return u"TLS: "_s + texts.join(u"; "_s);
}

} // namespace

TcpExchange::TcpExchange(const QHostAddress &address, quint16 port, Timing timing, Tls tls)
    : m_address(address)
    , m_port(port)
    , m_timing(timing)
    , m_tls(std::move(tls))
{}

qint32 TcpExchange::read(ExchangeBuffer &buffer) { return roundTrip(ExchangeOperation::Read, buffer); }

qint32 TcpExchange::write(ExchangeBuffer &buffer) { return roundTrip(ExchangeOperation::Write, buffer); }

void TcpExchange::beginSession()
{
    m_socket.abort();
    m_login.reset();
    m_loggedIn = false;
    m_downSince.invalidate();
}

bool TcpExchange::connected()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        return true;
    if (m_downSince.isValid() && !m_downSince.hasExpired(m_timing.backOffMs))
        return false;
    m_downSince.invalidate();
    m_loggedIn = false;
    if (open()) {
        m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
        return true;
    }
    m_socket.abort();
    m_downSince.start();
    return false;
}

bool TcpExchange::open()
{
    m_socket.abort();
    if (!m_tls.enabled) {
        m_socket.connectToHost(m_address, m_port);
        if (m_socket.waitForConnected(m_timing.connectMs))
            return true;
        m_lastFailure = m_socket.errorString();
        return false;
    }
    if (!m_tls.problem.isEmpty()) {
        m_lastFailure = m_tls.problem;
        return false;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setCaCertificates(m_tls.trusted);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    m_socket.setSslConfiguration(configuration);
    m_socket.connectToHostEncrypted(m_address.toString(), m_port);
    if (m_socket.waitForEncrypted(m_timing.connectMs))
        return true;
    const QList<QSslError> errors = m_socket.sslHandshakeErrors();
    m_lastFailure = errors.isEmpty() ? u"TLS: "_s + m_socket.errorString() : tlsErrors(errors);
    return false;
}

qint32 TcpExchange::dropConnection(const QString &why)
{
    m_lastFailure = why;
    m_socket.abort();
    m_loggedIn = false;
    return ExchangeStatus::NoConnection;
}

qint32 TcpExchange::roundTrip(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    if (!connected())
        return ExchangeStatus::NoConnection;
    if (m_login && !m_loggedIn) {
        ExchangeBuffer login = *m_login;
        const qint32 status = send(ExchangeOperation::Read, login);
        if (status != ExchangeStatus::Success)
            return status;
        m_loggedIn = true;
    }
    const bool loggingIn = !m_login && isUserRead(operation, buffer);
    const ExchangeBuffer request = buffer;
    const qint32 status = send(operation, buffer);
    if (loggingIn && status == ExchangeStatus::Success) {
        m_login = request;
        m_loggedIn = true;
    }
    return status;
}

qint32 TcpExchange::send(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    const QByteArray request = encodeRequestFrame({operation, buffer});
    if (m_socket.write(request) != request.size())
        return dropConnection(m_socket.errorString());
    m_socket.flush();

    QElapsedTimer waiting;
    waiting.start();
    QByteArray pending;
    while (pending.size() < ReplyFrameSize) {
        const qint64 left = m_timing.replyMs - waiting.elapsed();
        if (left <= 0 || (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(static_cast<int>(left))))
            return dropConnection(left <= 0 ? u"the server did not answer in time"_s : m_socket.errorString());
        pending.append(m_socket.read(ReplyFrameSize - pending.size()));
    }
    const ReplyFrame reply = *takeReplyFrame(pending);
    if (reply.status == ExchangeStatus::Success && operation == ExchangeOperation::Read)
        buffer = reply.buffer;
    m_lastFailure.clear();
    return reply.status;
}

QList<QSslCertificate> readTrustedCertificates(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = u"TLS: cannot read the certificate %1: %2"_s.arg(path, file.errorString());
        return {};
    }
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(file.readAll(), QSsl::Pem);
    if (certificates.isEmpty())
        error = u"TLS: %1 holds no PEM certificate"_s.arg(path);
    return certificates;
}
