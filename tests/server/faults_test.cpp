// The real server through faults: SIGKILL in the middle of a write storm, a store that cannot be
// opened, and writes that the database refuses.
#include "tests/server/storesql.h"
#include "tests/support/serverprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

constexpr int Writers = 16;
constexpr int AcknowledgedBeforeKill = 2000;
constexpr int MostWritesPerWriter = 100000;
constexpr auto LongestStorm = std::chrono::seconds(20);
constexpr qint32 SeededMaterial = 203;

using ServerFaultTest = ServerProcessTest;

TEST_F(ServerFaultTest, KilledInAWriteStormItKeepsEveryAcknowledgedWriteAndAnswersAtOnce)
{
    ASSERT_TRUE(server.start(storePath()));
    const quint16 port = server.port();
    std::array<double, Writers> acknowledged{};
    std::atomic<int> acknowledgements{0};
    std::vector<std::thread> writers;
    for (int w = 0; w < Writers; ++w) {
        writers.emplace_back([&, w] {
            FrameClient client;
            if (!client.connectTo(port))
                return;
            for (int value = 1; value <= MostWritesPerWriter; ++value) {
                const std::optional<ReplyFrame> reply =
                    client.exchange(ExchangeOperation::Write, materialWrite(FirstClientMaterial + w, value));
                if (!reply || reply->status != ExchangeStatus::Success)
                    return;
                acknowledged[static_cast<std::size_t>(w)] = value;
                ++acknowledgements;
            }
        });
    }
    const auto stormStart = std::chrono::steady_clock::now();
    while (acknowledgements < AcknowledgedBeforeKill && std::chrono::steady_clock::now() - stormStart < LongestStorm)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server.kill();
    for (std::thread &writer : writers)
        writer.join();
    ASSERT_GE(acknowledgements, AcknowledgedBeforeKill);

    ServerProcess restarted;
    ASSERT_TRUE(restarted.start(storePath(), port));
    QElapsedTimer answer;
    answer.start();
    FrameClient client;
    ASSERT_TRUE(client.connectTo(port));
    const std::optional<ReplyFrame> status = client.exchange(ExchangeOperation::Read, codeRequest(StatusRequestCode), 1000);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->status, ExchangeStatus::Success);
    EXPECT_LT(answer.elapsed(), 1000);
    for (int w = 0; w < Writers; ++w) {
        const double last = acknowledged[static_cast<std::size_t>(w)];
        const std::optional<double> stored = readDensity(client, FirstClientMaterial + w);
        // The write in flight at the kill may or may not have been stored, never one before it.
        EXPECT_TRUE(stored == last || stored == last + 1) << "writer " << w << " acknowledged " << last;
    }
    client.close();
    EXPECT_TRUE(restarted.stop());
    EXPECT_EQ(runOnStore(storePath(), {u"PRAGMA integrity_check"_s}), u"ok"_s);
}

TEST_F(ServerFaultTest, AStoreThatCannotBeOpenedStopsTheServerAtStartWithAPlainMessage)
{
    QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                            | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    const QDir dir(m_dir.path());
    ASSERT_TRUE(dir.mkdir(u"folder"_s) && dir.mkdir(u"readonly"_s) && dir.mkdir(u"readonly-store"_s));
    const QString inPlace = dir.filePath(u"folder"_s);
    const QString missing = dir.filePath(u"readonly/plant.sqlite"_s);
    const QString existing = dir.filePath(u"readonly-store/plant.sqlite"_s);
    QProcess seed;
    seed.start(serverProgram(), {u"--db"_s, existing, u"--list-users"_s});
    ASSERT_TRUE(seed.waitForFinished(10000) && seed.exitCode() == 0);
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                          | QFile::ExeOther;
    QFile::setPermissions(existing, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(dir.filePath(u"readonly"_s), readOnly);
    QFile::setPermissions(dir.filePath(u"readonly-store"_s), readOnly);

    const struct
    {
        const char *name;
        QString store;
        QString message; // the start of standard error
    } cases[] = {
        {"AFolderInItsPlace", inPlace, u"skladar-server: cannot open %1: it is a folder, not a store file\n"_s.arg(inPlace)},
        {"AReadOnlyFolder", missing, u"skladar-server: cannot create "_s + missing},
        {"AStoreInAReadOnlyFolder", existing, u"skladar-server: cannot open "_s + existing},
    };
    for (const auto &c : cases) {
        QStringList command{serverProgram(), u"--db"_s, c.store, u"--listen"_s, u"127.0.0.1:0"_s};
        // Root passes every permission check: the server runs as nobody, whom the folders bind.
        if (::geteuid() == 0)
            command = QStringList{u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, u"--"_s} + command;
        QProcess process;
        process.start(command.front(), command.mid(1));
        ASSERT_TRUE(process.waitForFinished(10000)) << c.name;
        EXPECT_EQ(process.exitCode(), 1) << c.name;
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_TRUE(error.startsWith(c.message)) << c.name << ": " << error.toStdString();
        EXPECT_EQ(error.count(u'\n'), 1) << c.name << ": one plain line, " << error.toStdString();
    }
}

TEST_F(ServerFaultTest, AWriteTheDatabaseRefusesAnswers10006AndLeavesTheStoreAsItWas)
{
    ASSERT_TRUE(server.start(storePath()));
    FrameClient client;
    ASSERT_TRUE(client.connectTo(server.port()));
    const std::optional<double> before = readDensity(client, SeededMaterial);
    ASSERT_TRUE(before);
    {
        // Another program holds the store's write lock longer than the server waits for it.
        QSqlDatabase locker = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"locker"_s);
        locker.setDatabaseName(storePath());
        ASSERT_TRUE(locker.open());
        QSqlQuery lock(locker);
        ASSERT_TRUE(lock.exec(u"BEGIN IMMEDIATE"_s));
        const std::optional<ReplyFrame> refused =
            client.exchange(ExchangeOperation::Write, materialWrite(SeededMaterial, *before + 1), 30000);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, ExchangeStatus::StoreFailed);
        EXPECT_EQ(readDensity(client, SeededMaterial), before);
        ASSERT_TRUE(lock.exec(u"ROLLBACK"_s));
        locker.close();
    }
    QSqlDatabase::removeDatabase(u"locker"_s);
    EXPECT_EQ(readDensity(client, SeededMaterial), before);
    const std::optional<ReplyFrame> accepted =
        client.exchange(ExchangeOperation::Write, materialWrite(SeededMaterial, *before + 1));
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->status, ExchangeStatus::Success) << "the server writes again once the lock is gone";
}

} // namespace
