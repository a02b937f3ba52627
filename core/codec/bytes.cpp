// Little-endian field access assembled byte by byte, so the host's byte order never matters.
#include "core/codec/bytes.h"

#include <bit>
#include <type_traits>

namespace {

// The low width bytes at offset, least significant first; the caller has checked the bounds.
quint64 loadLittleEndian(std::span<const char> buffer, std::size_t offset, std::size_t width)
{
    quint64 value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(buffer[offset + i]);
    return value;
}

bool storeLittleEndian(std::span<char> buffer, std::size_t offset, std::size_t width, quint64 value)
{
    if (!fieldFits(buffer, offset, width))
        return false;
    for (std::size_t i = 0; i < width; ++i, value >>= 8)
        buffer[offset + i] = static_cast<char>(value & 0xFF);
    return true;
}

template <typename T> std::optional<T> load(std::span<const char> buffer, std::size_t offset)
{
    if (!fieldFits(buffer, offset, sizeof(T)))
        return std::nullopt;
    // Narrowing an unsigned value to a signed type is modular since C++20.
    return static_cast<T>(loadLittleEndian(buffer, offset, sizeof(T)));
}

template <typename T> bool store(std::span<char> buffer, std::size_t offset, T value)
{
    using Unsigned = std::make_unsigned_t<T>;
    return storeLittleEndian(buffer, offset, sizeof(T), static_cast<Unsigned>(value));
}

} // namespace

bool fieldFits(std::span<const char> buffer, std::size_t offset, std::size_t size)
{
    return offset <= buffer.size() && size <= buffer.size() - offset;
}

std::optional<quint8> readU8(std::span<const char> buffer, std::size_t offset) { return load<quint8>(buffer, offset); }
std::optional<quint16> readU16(std::span<const char> buffer, std::size_t offset)
{
    return load<quint16>(buffer, offset);
}
std::optional<qint16> readI16(std::span<const char> buffer, std::size_t offset) { return load<qint16>(buffer, offset); }
std::optional<quint32> readU32(std::span<const char> buffer, std::size_t offset)
{
    return load<quint32>(buffer, offset);
}
std::optional<qint32> readI32(std::span<const char> buffer, std::size_t offset) { return load<qint32>(buffer, offset); }
std::optional<quint64> readU64(std::span<const char> buffer, std::size_t offset)
{
    return load<quint64>(buffer, offset);
}

std::optional<double> readF64(std::span<const char> buffer, std::size_t offset)
{
    const std::optional<quint64> bits = readU64(buffer, offset);
    if (!bits)
        return std::nullopt;
    return std::bit_cast<double>(*bits);
}

bool writeU8(std::span<char> buffer, std::size_t offset, quint8 value) { return store(buffer, offset, value); }
bool writeU16(std::span<char> buffer, std::size_t offset, quint16 value) { return store(buffer, offset, value); }
bool writeI16(std::span<char> buffer, std::size_t offset, qint16 value) { return store(buffer, offset, value); }
bool writeU32(std::span<char> buffer, std::size_t offset, quint32 value) { return store(buffer, offset, value); }
bool writeI32(std::span<char> buffer, std::size_t offset, qint32 value) { return store(buffer, offset, value); }
bool writeU64(std::span<char> buffer, std::size_t offset, quint64 value) { return store(buffer, offset, value); }

bool writeF64(std::span<char> buffer, std::size_t offset, double value)
{
    return writeU64(buffer, offset, std::bit_cast<quint64>(value));
}
