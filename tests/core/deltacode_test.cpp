// Delta codes: every form, every truncation of each, and the encoder's shortest forms read back.
#include "core/history/deltacode.h"
#include "core/history/historyencoder.h"

#include "tests/support/bytes.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct CodeCase
{
    const char *name;
    const char *hex;
    qint32 value;
};

class DeltaCodeTest : public testing::TestWithParam<CodeCase>
{
};

TEST_P(DeltaCodeTest, DecodesAndRefusesEveryTruncation)
{
    const QByteArray code = hexBytes(GetParam().hex);
    const QByteArray bytes = code + hexBytes("AA");
    std::size_t cursor = 0;
    EXPECT_EQ(DecodeDelta(bytes, cursor), GetParam().value);
    EXPECT_EQ(cursor, static_cast<std::size_t>(code.size()));
    for (qsizetype cut = 0; cut < code.size(); ++cut) {
        cursor = 0;
        EXPECT_EQ(DecodeDelta(code.left(cut), cursor), std::nullopt) << cut << " bytes";
        EXPECT_EQ(cursor, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(, DeltaCodeTest, testing::Values(
    CodeCase{"OneBytePositive", "05", 5},
    CodeCase{"OneByteNegative", "85", -5},
    CodeCase{"OneByteMinus63", "BF", -63},
    CodeCase{"NegativeZero", "80", 0},
    CodeCase{"TwoBytes", "41 00", 256},
    CodeCase{"TwoBytesIgnoreBit4", "51 00", 256},
    CodeCase{"TwoBytesNegative", "CF FF", -4095},
    CodeCase{"ThreeBytes", "6A BC DE", 0xABCDE},
    CodeCase{"FourBytesNegative", "FF 12 34 56", -0xF123456},
    CodeCase{"FiveBytesMinusOne", "3F FF FF FF FF", -1},
    CodeCase{"FiveBytesHaveNoSignBit", "3F 80 00 00 00", std::numeric_limits<qint32>::min()}),
    caseName<CodeCase>);

TEST(DeltaCode, CursorAtTheEndDecodesNothing)
{
    const QByteArray bytes = hexBytes("05");
    std::size_t cursor = 1;
    EXPECT_EQ(DecodeDelta(bytes, cursor), std::nullopt);
    cursor = 7;
    EXPECT_EQ(DecodeDelta(bytes, cursor), std::nullopt);
    EXPECT_EQ(cursor, 7u);
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

} // namespace
