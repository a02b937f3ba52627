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

TEST(ValidateStamp, ChecksTimeYearMonthDayInThisOrder)
{
    struct Case { const char *name; HistoryStamp stamp; std::optional<StampError> error; };
    const std::array<Case, 8> cases{{
        {"LastMillisecondOf2050", {packDate(2050, 12, 31), at(23, 59, 59, 999)}, std::nullopt},
        {"TimeOfAFullDay", {packDate(2024, 1, 1), at(24, 0, 0)}, StampError::InvalidTime},
        {"TimeBeforeYear", {packDate(1979, 13, 0), at(24, 0, 0)}, StampError::InvalidTime},
        {"Year1979", {packDate(1979, 12, 31), 0}, StampError::InvalidYear},
        {"Month13", {packDate(2000, 13, 1), 0}, StampError::InvalidMonth},
        {"April31", {packDate(2001, 4, 31), 0}, StampError::InvalidDay},
        {"LeapDay2000", {packDate(2000, 2, 29), 0}, std::nullopt},
        {"LeapDay2023", {packDate(2023, 2, 29), 0}, StampError::InvalidDay},
    }};
    for (const Case &c : cases)
        EXPECT_EQ(ValidateStamp(c.stamp.date, c.stamp.timeMs), c.error) << c.name;
    EXPECT_EQ(daysInMonth(2100, 2), 28) << "centuries are leap years only when divisible by 400";
}

TEST(AddSeconds, MovesDateAndTimeBetweenValidStamps)
{
    struct Case { const char *name; HistoryStamp from; qint32 seconds; HistoryStamp to; };
    const std::array<Case, 11> cases{{
        {"TenMinutesIntoMidnight", {packDate(2024, 5, 3), at(23, 55, 0)}, 600, {packDate(2024, 5, 4), at(0, 5, 0)}},
        {"BackOverMidnight", {packDate(2024, 5, 4), 0}, -1, {packDate(2024, 5, 3), at(23, 59, 59)}},
        {"BackOverMidnightWithMilliseconds", {packDate(2024, 5, 4), 500}, -1, {packDate(2024, 5, 3), at(23, 59, 59)}},
        {"MonthEnd", {packDate(2024, 4, 30), at(23, 50, 0)}, 600, {packDate(2024, 5, 1), 0}},
        {"Feb28IntoLeapDay", {packDate(2024, 2, 28), at(23, 50, 0)}, 600, {packDate(2024, 2, 29), 0}},
        {"Feb28IntoMarchInCommonYear", {packDate(2023, 2, 28), at(23, 50, 0)}, 600, {packDate(2023, 3, 1), 0}},
        {"March1BackToLeapDay", {packDate(2000, 3, 1), 0}, -1, {packDate(2000, 2, 29), at(23, 59, 59)}},
        {"YearEnd", {packDate(2023, 12, 31), at(23, 59, 59)}, 1, {packDate(2024, 1, 1), 0}},
        {"BackOverYearEnd", {packDate(2024, 1, 1), 0}, -86400, {packDate(2023, 12, 31), 0}},
        {"FortyDaysAhead", {packDate(2024, 1, 31), 0}, 40 * 86400, {packDate(2024, 3, 11), 0}},
        {"FortyDaysBack", {packDate(2024, 3, 11), 0}, -40 * 86400, {packDate(2024, 1, 31), 0}},
    }};
    for (const Case &c : cases) {
        HistoryStamp stamp = c.from;
        EXPECT_EQ(AddSeconds(stamp.date, stamp.timeMs, c.seconds), std::nullopt) << c.name;
        EXPECT_EQ(stamp, c.to) << c.name;
    }
}

TEST(DiffSeconds, GivesAMinusB)
{
    constexpr PackedDate Day = packDate(2001, 3, 5);
    struct Case { const char *name; HistoryStamp a; HistoryStamp b; qint32 seconds; };
    const std::array<Case, 6> cases{{
        {"SameDayMillisecondsTruncate", {Day, at(12, 0, 1, 0)}, {Day, at(12, 0, 0, 1)}, 0},
        {"SameDayNegativeTruncatesTowardZero", {Day, at(12, 0, 0, 1)}, {Day, at(12, 0, 1, 999)}, -1},
        {"NextDayTruncatesTheTimePart", {packDate(2001, 3, 6), 0}, {Day, at(23, 59, 59, 500)}, 1},
        {"Just3650Days", {packDate(2010, 12, 30), 0}, {packDate(2001, 1, 1), 0}, 3650 * 86400},
        {"CapAt3651Days", {packDate(2010, 12, 31), 0}, {packDate(2001, 1, 1), at(23, 0, 0)}, 2'000'000'000},
        {"NegativeCap", {packDate(2001, 1, 1), 0}, {packDate(2040, 1, 1), 0}, -2'000'000'000},
    }};
    for (const Case &c : cases) {
        const StampDifference difference = DiffSeconds(c.a.date, c.a.timeMs, c.b.date, c.b.timeMs);
        EXPECT_EQ(difference.error, std::nullopt) << c.name;
        EXPECT_EQ(difference.seconds, c.seconds) << c.name;
    }
    EXPECT_EQ(DiffSeconds(packDate(2001, 2, 29), 0, packDate(1970, 1, 1), 0).error, StampError::InvalidDay);
}

TEST(DeltaCode, DecodesEveryFormAndRefusesEveryTruncation)
{
    struct Case { const char *name; const char *hex; qint32 value; };
    const std::array<Case, 10> cases{{
        {"OneBytePositive", "05", 5},
        {"OneByteNegative", "85", -5},
        {"OneByteMinus63", "BF", -63},
        {"NegativeZero", "80", 0},
        {"TwoBytes", "41 00", 256},
        {"TwoBytesIgnoreBit4", "51 00", 256},
        {"ThreeBytes", "6A BC DE", 0xABCDE},
        {"FourBytesNegative", "FF 12 34 56", -0xF123456},
        {"FiveBytesMinusOne", "3F FF FF FF FF", -1},
        {"FiveBytesHaveNoSignBit", "3F 80 00 00 00", std::numeric_limits<qint32>::min()},
    }};
    for (const Case &c : cases) {
        const QByteArray code = hexBytes(c.hex);
        std::size_t cursor = 0;
        EXPECT_EQ(DecodeDelta(code + hexBytes("AA"), cursor), c.value) << c.name;
        EXPECT_EQ(cursor, static_cast<std::size_t>(code.size())) << c.name;
        for (qsizetype cut = 0; cut < code.size(); ++cut) {
            cursor = 1;
            EXPECT_EQ(DecodeDelta(hexBytes("AA") + code.left(cut), cursor), std::nullopt) << c.name << " cut to " << cut;
            EXPECT_EQ(cursor, 1u) << c.name;
        }
    }
}

TEST(DeltaCode, EncoderWritesTheShortestFormThatReadsBack)
{
    const std::array<std::pair<qint32, int>, 12> cases{{{0, 1}, {62, 1}, {63, 2}, {-63, 1}, {-64, 2},
        {4095, 2}, {-4096, 3}, {0xFFFFF, 3}, {0x100000, 4}, {0xFFFFFFF, 4}, {0x10000000, 5},
        {std::numeric_limits<qint32>::min(), 5}}};
    for (const auto &[value, length] : cases) {
        QByteArray code;
        appendDeltaCode(code, value);
        std::size_t cursor = 0;
        EXPECT_EQ(code.size(), length) << value;
        EXPECT_EQ(DecodeDelta(code, cursor), value) << hexText(code).toStdString();
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
