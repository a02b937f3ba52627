// The live values record byte by byte, and the raw values the history's scale gives.
#include "core/exchange/liverecord.h"

#include "tests/support/bytes.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(LiveRecordTest, FieldsLieAtTheirOffsets)
{
    LiveRecord record = LiveRecord::unmapped();
    record.poll = {packDate(2026, 3, 29), 7'200'123};
    record.raw[0] = -16000;
    record.raw[53] = 0x01020304;
    record.quality[0] = LiveQuality::Good;
    record.quality[53] = LiveQuality::Clamped;
    QByteArray bytes(LiveRecordLayout::Size + 1, '\xEE');
    ASSERT_TRUE(encodeLiveRecord(record, bytes));
    EXPECT_EQ(hexText(bytes.left(12)), hexText(hexBytes("1D 03 EA 07 7B DD 6D 00 80 C1 FF FF")));
    EXPECT_EQ(hexText(bytes.mid(8 + 4 * 53, 4)), hexText(hexBytes("04 03 02 01")));
    EXPECT_EQ(bytes.at(224), '\0');
    EXPECT_EQ(bytes.at(225), '\x02');
    EXPECT_EQ(bytes.at(277), '\x03');
    EXPECT_EQ(bytes.at(278), '\xEE') << "nothing past the record";
    EXPECT_EQ(decodeLiveRecord(bytes), record);
}

TEST(LiveRecordTest, ShortBuffersAndUnknownQualitiesAreRefused)
{
    const LiveRecord record = LiveRecord::unmapped();
    QByteArray bytes(LiveRecordLayout::Size, '\0');
    QByteArray shorter(LiveRecordLayout::Size - 1, '\xEE');
    EXPECT_FALSE(encodeLiveRecord(record, shorter));
    EXPECT_EQ(shorter, QByteArray(LiveRecordLayout::Size - 1, '\xEE'));
    ASSERT_TRUE(encodeLiveRecord(record, bytes));
    EXPECT_FALSE(decodeLiveRecord(bytes.left(LiveRecordLayout::Size - 1)));
    bytes[LiveRecordLayout::Size - 1] = '\x04';
    EXPECT_FALSE(decodeLiveRecord(bytes));
}

struct RawCase
{
    const char *name;
    double value;
    qint32 raw;
    bool clamped;
};

class ChannelRawTest : public testing::TestWithParam<RawCase>
{
};

TEST_P(ChannelRawTest, RoundsAndClampsToSixteenBits)
{
    const ChannelRaw raw = channelRaw(GetParam().value);
    EXPECT_EQ(raw.raw, GetParam().raw);
    EXPECT_EQ(raw.clamped, GetParam().clamped);
}

INSTANTIATE_TEST_SUITE_P(Values, ChannelRawTest, testing::Values(
    RawCase{"Zero", 0.0, -16000, false},
    RawCase{"NearestStep", 9.0014, -11499, false},
    RawCase{"NegativeValue", -0.0016, -16001, false},
    RawCase{"LowestInRange", -33.536, -32768, false},
    RawCase{"HighestInRange", 97.534, 32767, false},
    RawCase{"BelowRange", -33.538, -32768, true},
    RawCase{"AboveRange", 97.536, 32767, true},
    RawCase{"Infinite", std::numeric_limits<double>::infinity(), 32767, true}), caseName<RawCase>);

} // namespace
