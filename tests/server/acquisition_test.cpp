// Live values and the recorded history against pymodbus as the instruments: every register type,
// scale and offset, an exception reply, a device that stops answering and comes back.
#include "server/modbuspoller.h"
#include "server/recordedhistory.h"
#include "tests/support/serverprocess.h"

#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using namespace Qt::StringLiterals;

TEST(ApplyReadingsTest, AnsweredChannelsAreGoodOrClampedTheOthersKeepTheirLastGoodValue)
{
    const QList<DevicePlan> plans = planPolls({{0, {u"a"_s, 502, 1}, 3, 0, RegisterType::UInt16, 1, 0},
                                               {1, {u"a"_s, 502, 1}, 3, 1, RegisterType::UInt16, 1, 0},
                                               {2, {u"a"_s, 502, 1}, 3, 2, RegisterType::Float32, 1, 0},
                                               {3, {u"b"_s, 502, 1}, 3, 0, RegisterType::UInt16, 1, 0}});
    LiveRecord record = LiveRecord::unmapped();
    applyReadings(record, plans, {{true, {}, {{0, 1.0}, {1, 200.0}, {2, 3.0}}}, {true, {}, {{3, 4.0}}}});
    applyReadings(record, plans, {{true, {}, {{0, 1.5}, {1, 200.0}, {2, std::nan("")}}}, {false, u"dead"_s, {}}});
    // Channel 2's reading is not a number, channel 3's device is dead: both keep their last good value.
    const std::pair<qint32, LiveQuality> expected[] = {{-15250, LiveQuality::Good}, {32767, LiveQuality::Clamped},
                                                       {-14500, LiveQuality::Stale}, {-14000, LiveQuality::Stale}};
    for (std::size_t c = 0; c < std::size(expected); ++c)
        EXPECT_EQ(std::pair(record.raw[c], record.quality[c]), expected[c]) << "channel " << c;
    EXPECT_EQ(record.quality[4], LiveQuality::Unmapped);
}

quint16 freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool accepts(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(200);
}

class PymodbusTest : public ServerProcessTest
{
protected:
    void SetUp() override
    {
        const quint16 port = freePort();
        const quint16 closed = freePort();
        instruments.start(u"/usr/bin/python3"_s, {QStringLiteral(SKLADAR_TEST_DIR "/modbusinstruments.py"), QString::number(port)});
        ASSERT_TRUE(instruments.waitForStarted());
        for (int tries = 0; tries < 100 && !accepts(port); ++tries)
            QThread::msleep(100);
        ASSERT_TRUE(accepts(port)) << instruments.readAllStandardError().toStdString();
        const QString device = u"127.0.0.1,%1,"_s.arg(port);
        QFile map(m_dir.filePath(u"channels.csv"_s));
        ASSERT_TRUE(map.open(QIODevice::WriteOnly));
        map.write((u"channel,host,port,unit,function,register,type,scale,offset\n"_s
                   + u"0,"_s + device + u"1,3,0,int16,1,10\n"_s
                   + u"1,"_s + device + u"1,3,1,uint16,0.001,0\n"_s
                   + u"2,"_s + device + u"1,3,2,int32,0.0001,20\n"_s
                   + u"3,"_s + device + u"1,3,4,uint32,1e-8,0\n"_s
                   + u"4,"_s + device + u"1,3,6,float32,1,0\n"_s
                   + u"5,"_s + device + u"1,3,8,int32sw,-0.0002,0\n"_s
                   + u"6,"_s + device + u"1,3,10,uint32sw,0.001,0\n"_s
                   + u"7,"_s + device + u"1,3,12,float32sw,-2,1\n"_s
                   + u"8,"_s + device + u"1,4,0,float32,1,0\n"_s
                   + u"9,"_s + device + u"2,3,0,uint16,1,0\n"_s
                   + u"10,"_s + device + u"2,3,500,uint16,1,0\n"_s
                   + u"11,127.0.0.1,%1,1,3,0,uint16,1,0\n"_s.arg(closed)).toUtf8());
        map.close();
        server.logTo(logPath());
        ASSERT_TRUE(server.start(storePath(), 0, {u"--channels"_s, map.fileName(), u"--poll"_s, u"1"_s,
                                                  u"--modbus-timeout"_s, u"200"_s, u"--history-interval"_s, u"1"_s}));
        ASSERT_TRUE(client.connectTo(server.port(), {}));
    }

    void TearDown() override
    {
        instruments.kill();
        instruments.waitForFinished();
    }

    LiveRecord live()
    {
        const std::optional<ReplyFrame> reply = client.exchange(ExchangeOperation::Read, codeRequest(LiveRequestCode));
        EXPECT_TRUE(reply && reply->status == ExchangeStatus::Success);
        return reply ? decodeLiveRecord(std::span(reply->buffer).subspan(ReplyOffset)).value_or(LiveRecord{}) : LiveRecord{};
    }

    QProcess instruments;
    FrameClient client;
};

const std::array<qint32, 9> Expected{-12000, 9000, -11000, -1000, -9750, -6000, 19000, -12250, -12125};

TEST_F(PymodbusTest, ReadsEveryTypeAndOrderToAnUnboundSessionRecordsThemAndOutlivesAStoppedDevice)
{
    const LiveRecord record = live();
    for (std::size_t c = 0; c < Expected.size(); ++c) {
        EXPECT_EQ(record.raw[c], Expected[c]) << "channel " << c;
        EXPECT_EQ(record.quality[c], LiveQuality::Good) << "channel " << c;
    }
    EXPECT_EQ(record.quality[9], LiveQuality::Stale) << "the exception of its neighbour marks the device";
    EXPECT_EQ(record.quality[10], LiveQuality::Stale);
    EXPECT_EQ(record.quality[11], LiveQuality::Stale) << "nothing listens";
    EXPECT_EQ(record.quality[12], LiveQuality::Unmapped);
    EXPECT_NE(record.poll.date, 0u);
    QThread::msleep(2500);
    QFile file(m_dir.filePath(u"REPORT.STG"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const HistoryDecoding decoding = RecordedHistory::decode(file.readAll());
    ASSERT_TRUE(decoding.history) << decoding.error.toStdString();
    EXPECT_GE(decoding.history->sampleCount(), 2);
    for (std::size_t c = 0; c < Expected.size(); ++c)
        EXPECT_EQ(decoding.history->newest()->channels[c], Expected[c]) << "channel " << c;
    EXPECT_TRUE(log().contains(u"unit 2 lost: function 3 at register 500: Illegal data address"_s)) << log().toStdString();

    // A device that stops answering keeps its values and comes back, logged once.
    ::kill(static_cast<pid_t>(instruments.processId()), SIGSTOP);
    QThread::msleep(2500);
    const LiveRecord stopped = live();
    EXPECT_EQ(stopped.raw[0], Expected[0]);
    EXPECT_EQ(stopped.quality[0], LiveQuality::Stale);
    EXPECT_EQ(stopped.quality[8], LiveQuality::Stale);
    ::kill(static_cast<pid_t>(instruments.processId()), SIGCONT);
    QThread::msleep(2500);
    EXPECT_EQ(live().quality[0], LiveQuality::Good);
    const QString text = log();
    EXPECT_EQ(text.count(QRegularExpression(u":\\d+ unit 1 lost: "_s)), 2) << "the dead port and the stopped one, once each\n"
                                                                              << text.toStdString();
    EXPECT_EQ(text.count(u"unit 1 answers again"_s), 1) << text.toStdString();
}

} // namespace
