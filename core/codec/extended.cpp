// Extended <-> double by integer bit manipulation; the host's long double is never involved.
#include "core/codec/extended.h"

#include "core/codec/bytes.h"

#include <QtGlobal>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace {

// Extended layout.
constexpr std::size_t SignificandOffset = 0;  // bytes 0-7, u64
constexpr std::size_t SignExponentOffset = 8; // bytes 8-9, u16
constexpr quint16 ExtendedSignBit = 0x8000;   // bit 15 of the u16 at bytes 8-9
constexpr quint16 ExtendedExponentMask = 0x7FFF;
constexpr int ExtendedBias = 16383;
constexpr quint16 ExtendedSpecialExponent = 0x7FFF; // infinities and NaNs
constexpr quint64 IntegerBit = quint64(1) << 63;    // explicit, the binary point lies just below it
constexpr quint64 FractionMask = IntegerBit - 1;
constexpr quint64 QuietBit = quint64(1) << 62;
constexpr int SignificandBits = 64;

// Double layout: 1 sign bit, 11 exponent bits (bias 1023), 52 fraction bits.
constexpr int DoubleFractionBits = 52;
constexpr quint64 DoubleFractionMask = (quint64(1) << DoubleFractionBits) - 1;
constexpr quint64 DoubleSignBit = quint64(1) << 63;
constexpr quint64 DoubleQuietBit = quint64(1) << 51;
constexpr int DoubleExponentMask = 0x7FF;
constexpr int DoubleBias = 1023;
// Exponents of the largest finite double's leading bit and of the smallest subnormal.
constexpr int DoubleMaxExponent = 1023;
constexpr int DoubleMinUnitExponent = -1074;
// How far the double's fraction moves up to sit below the integer bit.
constexpr int FractionShift = SignificandBits - 1 - DoubleFractionBits;

std::array<char, ExtendedSize> pack(bool negative, quint16 exponent, quint64 significand)
{
    std::array<char, ExtendedSize> bytes{};
    writeU64(bytes, SignificandOffset, significand);
    writeU16(bytes, SignExponentOffset, static_cast<quint16>(exponent | (negative ? ExtendedSignBit : 0)));
    return bytes;
}

// The double nearest to significand x 2^exponent (ties to even), rounded once at the bit
// the result can keep.
double roundToDouble(quint64 significand, int exponent)
{
    if (significand == 0)
        return 0.0;
    // top: exponent of the leading bit; unit: exponent of the last bit the double can keep.
    const int top = std::bit_width(significand) - 1 + exponent;
    if (top > DoubleMaxExponent)
        return std::numeric_limits<double>::infinity();
    const int unit = std::max(top - DoubleFractionBits, DoubleMinUnitExponent);
    const int dropped = unit - exponent;
    if (dropped <= 0)
        return std::ldexp(static_cast<double>(significand), exponent); // at most 53 bits: exact
    if (dropped > SignificandBits)
        return 0.0; // less than half of the smallest subnormal
    const quint64 kept = dropped == SignificandBits ? 0 : significand >> dropped;
    const quint64 rest = dropped == SignificandBits ? significand : significand & ((quint64(1) << dropped) - 1);
    const quint64 half = quint64(1) << (dropped - 1);
    const quint64 rounded = kept + ((rest > half || (rest == half && (kept & 1) != 0)) ? 1 : 0);
    // At most 2^53, so the conversion is exact and ldexp only scales (overflowing to infinity past the top).
    return std::ldexp(static_cast<double>(rounded), unit);
}

} // namespace

std::array<char, ExtendedSize> encodeExtended(double value)
{
    const quint64 bits = std::bit_cast<quint64>(value);
    const bool negative = (bits & DoubleSignBit) != 0;
    const int exponent = static_cast<int>(bits >> DoubleFractionBits) & DoubleExponentMask;
    const quint64 fraction = bits & DoubleFractionMask;

    if (exponent == DoubleExponentMask) {
        const quint64 payload = fraction == 0 ? 0 : QuietBit | (fraction << FractionShift);
        return pack(negative, ExtendedSpecialExponent, IntegerBit | payload);
    }
    if (exponent == 0) {
        if (fraction == 0)
            return pack(negative, 0, 0);
        // Subnormal: fraction x 2^-1074, normalised so that the integer bit is set.
        const int shift = std::countl_zero(fraction);
        const int unbiased = DoubleMinUnitExponent + (SignificandBits - 1) - shift;
        return pack(negative, static_cast<quint16>(unbiased + ExtendedBias), fraction << shift);
    }
    const int unbiased = exponent - DoubleBias;
    return pack(negative, static_cast<quint16>(unbiased + ExtendedBias), IntegerBit | (fraction << FractionShift));
}

double decodeExtended(std::span<const char, ExtendedSize> bytes)
{
    const quint64 significand = *readU64(bytes, SignificandOffset);
    const quint16 signExponent = *readU16(bytes, SignExponentOffset);
    const bool negative = (signExponent & ExtendedSignBit) != 0;
    const int exponent = signExponent & ExtendedExponentMask;

    if (exponent == ExtendedSpecialExponent) {
        if ((significand & FractionMask) == 0)
            return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        const quint64 payload = (significand >> FractionShift) & DoubleFractionMask;
        const quint64 bits = (negative ? DoubleSignBit : 0) | (quint64(DoubleExponentMask) << DoubleFractionBits)
                             | DoubleQuietBit | payload;
        return std::bit_cast<double>(bits);
    }
    // Exponent 0 (denormals) scales like exponent 1.
    const int unbiased = std::max(exponent, 1) - ExtendedBias;
    const double magnitude = roundToDouble(significand, unbiased - (SignificandBits - 1));
    return negative ? -magnitude : magnitude;
}

bool writeExtended(std::span<char> buffer, std::size_t offset, double value)
{
    if (!fieldFits(buffer, offset, ExtendedSize))
        return false;
    const std::array<char, ExtendedSize> bytes = encodeExtended(value);
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

std::optional<double> readExtended(std::span<const char> buffer, std::size_t offset)
{
    if (!fieldFits(buffer, offset, ExtendedSize))
        return std::nullopt;
    return decodeExtended(buffer.subspan(offset).first<ExtendedSize>());
}
