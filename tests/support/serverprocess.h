// The real skladar-server run by a test on a loopback port, and a client that speaks its frames.
#pragma once

#include "core/exchange/exchangeframe.h"

#include <QByteArray>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

// The program built with the tests.
QString serverProgram();

// A program's exit status and what it wrote.
struct ProgramRun
{
    int status;
    QString out;
    QString err;
};

// Runs the program to its end, at most 30 s, in dir (the current folder when empty) with the environment.
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QString &dir = {},
                      const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// A file of the test certificates: "server.crt" and "server.key" the server's, "other.crt" one nobody trusts.
inline QString tlsFile(const char *name)
{
    return QStringLiteral(SKLADAR_TEST_TLS_DIR "/") + QString::fromLatin1(name);
}

class ServerProcess
{
public:
    ~ServerProcess();

    // Starts the server on the store, listening on 127.0.0.1:port (0 for a free port), with more
    // options. True once it announced where it listens and the store, within 10 s.
    bool start(const QString &store, quint16 port = 0, const QStringList &options = {});
    quint16 port() const { return m_port; }
    qint64 processId() const { return m_process.processId(); }
    // Where the next start writes its log (standard error); nowhere unless set.
    void logTo(const QString &path) { m_logFile = path; }
    // SIGKILL, and waits until the process is gone.
    void kill();
    // SIGTERM; true when the server then exits with 0 within 10 s.
    bool stop();

private:
    QProcess m_process;
    quint16 m_port = 0;
    QString m_logFile;
};

// A test with a store folder of its own and a server to start on it.
struct ServerProcessTest : testing::Test
{
    QString storePath() const { return m_dir.filePath(QStringLiteral("plant.sqlite")); }
    // The log of a server started after server.logTo(logPath()).
    QString logPath() const { return m_dir.filePath(QStringLiteral("server.log")); }
    QString log() const;
    QTemporaryDir m_dir;
    ServerProcess server;
};

// One connection to the server, used from one thread with blocking waits only.
class FrameClient
{
public:
    // Connects and logs in as the user with the password `login` (the administrator unless told
    // otherwise; an empty one stays unbound). False when either fails.
    bool connectTo(quint16 port, const QByteArray &login = "ADMIN");
    // Sends the request and waits for one whole reply frame; nullopt when the connection closes or
    // no reply came within timeoutMs.
    std::optional<ReplyFrame> exchange(ExchangeOperation operation, const ExchangeBuffer &buffer, int timeoutMs = 5000);

private:
    QTcpSocket m_socket;
    QByteArray m_pending;
};

// A write of material code (211 to 298) with the density.
ExchangeBuffer materialWrite(qint32 code, double density);
// The density stored under the material code, or nullopt when the read fails.
std::optional<double> readDensity(FrameClient &client, qint32 code);
