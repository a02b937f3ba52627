// Short texts and char arrays: wire layouts, distrusted length bytes and fields at the buffer's edge.
#include "core/codec/shorttext.h"

#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using namespace Qt::StringLiterals;

TEST(ShortText, WritesLengthCharactersAndNulFill)
{
    QByteArray buffer(13, '\x55');
    ASSERT_TRUE(writeShortText(buffer, 1, 10, u"Tank 7"_s));
    EXPECT_EQ(hexText(buffer), hexText(hexBytes("55 06 54 61 6E 6B 20 37 00 00 00 00 55")));
    // The pair is one character; the text is cut to ten.
    ASSERT_TRUE(writeShortText(buffer, 1, 10, u"\U0001F600Sunflower oil"_s));
    const QByteArray expected = hexBytes("55 0A 3F 53 75 6E 66 6C 6F 77 65 72 55");
    EXPECT_EQ(hexText(buffer), hexText(expected));
    EXPECT_FALSE(writeShortText(buffer, 3, 10, u"A"_s) || writeShortText(buffer, 0, 256, u"A"_s)
                 || writeShortText(buffer, std::numeric_limits<std::size_t>::max(), 10, u"A"_s));
    EXPECT_EQ(hexText(buffer), hexText(expected));
}

TEST(ShortText, ReadsAtMostTheCapacity)
{
    QByteArray buffer = hexBytes("C8 52 61 70 65 73 65 65 64 20 6F 69 6C");
    EXPECT_EQ(readShortText(buffer, 0, 10), u"Rapeseed o"_s);
    EXPECT_FALSE(shortTextLengthValid(buffer, 0, 10));
    buffer[0] = 10;
    EXPECT_TRUE(shortTextLengthValid(buffer, 0, 10));
    EXPECT_FALSE(shortTextLengthValid(buffer, 3, 10));
    buffer[0] = 3;
    EXPECT_EQ(readShortText(buffer, 0, 10), u"Rap"_s);
    EXPECT_EQ(readShortText(buffer, 3, 10), std::nullopt);
    QByteArray wide(41, '\0');
    ASSERT_TRUE(writeShortText(wide, 0, 40, u"\u00D6l 20 \u00B0C \u20AC"_s));
    EXPECT_EQ(readShortText(wide, 0, 40), u"\u00D6l 20 \u00B0C \u20AC"_s);
}

TEST(CharArray, CutsPadsAndStopsAtNul)
{
    QByteArray buffer(6, '\x55');
    ASSERT_TRUE(writeCharArray(buffer, 1, 4, u"A\u00C4"_s, Padding::Spaces));
    EXPECT_EQ(hexText(buffer), hexText(hexBytes("55 41 C4 20 20 55")));
    ASSERT_TRUE(writeCharArray(buffer, 1, 4, u"A"_s, Padding::Nuls));
    EXPECT_EQ(hexText(buffer), hexText(hexBytes("55 41 00 00 00 55")));
    ASSERT_TRUE(writeCharArray(buffer, 1, 4, u"ABCDEF"_s, Padding::Nuls));
    EXPECT_FALSE(writeCharArray(buffer, 3, 4, u"X"_s, Padding::Spaces));
    EXPECT_EQ(readCharArray(buffer, 1, 4), QByteArray("ABCD"));
    EXPECT_EQ(readCharArray(buffer, 3, 4), std::nullopt);
    EXPECT_EQ(textUpToNul(hexBytes("41 B0 00 43")), u"A\u00B0"_s);
    EXPECT_EQ(textUpToNul(hexBytes("41 42")), u"AB"_s);
}

} // namespace
