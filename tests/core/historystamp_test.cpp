// History stamps, delta codes and blocks on hand-built bytes: the stamp check, calendar edges, every code form
// and truncation, and how a block ends.
#include "core/history/historystamp.h"
#include "core/history/deltacode.h"
#include "core/history/historyencoder.h"
#include "core/history/historyblock.h"
#include "core/codec/bytes.h"
#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

namespace {

constexpr quint32 at(int hour, int minute, int second, int ms = 0)
{
    return static_cast<quint32>(((hour * 60 + minute) * 60 + second) * 1000 + ms);
}

constexpr HistoryStamp stamp(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    return {packDate(year, month, day), at(hour, minute, second, ms)};
}

TEST(ValidateStamp, ChecksTimeYearMonthDayInThisOrder)
{
    const struct { const char *name; HistoryStamp stamp; std::optional<StampError> error; } cases[] = {
        {"LastMillisecondOf2050", stamp(2050, 12, 31, 23, 59, 59, 999), std::nullopt},
        {"TimeOfAFullDay", stamp(2024, 1, 1, 24), StampError::InvalidTime},
        {"TimeBeforeYear", stamp(1979, 13, 0, 24), StampError::InvalidTime},
        {"Year1979", stamp(1979, 12, 31), StampError::InvalidYear}, {"Month13", stamp(2000, 13, 1), StampError::InvalidMonth},
        {"April31", stamp(2001, 4, 31), StampError::InvalidDay}, {"LeapDay2000", stamp(2000, 2, 29), std::nullopt},
        {"LeapDay2023", stamp(2023, 2, 29), StampError::InvalidDay}};
    for (const auto &c : cases)
        EXPECT_EQ(ValidateStamp(c.stamp.date, c.stamp.timeMs), c.error) << c.name;
    EXPECT_EQ(daysInMonth(2100, 2), 28) << "centuries are leap years only when divisible by 400";
}

TEST(AddSeconds, MovesDateAndTimeBetweenValidStamps)
{
    const struct { const char *name; HistoryStamp from; qint32 seconds; HistoryStamp to; } cases[] = {
        {"TenMinutesIntoMidnight", stamp(2024, 5, 3, 23, 55), 600, stamp(2024, 5, 4, 0, 5)},
        {"BackOverMidnightWithMilliseconds", stamp(2024, 5, 4, 0, 0, 0, 500), -1, stamp(2024, 5, 3, 23, 59, 59)},
        {"Feb28IntoLeapDay", stamp(2024, 2, 28, 23, 50), 600, stamp(2024, 2, 29)},
        {"Feb28IntoMarchInCommonYear", stamp(2023, 2, 28, 23, 50), 600, stamp(2023, 3, 1)},
        {"March1BackToLeapDay", stamp(2000, 3, 1), -1, stamp(2000, 2, 29, 23, 59, 59)},
        {"YearEnd", stamp(2023, 12, 31, 23, 59, 59), 1, stamp(2024, 1, 1)},
        {"BackOverYearEnd", stamp(2024, 1, 1), -86400, stamp(2023, 12, 31)},
        {"FortyDaysAhead", stamp(2024, 1, 31), 40 * 86400, stamp(2024, 3, 11)}};
    for (const auto &c : cases) {
        HistoryStamp moved = c.from;
        EXPECT_EQ(AddSeconds(moved.date, moved.timeMs, c.seconds), std::nullopt) << c.name;
        EXPECT_EQ(moved, c.to) << c.name;
    }
}

TEST(DiffSeconds, GivesAMinusB)
{
    const struct { const char *name; HistoryStamp a, b; qint32 seconds; } cases[] = {
        {"SameDayMillisecondsTruncate", stamp(2001, 3, 5, 12, 0, 1), stamp(2001, 3, 5, 12, 0, 0, 1), 0},
        {"SameDayNegativeTruncatesTowardZero", stamp(2001, 3, 5, 12, 0, 0, 1), stamp(2001, 3, 5, 12, 0, 1, 999), -1},
        {"NextDayTruncatesTheTimePart", stamp(2001, 3, 6), stamp(2001, 3, 5, 23, 59, 59, 500), 1},
        {"OverLeapDay2000", stamp(2000, 3, 1), stamp(2000, 2, 28), 2 * 86400},
        {"Just3650Days", stamp(2010, 12, 30), stamp(2001, 1, 1), 3650 * 86400},
        {"CapAt3651Days", stamp(2010, 12, 31), stamp(2001, 1, 1, 23), 2'000'000'000},
        {"NegativeCap", stamp(2001, 1, 1), stamp(2040, 1, 1), -2'000'000'000}};
    for (const auto &c : cases) {
        const StampDifference d = DiffSeconds(c.a.date, c.a.timeMs, c.b.date, c.b.timeMs);
        EXPECT_EQ(std::pair(d.error.has_value(), d.seconds), std::pair(false, c.seconds)) << c.name;
    }
    EXPECT_EQ(DiffSeconds(packDate(2001, 2, 29), 0, packDate(1970, 1, 1), 0).error, StampError::InvalidDay);
}

TEST(DeltaCode, DecodesEveryFormAndRefusesEveryTruncation)
{
    const struct { const char *name; const char *hex; qint32 value; } cases[] = {
        {"OneBytePositive", "05", 5}, {"OneByteMinus63", "BF", -63}, {"NegativeZero", "80", 0},
        {"TwoBytesIgnoreBit4", "51 00", 256}, {"ThreeBytes", "6A BC DE", 0xABCDE}, {"FourBytesNegative", "FF 12 34 56", -0xF123456},
        {"FiveBytesMinusOne", "3F FF FF FF FF", -1}, {"FiveBytesHaveNoSignBit", "3F 80 00 00 00", std::numeric_limits<qint32>::min()}};
    for (const auto &c : cases) {
        const QByteArray code = hexBytes(c.hex);
        std::size_t cursor = 0;
        EXPECT_EQ(DecodeDelta(code + hexBytes("AA"), cursor), c.value) << c.name;
        EXPECT_EQ(cursor, static_cast<std::size_t>(code.size())) << c.name;
        for (qsizetype cut = 0; cut < code.size(); ++cut) { // every truncation length
            cursor = 1;
            EXPECT_EQ(DecodeDelta(hexBytes("AA") + code.left(cut), cursor), std::nullopt) << c.name << " cut to " << cut;
            EXPECT_EQ(cursor, 1u) << c.name;
        }
    }
}

TEST(DeltaCode, EncoderWritesTheShortestFormThatReadsBack)
{
    const std::pair<qint32, int> cases[] = {{0, 1}, {62, 1}, {63, 2}, {-63, 1}, {-64, 2}, {4095, 2}, {-4096, 3}, {0xFFFFF, 3},
        {0x100000, 4}, {0xFFFFFFF, 4}, {0x10000000, 5}, {std::numeric_limits<qint32>::min(), 5}};
    for (const auto &[value, length] : cases) {
        QByteArray code;
        appendDeltaCode(code, value);
        std::size_t cursor = 0;
        EXPECT_EQ(std::pair(code.size(), DecodeDelta(code, cursor)), std::pair(qsizetype(length), std::optional(value))) << value;
    }
}

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
    EXPECT_TRUE(reader.sample().stamp == (HistoryStamp{packDate(2001, 2, 30), 86'100'000}) && blockStamp(block) == reader.sample().stamp);
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
    EXPECT_EQ(reader.sample().stamp, (HistoryStamp{packDate(2001, 3, 6), 300'000}));
    EXPECT_EQ(values(), std::vector({5, 1, -16000 + 256, 69999}));
    ASSERT_EQ(reader.next(), BlockStep::Sample);
    EXPECT_EQ(reader.sample().stamp, (HistoryStamp{packDate(2001, 3, 6), 900'000}));
    EXPECT_EQ(values(), std::vector({0, 1, -16000 + 256 - 63, 69999 + 0xFFFFF}));
    EXPECT_EQ(reader.next(), BlockStep::End);
    EXPECT_EQ(reader.index(), 2);

    build(1, packDate(2050, 12, 31));
    HistoryBlockReader rejecting(block);
    ASSERT_EQ(rejecting.next(), BlockStep::StampRejected) << "23:55 + 10 min reaches 2051";
    EXPECT_TRUE(rejecting.stampError() == StampError::InvalidYear && rejecting.sample().channels[0] == 0);
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

namespace {

// A chart follows two channels: they, the stamps and the end of the block read as in a full decoding,
// over codes of every length and a last sample that runs past the block.
TEST_F(HistoryBlockTest, FollowingSomeChannelsReadsThemAsAFullDecodingDoes)
{
    build(255);
    QByteArray stream;
    const char *codes[] = {"05", "41 00", "BF", "6F FF FF", "3F FF FF FF FF", "7F 00 00 01"};
    for (int i = 0; stream.size() < 4096; ++i)
        stream += deltaSample("0A", codes[i % 6], codes[(i + 1) % 6], codes[(i + 2) % 6]);
    setStream(stream.left(HistoryBlockSize - 172));
    HistoryBlockReader full(block);
    HistoryBlockReader followed(block);
    followed.followOnly({53, 0, 53, 99, -1});
    BlockStep step = BlockStep::Sample;
    do {
        step = full.next();
        ASSERT_EQ(followed.next(), step) << full.index();
        EXPECT_EQ(followed.sample().stamp, full.sample().stamp);
        EXPECT_EQ(followed.sample().channels[0], full.sample().channels[0]);
        EXPECT_EQ(followed.sample().channels[53], full.sample().channels[53]);
    } while (step == BlockStep::Sample);
    EXPECT_EQ(step, BlockStep::Overrun);
    EXPECT_GT(followed.index(), 40);
}

} // namespace
