// The live values record byte by byte, and the raw values the history's scale gives.
#include "core/exchange/liverecord.h"

#include "tests/support/bytes.h"

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

TEST(ChannelRawTest, RoundsAndClampsToSixteenBits)
{
    const struct { double value; qint32 raw; bool clamped; } cases[] = {
        {0.0, -16000, false},      {9.0014, -11499, false},   {-0.0016, -16001, false}, // nearest step, below zero
        {-33.536, -32768, false},  {97.534, 32767, false},    {-33.538, -32768, true},  // range ends, then past them
        {97.536, 32767, true},     {std::numeric_limits<double>::infinity(), 32767, true}};
    for (const auto &c : cases) {
        const ChannelRaw raw = channelRaw(c.value);
        EXPECT_EQ(raw.raw, c.raw) << c.value;
        EXPECT_EQ(raw.clamped, c.clamped) << c.value;
    }
}

} // namespace
