// The recorded history under faults: a SIGKILL in the middle of recording, and writes that fail
// for lack of space (a file-size limit) and then succeed again.
#include "server/recordedhistory.h"
#include "tests/support/serverprocess.h"

#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Qt::StringLiterals;

class RecordingFaultTest : public ServerProcessTest
{
protected:
    QString historyPath() const { return m_dir.filePath(u"REPORT.STG"_s); }

    // Samples that keep every channel: each delta sample takes 68 bytes, 57 of them fill a block.
    void writeHistory(int samples) const
    {
        HistorySample sample;
        sample.stamp = {packDate(2026, 1, 1), 0};
        sample.channels.fill(-11000);
        const std::vector<HistorySample> all(static_cast<std::size_t>(samples), sample);
        QFile file(historyPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeHistoryFile(all, 600));
    }

    // Channels on a port where nothing listens: every sample keeps the last values.
    QStringList acquisition()
    {
        QFile map(m_dir.filePath(u"channels.csv"_s));
        EXPECT_TRUE(map.open(QIODevice::WriteOnly));
        map.write("channel,host,port,unit,function,register,type,scale,offset\n0,127.0.0.1,1,1,3,0,uint16,1,0\n");
        return {u"--channels"_s, map.fileName(), u"--modbus-timeout"_s, u"50"_s, u"--history-interval"_s, u"1"_s};
    }

    HistoryDecoding decoded() const
    {
        QFile file(historyPath());
        return file.open(QIODevice::ReadOnly) ? RecordedHistory::decode(file.readAll()) : HistoryDecoding{};
    }
};

TEST_F(RecordingFaultTest, ASigkillLeavesAWholeHistoryMissingAtMostTheLastSample)
{
    writeHistory(59'000); // about a megabyte to write each second
    int before = 59'000;
    for (const int runMs : {1300, 2150, 3600}) {
        ASSERT_TRUE(server.start(storePath(), 0, acquisition()));
        QThread::msleep(static_cast<unsigned long>(runMs));
        server.kill();
        const HistoryDecoding history = decoded();
        ASSERT_TRUE(history.history) << history.error.toStdString();
        const int taken = runMs / 1000;
        EXPECT_GE(history.history->sampleCount(), before + taken - 1) << "after " << runMs << " ms";
        EXPECT_LE(history.history->sampleCount(), before + taken + 1);
        before = history.history->sampleCount();
    }
}

TEST_F(RecordingFaultTest, AFileSizeLimitFailsWritesAndTheSamplesFollowOnceItIsLifted)
{
    writeHistory(58); // one full block: the next sample needs another
    QFile original(historyPath());
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray whole = original.readAll();
    server.logTo(logPath());
    ASSERT_TRUE(server.start(storePath(), 0, acquisition()));
    const QString pid = QString::number(server.processId());
    // The soft limit alone: lifting it again needs no privilege.
    ASSERT_EQ(QProcess::execute(u"prlimit"_s, {u"--pid"_s, pid, u"--fsize=%1:"_s.arg(whole.size())}), 0);
    QThread::msleep(2500);
    QFile limited(historyPath());
    ASSERT_TRUE(limited.open(QIODevice::ReadOnly));
    EXPECT_EQ(limited.readAll(), whole) << "the old file stays as it was";
    EXPECT_TRUE(log().contains(u"history: cannot write %1.new: File too large; the sample stays for the next write"_s.arg(historyPath())))
        << log().toStdString();
    ASSERT_EQ(QProcess::execute(u"prlimit"_s, {u"--pid"_s, pid, u"--fsize=unlimited:"_s}), 0);
    QThread::msleep(1500);
    server.kill();
    const HistoryDecoding history = decoded();
    ASSERT_TRUE(history.history) << history.error.toStdString();
    EXPECT_GE(history.history->sampleCount(), 58 + 3) << "the samples of the failed writes too";
}

} // namespace
