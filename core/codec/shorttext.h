// Length-prefixed short texts and fixed-size character arrays in record buffers, in Windows-1252.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <optional>
#include <span>

// A short text of capacity N occupies N+1 bytes: a length byte, then N character bytes of which
// the first "length" count. Capacities run from 0 to 255; any other capacity fails like a field
// that does not fit.

// Writes the first N characters of text and fills the rest of the N bytes with NUL.
// False, buffer untouched, when the N+1 bytes do not fit at offset.
bool writeShortText(std::span<char> buffer, std::size_t offset, int capacity, const QString &text);

// The length byte is never trusted beyond the capacity: a length of 200 in a capacity-10 field
// yields the 10 characters. Nullopt when the N+1 bytes lie past the end.
std::optional<QString> readShortText(std::span<const char> buffer, std::size_t offset, int capacity);

// True when the field lies inside the buffer and its length byte is at most the capacity;
// the server rejects records whose lengths lie.
bool shortTextLengthValid(std::span<const char> buffer, std::size_t offset, int capacity);

// A char array of N is exactly N single-byte characters with no length.
enum class Padding { Spaces, Nuls };

// Writes the first N characters of text, padded to N bytes. False, buffer untouched, when the
// N bytes do not fit or size is negative.
bool writeCharArray(std::span<char> buffer, std::size_t offset, int size, const QString &text, Padding padding);

// The raw N bytes, padding included; nullopt when they do not fit or size is negative.
std::optional<QByteArray> readCharArray(std::span<const char> buffer, std::size_t offset, int size);

// Decodes Windows-1252 up to the first NUL byte, or the whole view when there is none.
QString textUpToNul(QByteArrayView bytes);
