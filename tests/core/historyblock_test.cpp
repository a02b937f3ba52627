// History blocks on hand-built bytes: the base sample, delta samples, counters, and how a block ends.
#include "core/history/historyblock.h"

#include "core/codec/bytes.h"
#include "tests/support/bytes.h"

#include <gtest/gtest.h>

namespace {

class HistoryBlockTest : public testing::Test
{
protected:
    // A block of the given deltaCount field, base stamp 5 March 2001 23:55 and base channels 0, 1, 2, ...
    void build(quint32 deltaCount, PackedDate date = packDate(2001, 3, 5))
    {
        writeU32(block, 0, date);
        writeU32(block, 4, 86'100'000);
        writeU32(block, 8, 0xFFFFFFFF);
        writeU32(block, 12, deltaCount);
        for (std::size_t c = 0; c < ChannelCount; ++c)
            writeI16(block, 16 + 2 * c, static_cast<qint16>(c));
        writeI16(block, 16 + 2 * 53, -16000);
        writeI32(block, 124 + 4 * 11, 70000);
    }

    // One delta sample: the codes of the time step, channels 0 and 53 and counter 11; the others zero.
    static QByteArray deltaSample(const char *step, const char *first, const char *last, const char *counter)
    {
        return hexBytes(step) + hexBytes(first) + QByteArray(52, '\0') + hexBytes(last) + QByteArray(11, '\0') + hexBytes(counter);
    }

    void setStream(const QByteArray &stream) { std::copy(stream.begin(), stream.end(), block.begin() + 172); }

    std::array<char, HistoryBlockSize> block{};
};

TEST_F(HistoryBlockTest, BaseSampleComesFromTheFixedFields)
{
    build(0x1200, packDate(2001, 2, 30));
    HistoryBlockReader reader(block);
    EXPECT_EQ(reader.deltaCount(), 0) << "only the low byte of deltaCount counts";
    EXPECT_EQ(reader.sample().stamp, HistoryStamp(packDate(2001, 2, 30), 86'100'000));
    EXPECT_EQ(blockStamp(block), reader.sample().stamp);
    EXPECT_EQ(std::vector({reader.sample().channels[7], reader.sample().channels[53], reader.sample().counters[11]}),
              std::vector({7, -16000, 70000}));
    EXPECT_EQ(reader.next(), BlockStep::End) << "no step, so the invalid stamp is never checked";
}

TEST_F(HistoryBlockTest, DeltaSamplesAccumulateStepOverMidnightAndStopAtAFailedStamp)
{
    build(0x0302);
    setStream(deltaSample("42 58", "05", "41 00", "3F FF FF FF FF") + deltaSample("42 58", "85", "BF", "6F FF FF"));
    HistoryBlockReader reader(block);
    const auto values = [&] {
        const HistorySample &s = reader.sample();
        return std::vector({s.channels[0], s.channels[1], s.channels[53], s.counters[11]});
    };
    ASSERT_EQ(reader.next(), BlockStep::Sample);
    EXPECT_EQ(reader.sample().stamp, HistoryStamp(packDate(2001, 3, 6), 300'000));
    EXPECT_EQ(values(), std::vector({5, 1, -16000 + 256, 69999}));
    ASSERT_EQ(reader.next(), BlockStep::Sample);
    EXPECT_EQ(reader.index(), 2);
    EXPECT_EQ(reader.sample().stamp, HistoryStamp(packDate(2001, 3, 6), 900'000));
    EXPECT_EQ(values(), std::vector({0, 1, -16000 + 256 - 63, 69999 + 0xFFFFF}));
    EXPECT_EQ(reader.next(), BlockStep::End);
    EXPECT_EQ(reader.index(), 2);

    build(1, packDate(2050, 12, 31));
    HistoryBlockReader rejecting(block);
    ASSERT_EQ(rejecting.next(), BlockStep::StampRejected) << "23:55 + 10 min reaches 2051";
    EXPECT_EQ(rejecting.stampError(), StampError::InvalidYear);
    EXPECT_EQ(rejecting.sample().channels[0], 0);
}

TEST_F(HistoryBlockTest, ACorruptCountStopsAtTheLastSampleWhollyInsideTheBlock)
{
    build(255); // zero codes: 67 bytes a sample, so 58 fit the 3924 bytes of the stream
    block[4095] = '\x3F';
    HistoryBlockReader reader(block);
    int samples = 0;
    while (reader.next() == BlockStep::Sample)
        ++samples;
    EXPECT_EQ(samples, 58);
    EXPECT_EQ(reader.next(), BlockStep::Overrun);
    EXPECT_EQ(reader.index(), 58);
    EXPECT_EQ(reader.sample().channels[7], 7) << "the partial sample is not taken";
}

} // namespace
