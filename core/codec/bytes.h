// Little-endian integers and doubles at fixed offsets in record buffers, never touching bytes past the end.
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <limits>
#include <optional>
#include <span>

static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == 8, "records store IEEE doubles");

// True when size bytes starting at offset lie entirely inside the buffer (no wrap-around for huge offsets).
bool fieldFits(std::span<const char> buffer, std::size_t offset, std::size_t size);

// Reads return nullopt when the field does not lie entirely inside the buffer.
std::optional<quint8> readU8(std::span<const char> buffer, std::size_t offset);
std::optional<quint16> readU16(std::span<const char> buffer, std::size_t offset);
std::optional<qint16> readI16(std::span<const char> buffer, std::size_t offset);
std::optional<quint32> readU32(std::span<const char> buffer, std::size_t offset);
std::optional<qint32> readI32(std::span<const char> buffer, std::size_t offset);
std::optional<quint64> readU64(std::span<const char> buffer, std::size_t offset);
// An 8-byte IEEE double, bit for bit (NaN payloads included).
std::optional<double> readF64(std::span<const char> buffer, std::size_t offset);

// Writes return false and leave the buffer untouched when the field does not fit entirely.
bool writeU8(std::span<char> buffer, std::size_t offset, quint8 value);
bool writeU16(std::span<char> buffer, std::size_t offset, quint16 value);
bool writeI16(std::span<char> buffer, std::size_t offset, qint16 value);
bool writeU32(std::span<char> buffer, std::size_t offset, quint32 value);
bool writeI32(std::span<char> buffer, std::size_t offset, qint32 value);
bool writeU64(std::span<char> buffer, std::size_t offset, quint64 value);
bool writeF64(std::span<char> buffer, std::size_t offset, double value);
