// Delta codes: every form, every truncation of each, and the encoder's shortest forms read back.
#include "core/history/deltacode.h"
#include "core/history/historyencoder.h"

#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

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

} // namespace
