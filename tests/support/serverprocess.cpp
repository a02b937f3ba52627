// Starting, killing and stopping the server program, and a blocking client of its frame stream.
#include "tests/support/serverprocess.h"

#include "core/exchange/serverexchange.h"

#include <QFile>
#include <QHostAddress>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

static constexpr int StartTimeoutMs = 10000;

QString serverProgram()
{
    return QStringLiteral(SKLADAR_SERVER_BINARY);
}

ServerProcess::~ServerProcess()
{
    if (m_process.state() != QProcess::NotRunning)
        kill();
}

bool ServerProcess::start(const QString &store, quint16 port, const QStringList &options)
{
    // A log nobody reads would fill its pipe and stop the server.
    m_process.setStandardErrorFile(m_logFile.isEmpty() ? QProcess::nullDevice() : m_logFile);
    m_process.start(serverProgram(), QStringList{u"--db"_s, store, u"--listen"_s, u"127.0.0.1:%1"_s.arg(port)} + options);
    while (!m_process.canReadLine() && m_process.waitForReadyRead(StartTimeoutMs)) {
    }
    const QString line = QString::fromLocal8Bit(m_process.readLine());
    const QRegularExpressionMatch announced =
        QRegularExpression(u"^skladar-server: listening on 127\\.0\\.0\\.1:(\\d+)( \\(TLS\\))?, store %1\n$"_s.arg(QRegularExpression::escape(store)))
            .match(line);
    m_port = announced.hasMatch() ? announced.captured(1).toUShort() : 0;
    return announced.hasMatch();
}

void ServerProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(StartTimeoutMs);
}

bool ServerProcess::stop()
{
    m_process.terminate();
    return m_process.waitForFinished(StartTimeoutMs) && m_process.exitStatus() == QProcess::NormalExit
           && m_process.exitCode() == 0;
}

bool FrameClient::connectTo(quint16 port, const QByteArray &login)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    if (!m_socket.waitForConnected(StartTimeoutMs))
        return false;
    if (login.isEmpty())
        return true;
    const std::optional<ReplyFrame> reply = exchange(ExchangeOperation::Read, keyRequest(login));
    return reply && reply->status == ExchangeStatus::Success;
}

std::optional<ReplyFrame> FrameClient::exchange(ExchangeOperation operation, const ExchangeBuffer &buffer, int timeoutMs)
{
    m_socket.write(encodeRequestFrame({operation, buffer}));
    std::optional<ReplyFrame> reply;
    while (!(reply = takeReplyFrame(m_pending)) && m_socket.waitForReadyRead(timeoutMs))
        m_pending += m_socket.readAll();
    return reply;
}

ExchangeBuffer materialWrite(qint32 code, double density)
{
    ExchangeBuffer buffer{};
    encodeMaterialWire({code, {static_cast<quint16>(code), u"M%1"_s.arg(code), u"Ulje"_s, u"sirovo"_s, density}}, buffer);
    return buffer;
}

std::optional<double> readDensity(FrameClient &client, qint32 code)
{
    const std::optional<ReplyFrame> reply = client.exchange(ExchangeOperation::Read, codeRequest(code));
    if (!reply || reply->status != ExchangeStatus::Success)
        return std::nullopt;
    return decodeMaterialWire(replyRecord(reply->buffer))->material.density20;
}

QString ServerProcessTest::log() const
{
    QFile file(logPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &dir, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}
