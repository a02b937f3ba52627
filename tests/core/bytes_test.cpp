// Little-endian field access: byte layouts on hand-built buffers and every way a field can miss the end.
#include "core/codec/bytes.h"

#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Bytes, LittleEndianLayouts)
{
    const QByteArray bytes = hexBytes("FE FF FF 80 34 12 00 00 00 00 00 00 F0 BF");
    EXPECT_EQ(readU8(bytes, 3), 0x80);
    EXPECT_EQ(readU16(bytes, 4), 0x1234);
    EXPECT_EQ(readI16(bytes, 0), -2);
    EXPECT_EQ(readU32(bytes, 0), 0x80FFFFFEu);
    EXPECT_EQ(readI32(bytes, 0), -2130706434);
    EXPECT_EQ(readF64(bytes, 6), -1.0);
    QByteArray written(19, '\x55');
    ASSERT_TRUE(writeI16(written, 0, -2) && writeI32(written, 2, std::numeric_limits<qint32>::min()));
    ASSERT_TRUE(writeF64(written, 6, -0.0) && writeU32(written, 14, 0x12345678) && writeU8(written, 18, 0xAB));
    EXPECT_EQ(hexText(written), hexText(hexBytes("FE FF 00 00 00 80 00 00 00 00 00 00 00 80 78 56 34 12 AB")));
}

struct Field {
    const char *name;
    std::size_t width;
    bool (*read)(std::span<const char>, std::size_t);
    bool (*write)(std::span<char>, std::size_t);
};

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

INSTANTIATE_TEST_SUITE_P(All, BytesBounds,
                         testing::Values(field<readU8, writeU8>("U8", 1), field<readU16, writeU16>("U16", 2),
                                         field<readI16, writeI16>("I16", 2), field<readU32, writeU32>("U32", 4),
                                         field<readI32, writeI32>("I32", 4), field<readU64, writeU64>("U64", 8),
                                         field<readF64, writeF64>("F64", 8)),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
