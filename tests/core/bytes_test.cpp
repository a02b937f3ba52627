// Byte-level codecs on hand-built buffers: short texts and char arrays, Windows-1252, and every way a
// little-endian field can miss the end. The fields' byte order is proven by the record layouts.
#include "core/codec/bytes.h"
#include "core/codec/shorttext.h"
#include "core/codec/windows1252.h"
#include "tests/support/bytes.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>

namespace {

using namespace Qt::StringLiterals;

struct Field { const char *name; std::size_t width; bool (*read)(std::span<const char>, std::size_t); bool (*write)(std::span<char>, std::size_t); };

template<auto Read, auto Write>
Field field(const char *name, std::size_t width)
{
    return {name, width, [](std::span<const char> b, std::size_t o) { return Read(b, o).has_value(); },
            [](std::span<char> b, std::size_t o) { return Write(b, o, 0x7F); }};
}

class BytesBounds : public testing::TestWithParam<Field> {};

TEST_P(BytesBounds, FieldMustFitEntirely)
{
    constexpr std::size_t Size = 12, Max = std::numeric_limits<std::size_t>::max();
    const Field &f = GetParam();
    QByteArray bytes(Size, '\x55');
    // At Max - width + 1, offset + width wraps around to 0.
    for (const std::size_t offset : {Size - f.width + 1, Size, Max - f.width + 1, Max})
        EXPECT_FALSE(f.read(bytes, offset) || f.write(bytes, offset)) << offset;
    EXPECT_EQ(bytes, QByteArray(Size, '\x55'));
    EXPECT_TRUE(f.read(bytes, Size - f.width) && f.write(bytes, Size - f.width));
}

INSTANTIATE_TEST_SUITE_P(All, BytesBounds, testing::Values(field<readU8, writeU8>("U8", 1), field<readU16, writeU16>("U16", 2),
    field<readI16, writeI16>("I16", 2), field<readU32, writeU32>("U32", 4), field<readI32, writeI32>("I32", 4),
    field<readU64, writeU64>("U64", 8), field<readF64, writeF64>("F64", 8)), caseName<Field>);

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
    EXPECT_TRUE(readShortText(buffer, 0, 10) == u"Rapeseed o"_s && !shortTextLengthValid(buffer, 0, 10));
    buffer[0] = 10;
    EXPECT_TRUE(shortTextLengthValid(buffer, 0, 10) && !shortTextLengthValid(buffer, 3, 10));
    buffer[0] = 3;
    EXPECT_TRUE(readShortText(buffer, 0, 10) == u"Rap"_s && readShortText(buffer, 3, 10) == std::nullopt);
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
    EXPECT_TRUE(readCharArray(buffer, 1, 4) == QByteArray("ABCD") && readCharArray(buffer, 3, 4) == std::nullopt);
    EXPECT_TRUE(textUpToNul(hexBytes("41 B0 00 43")) == u"A\u00B0"_s && textUpToNul(hexBytes("41 42")) == u"AB"_s);
}

TEST(Windows1252, EveryByteRoundTrips)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    const QString text = fromWindows1252(all);
    EXPECT_EQ(text.mid(0x7F, 3) + text.mid(0x8D, 4) + text.mid(0x9D, 4),
              QStringView(u"\u007F\u20AC\u0081\u008D\u017D\u008F\u0090\u009D\u017E\u0178\u00A0"));
    EXPECT_EQ(hexText(toWindows1252(text)), hexText(all));
}

// One byte a character, a question mark for anything the code page lacks; a surrogate pair is one character.
TEST(Windows1252, EncodesOneByteOrQuestionMarkPerCharacter)
{
    const std::pair<std::u16string_view, const char *> cases[] = {
        {u"20 \u00B0C \u20AC\u2014\u00FF", "32 30 20 B0 43 20 80 97 FF"}, {u"\u0416z", "3F 7A"}, {u"\U0001F600z", "3F 7A"},
        {u"\xD800z", "3F 7A"}, {u"z\xD800", "7A 3F"}, {u"\u0080\u0082", "3F 3F"}};
    for (const auto &[text, hex] : cases)
        EXPECT_EQ(hexText(toWindows1252(QStringView(text))), hexText(hexBytes(hex))) << hex;
}

} // namespace
