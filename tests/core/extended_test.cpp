// Extended reals: hand-computed byte vectors, rounding at every edge of the double range, and round trips.
#include "core/codec/extended.h"

#include "tests/support/bytes.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace {

struct VectorCase { const char *name; double value; const char *hex; };

class ExtendedEncode : public testing::TestWithParam<VectorCase> {};
class ExtendedDecode : public testing::TestWithParam<VectorCase> {};

TEST_P(ExtendedEncode, GivesTheBytes)
{
    const std::array<char, ExtendedSize> bytes = encodeExtended(GetParam().value);
    EXPECT_EQ(hexText(QByteArray(bytes.data(), ExtendedSize)), hexText(hexBytes(GetParam().hex)));
}

// Compared as bit patterns, so that -0 differs from +0 and NaNs compare.
TEST_P(ExtendedDecode, GivesTheDouble)
{
    const std::optional<double> value = readExtended(hexBytes(GetParam().hex), 0);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(std::bit_cast<quint64>(*value), std::bit_cast<quint64>(GetParam().value));
}

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double Tiny = std::numeric_limits<double>::denorm_min();

// 920.2 = 1.1100110000011001100...b x 2^9 is the double 0x408CC1999999999A: the significand is the
// integer bit over the fraction 0xCC1999999999A shifted up by 11, 0xE60CCCCCCCCCD000, and the
// exponent 16383 + 9 = 0x4008. The smallest subnormal 2^-1074 has exponent 16383 - 1074 = 0x3BCD.
const VectorCase exactVectors[] = {
    {"One", 1.0, "00 00 00 00 00 00 00 80 FF 3F"},
    {"MinusTwo", -2.0, "00 00 00 00 00 00 00 80 00 C0"},
    {"NineHundredTwentyPointTwo", 920.2, "00 D0 CC CC CC CC 0C E6 08 40"},
    {"LargestDouble", std::numeric_limits<double>::max(), "00 F8 FF FF FF FF FF FF FE 43"},
    {"SmallestNormal", std::numeric_limits<double>::min(), "00 00 00 00 00 00 00 80 01 3C"},
    {"SmallestSubnormal", Tiny, "00 00 00 00 00 00 00 80 CD 3B"},
    {"PlusZero", 0.0, "00 00 00 00 00 00 00 00 00 00"},
    {"MinusZero", -0.0, "00 00 00 00 00 00 00 00 00 80"},
    {"PlusInfinity", Infinity, "00 00 00 00 00 00 00 80 FF 7F"},
    {"MinusInfinity", -Infinity, "00 00 00 00 00 00 00 80 FF FF"},
    {"QuietNaN", std::numeric_limits<double>::quiet_NaN(), "00 00 00 00 00 00 00 C0 FF 7F"},
    {"NegativeNaNWithPayload", std::bit_cast<double>(0xFFF8000000000001ull), "00 08 00 00 00 00 00 C0 FF FF"},
};

// Near 1.0 the last bit a double keeps is significand bit 11, so 0x400 is exactly half of it.
const VectorCase roundedVectors[] = {
    {"HalfwayTiesDownToEven", 1.0, "00 04 00 00 00 00 00 80 FF 3F"},
    {"HalfwayTiesUpToEven", 1.0 + 0x1p-51, "00 0C 00 00 00 00 00 80 FF 3F"},
    {"JustAboveHalfway", 1.0 + 0x1p-52, "01 04 00 00 00 00 00 80 FF 3F"},
    {"SubnormalOneAndAHalfTiesUp", 2 * Tiny, "00 00 00 00 00 00 00 C0 CD 3B"},
    // Rounding to 53 bits first would give exactly 1.5 x 2^-1074 and then tie up to 2.
    {"SubnormalJustBelowOneAndAHalf", Tiny, "FF FF FF FF FF FF FF BF CD 3B"},
    {"HalfSmallestSubnormalGivesZero", 0.0, "00 00 00 00 00 00 00 80 CC 3B"},
    {"AboveHalfSmallestSubnormal", Tiny, "01 00 00 00 00 00 00 80 CC 3B"},
    {"LargestDoubleHalfwayOverflows", Infinity, "00 FC FF FF FF FF FF FF FE 43"},
    {"Exponent7FFESaturates", -Infinity, "00 00 00 00 00 00 00 80 FE FF"},
    {"ExponentOneUnderflows", 0.0, "00 00 00 00 00 00 00 80 01 00"},
    {"NegativeUnderflowKeepsSign", -0.0, "FF FF FF FF FF FF FF FF 00 BB"},
    {"PseudoDenormal", 0.0, "00 00 00 00 00 00 00 80 00 00"},
    {"UnnormalHalf", 0.5, "00 00 00 00 00 00 00 40 FF 3F"},
    {"PseudoInfinity", Infinity, "00 00 00 00 00 00 00 00 FF 7F"},
    {"SignallingNaNBecomesQuiet", std::bit_cast<double>(0x7FF8000000000001ull), "00 08 00 00 00 00 00 80 FF 7F"},
};

INSTANTIATE_TEST_SUITE_P(Exact, ExtendedEncode, testing::ValuesIn(exactVectors), caseName<VectorCase>);
INSTANTIATE_TEST_SUITE_P(Exact, ExtendedDecode, testing::ValuesIn(exactVectors), caseName<VectorCase>);
INSTANTIATE_TEST_SUITE_P(Rounded, ExtendedDecode, testing::ValuesIn(roundedVectors), caseName<VectorCase>);

TEST(Extended, RandomFiniteDoublesRoundTripBitExact)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 100000; ++i) {
        // Every eighth pattern has its exponent cleared, so subnormals are well represented.
        const quint64 bits = random() & (i % 8 == 0 ? 0x800FFFFFFFFFFFFFull : ~0ull);
        const double value = std::bit_cast<double>(bits);
        if (std::isfinite(value)) {
            ASSERT_EQ(std::bit_cast<quint64>(decodeExtended(encodeExtended(value))), bits) << std::hex << bits;
        }
    }
}

TEST(Extended, OffsetFormsStayInsideTheBuffer)
{
    QByteArray buffer(12, '\x55');
    EXPECT_FALSE(writeExtended(buffer, 3, 1.0) || writeExtended(buffer, std::numeric_limits<std::size_t>::max() - 9, 1.0));
    EXPECT_EQ(buffer, QByteArray(12, '\x55'));
    ASSERT_TRUE(writeExtended(buffer, 2, 920.2));
    EXPECT_EQ(hexText(buffer), hexText(hexBytes("55 55 00 D0 CC CC CC CC 0C E6 08 40")));
    EXPECT_EQ(readExtended(buffer, 2), 920.2);
    EXPECT_EQ(readExtended(buffer, 3), std::nullopt);
}

} // namespace
