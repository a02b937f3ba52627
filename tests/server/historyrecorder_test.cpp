// The recorded history read back by the history's own block reader: continuation, clock changes,
// the limit, faults that refuse a file and the lock. Failed writes are the recording fault test's.
#include "server/historyrecorder.h"

#include "core/codec/bytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Qt::StringLiterals;

HistorySample sampleAt(HistoryStamp stamp, qint32 level)
{
    HistorySample sample;
    sample.stamp = stamp;
    sample.channels.fill(ZeroRaw);
    sample.channels[0] = level;
    sample.channels[53] = -level;
    return sample;
}

// Samples `seconds` apart from 2026-03-01 00:00, with a level that moves.
std::vector<HistorySample> series(int count, int seconds = 600)
{
    std::vector<HistorySample> samples;
    HistoryStamp stamp{packDate(2026, 3, 1), 0};
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            AddSeconds(stamp.date, stamp.timeMs, seconds);
        samples.push_back(sampleAt(stamp, -12000 + (i * 37) % 900));
    }
    return samples;
}

// Every sample of a file, oldest first, as the chart and the report decode them.
std::vector<HistorySample> readBack(const QByteArray &file)
{
    std::vector<HistorySample> samples;
    for (qsizetype at = file.size() - HistoryBlockSize; at >= static_cast<qsizetype>(HistoryHeaderSize); at -= HistoryBlockSize) {
        HistoryBlockReader reader(HistoryBlockBytes(file.constData() + at, HistoryBlockSize));
        samples.push_back(reader.sample());
        while (reader.next() == BlockStep::Sample)
            samples.push_back(reader.sample());
        EXPECT_EQ(reader.next(), BlockStep::End);
    }
    return samples;
}

void expectSameSamples(const std::vector<HistorySample> &read, const std::vector<HistorySample> &written)
{
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].stamp, written[i].stamp) << "sample " << i;
        EXPECT_EQ(read[i].channels, written[i].channels) << "sample " << i;
    }
}

TEST(RecordedHistoryTest, ContinuingAFileGivesTheBytesOfWritingItAtOnce)
{
    const std::vector<HistorySample> samples = series(200);
    const QByteArray whole = encodeHistoryFile(samples, 600, "header");
    HistoryDecoding decoding = RecordedHistory::decode(encodeHistoryFile(std::span(samples).first(80), 600, "header"));
    ASSERT_TRUE(decoding.history) << decoding.error.toStdString();
    for (std::size_t i = 80; i < samples.size(); ++i)
        decoding.history->append(samples[i]);
    EXPECT_EQ(decoding.history->sampleCount(), 200);
    EXPECT_EQ(decoding.history->bytes(), whole);
    expectSameSamples(readBack(whole), samples);
}

// Samples appended one at a time read back as the newest of them, each whole: across clock changes
// (one negative step and one covering the gap, both in one block) and under a limit that drops the
// oldest blocks, less than one block more than needed.
TEST(RecordedHistoryTest, AppendedSamplesReadBackAcrossClockChangesAndUnderTheLimit)
{
    std::vector<HistorySample> clockChanges;
    for (const HistoryStamp stamp : {HistoryStamp{packDate(2026, 10, 25), 9'000'000}, // 02:30
                                     {packDate(2026, 10, 25), 10'200'000},  // 02:50
                                     {packDate(2026, 10, 25), 7'800'000},   // 02:10 after the clock went back
                                     {packDate(2026, 10, 25), 8'400'000},
                                     {packDate(2027, 3, 28), 6'600'000},    // 01:50, months later
                                     {packDate(2027, 3, 28), 11'400'000}})  // 03:10 after the clock went forward
        clockChanges.push_back(sampleAt(stamp, -11000));
    const struct { std::vector<HistorySample> samples; int limit; std::size_t fewest; qsizetype blocks; } cases[] = {
        {clockChanges, MaxHistorySamples, clockChanges.size(), 1}, {series(1000), 300, 300 - 60, 6}};
    for (const auto &c : cases) {
        RecordedHistory history;
        for (const HistorySample &sample : c.samples)
            history.append(sample, c.limit);
        const std::vector<HistorySample> read = readBack(history.bytes());
        EXPECT_LE(read.size(), static_cast<std::size_t>(c.limit));
        EXPECT_GE(read.size(), c.fewest);
        EXPECT_LE(history.bytes().size(), static_cast<qsizetype>(HistoryHeaderSize) + c.blocks * HistoryBlockSize);
        EXPECT_EQ(static_cast<int>(read.size()), history.sampleCount());
        expectSameSamples(read, std::vector(c.samples.end() - static_cast<std::ptrdiff_t>(read.size()), c.samples.end()));
        EXPECT_EQ(history.newest()->channels, c.samples.back().channels);
    }
}

