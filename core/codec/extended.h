// The 10-byte x87 extended-precision reals that the plant's records store, converted to and from double.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

// Bytes 0-7: the 64-bit significand, little-endian, with an explicit integer bit (bit 63).
// Bytes 8-9: a little-endian u16 holding the 15-bit exponent (bias 16383) and the sign in bit 15.
inline constexpr std::size_t ExtendedSize = 10;

// Exact for every double: subnormals come out normalised, zeros keep their sign, infinities get
// significand 0x8000000000000000, and a NaN becomes a quiet NaN (significand 0xC000...) keeping
// its sign and payload.
std::array<char, ExtendedSize> encodeExtended(double value);

// Rounds once to the nearest double, ties to even, subnormal range included. Magnitudes above the
// double range give infinity, magnitudes of at most half the smallest subnormal give zero, both
// with the sign kept. Exponent 0x7FFF is infinity when the low 63 significand bits are zero and
// NaN otherwise. The integer bit is not required to be set (unnormals and pseudo-denormals decode
// by their numeric value).
double decodeExtended(std::span<const char, ExtendedSize> bytes);

// False, buffer untouched, when the 10 bytes do not fit at offset.
bool writeExtended(std::span<char> buffer, std::size_t offset, double value);
// Nullopt when the 10 bytes at offset lie past the end.
std::optional<double> readExtended(std::span<const char> buffer, std::size_t offset);
