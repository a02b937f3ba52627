// The variable-length signed integers of the history file's sample stream.
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <optional>
#include <span>

// A delta code is 1 to 5 bytes; its first byte b decides the form. Bit 7 of b is the sign (set =
// negative) in every form but the 5-byte one:
//   bit 6 clear, b != 0x3F  1 byte   magnitude b & 0x3F            (0x05 = 5, 0x85 = -5, 0xBF = -63, 0x80 = 0)
//   b == 0x3F               5 bytes  the next 4 bytes, big-endian two's complement, are the value
//   bits 6..5 = 10          2 bytes  (b & 0x0F) << 8 | byte1       (bit 4 ignored: 0x41 00 = 0x51 00 = 256)
//   bits 6..4 = 110         3 bytes  (b & 0x0F) << 16 | byte1 << 8 | byte2
//   bits 6..4 = 111         4 bytes  (b & 0x0F) << 24 | byte1 << 16 | byte2 << 8 | byte3
inline constexpr std::size_t MaxDeltaCodeSize = 5;

// The length of the code whose first byte is b.
constexpr std::size_t deltaCodeLength(quint32 b)
{
    if (b == 0x3Fu)
        return 5;
    if ((b & 0x40u) == 0)
        return 1;
    if ((b & 0x20u) == 0)
        return 2;
    return (b & 0x10u) == 0 ? 3 : 4;
}

// The value of the code at p, whose length bytes the caller has checked to lie in its buffer.
inline qint32 deltaCodeValue(const unsigned char *p, std::size_t length)
{
    const quint32 b = p[0];
    if (length == 5)
        return static_cast<qint32>(quint32{p[1]} << 24 | quint32{p[2]} << 16 | quint32{p[3]} << 8 | p[4]); // modular
    quint32 magnitude = length == 1 ? b & 0x3Fu : b & 0x0Fu;
    for (std::size_t i = 1; i < length; ++i)
        magnitude = magnitude << 8 | p[i];
    const auto value = static_cast<qint32>(magnitude);
    return (b & 0x80u) != 0 ? -value : value;
}

// Reads the code at cursor and advances the cursor past it. Nullopt, cursor unchanged, when the
// code would run past the end of the buffer (or the cursor already lies at or past it).
inline std::optional<qint32> DecodeDelta(std::span<const char> bytes, std::size_t &cursor)
{
    if (cursor >= bytes.size())
        return std::nullopt;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data() + cursor);
    const std::size_t length = deltaCodeLength(p[0]);
    if (bytes.size() - cursor < length)
        return std::nullopt;
    cursor += length;
    return deltaCodeValue(p, length);
}