TEST(RecordedHistoryTest, RefusesFilesThatDoNotDecodeWhole)
{
    const std::vector<HistorySample> samples = series(120);
    const QByteArray good = encodeHistoryFile(samples, 600);
    QByteArray badMonth = good;
    writeU32(std::span<char>(badMonth.data(), badMonth.size()), HistoryHeaderSize + HistoryBlockSize, packDate(2026, 13, 1));
    QByteArray overrun = good;
    overrun[static_cast<qsizetype>(HistoryHeaderSize + HistoryBlockLayout::DeltaCount)] = '\xFF';
    const std::pair<QByteArray, QString> cases[] = {
        {good.left(4095), u"the file is shorter than its 4096-byte header"_s},
        {good.left(good.size() - 1), u"the file ends inside a block"_s},
        {badMonth, u"block 2 (byte 8192): "_s},
        {overrun, u"block 1 (byte 4096): "_s},
    };
    for (const auto &[bytes, error] : cases) {
        const HistoryDecoding decoding = RecordedHistory::decode(bytes);
        EXPECT_FALSE(decoding.history);
        EXPECT_TRUE(decoding.error.startsWith(error)) << decoding.error.toStdString();
    }
    EXPECT_TRUE(RecordedHistory::decode(good.left(HistoryHeaderSize)).history) << "a header alone is an empty history";
}

TEST(RecordedHistoryTest, BadChannelsKeepTheLastRecordedValueAndClampedOnesAreTaken)
{
    LiveRecord poll = LiveRecord::unmapped();
    poll.raw[0] = 100;
    poll.quality[0] = LiveQuality::Good;
    poll.raw[1] = 32767;
    poll.quality[1] = LiveQuality::Clamped;
    poll.raw[2] = 555;
    poll.quality[2] = LiveQuality::Stale;
    HistorySample previous = sampleAt({}, 7);
    previous.channels[2] = 9;
    const HistorySample sample = sampleOfPoll(poll, {packDate(2026, 1, 1), 0}, previous);
    EXPECT_EQ(sample.channels[0], 100);
    EXPECT_EQ(sample.channels[1], 32767);
    EXPECT_EQ(sample.channels[2], 9);
    EXPECT_EQ(sample.channels[53], -7);
    EXPECT_EQ(sampleOfPoll(poll, {}, std::nullopt).channels[2], ZeroRaw);
}

class HistoryRecorderTest : public testing::Test
{
protected:
    QByteArray fileBytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"REPORT.STG"_s);
};

TEST_F(HistoryRecorderTest, CreatesContinuesAndLocksTheFile)
{
    const std::vector<HistorySample> samples = series(3);
    {
        HistoryRecorder::Opening opening = HistoryRecorder::open(path, MaxHistorySamples);
        ASSERT_TRUE(opening.recorder) << opening.error.toStdString();
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(opening.recorder->record(samples[0]), std::nullopt);
        const HistoryRecorder::Opening second = HistoryRecorder::open(path, MaxHistorySamples);
        EXPECT_FALSE(second.recorder);
        EXPECT_EQ(second.error, u"another server records into %1"_s.arg(path));
    }
    HistoryRecorder::Opening again = HistoryRecorder::open(path, MaxHistorySamples);
    ASSERT_TRUE(again.recorder) << again.error.toStdString();
    EXPECT_EQ(again.recorder->record(samples[1]), std::nullopt);
    EXPECT_EQ(again.recorder->record(samples[2]), std::nullopt);
    expectSameSamples(readBack(fileBytes()), samples);
    EXPECT_FALSE(QFile::exists(path + u".new"_s));
}

} // namespace
