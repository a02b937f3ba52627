// Short texts and char arrays: bounds are checked once, before any byte is touched.
#include "core/codec/shorttext.h"

#include "core/codec/bytes.h"
#include "core/codec/windows1252.h"

#include <algorithm>

namespace {

// The length byte caps a short text's capacity.
constexpr int MaxShortTextCapacity = 255;
constexpr std::size_t LengthByteSize = 1;

bool shortTextFits(std::span<const char> buffer, std::size_t offset, int capacity)
{
    return capacity >= 0 && capacity <= MaxShortTextCapacity
           && fieldFits(buffer, offset, LengthByteSize + static_cast<std::size_t>(capacity));
}

bool charArrayFits(std::span<const char> buffer, std::size_t offset, int size)
{
    return size >= 0 && fieldFits(buffer, offset, static_cast<std::size_t>(size));
}

// Encodes text, cut to the field's size, into the field and fills the remainder with filler;
// returns the number of character bytes written.
std::size_t fillField(std::span<char> field, const QString &text, char filler)
{
    const QByteArray encoded = toWindows1252(text);
    const std::size_t used = std::min(field.size(), static_cast<std::size_t>(encoded.size()));
    std::fill(std::copy_n(encoded.constData(), used, field.begin()), field.end(), filler);
    return used;
}

} // namespace

bool writeShortText(std::span<char> buffer, std::size_t offset, int capacity, const QString &text)
{
    if (!shortTextFits(buffer, offset, capacity))
        return false;
    const std::size_t length
        = fillField(buffer.subspan(offset + LengthByteSize, static_cast<std::size_t>(capacity)), text, '\0');
    buffer[offset] = static_cast<char>(length);
    return true;
}

std::optional<QString> readShortText(std::span<const char> buffer, std::size_t offset, int capacity)
{
    if (!shortTextFits(buffer, offset, capacity))
        return std::nullopt;
    const auto length = std::min<std::size_t>(static_cast<unsigned char>(buffer[offset]), capacity);
    return fromWindows1252(QByteArrayView(buffer.data() + offset + LengthByteSize, static_cast<qsizetype>(length)));
}

bool shortTextLengthValid(std::span<const char> buffer, std::size_t offset, int capacity)
{
    return shortTextFits(buffer, offset, capacity) && static_cast<unsigned char>(buffer[offset]) <= capacity;
}

bool writeCharArray(std::span<char> buffer, std::size_t offset, int size, const QString &text, Padding padding)
{
    if (!charArrayFits(buffer, offset, size))
        return false;
    fillField(buffer.subspan(offset, static_cast<std::size_t>(size)), text, padding == Padding::Spaces ? ' ' : '\0');
    return true;
}

std::optional<QByteArray> readCharArray(std::span<const char> buffer, std::size_t offset, int size)
{
    if (!charArrayFits(buffer, offset, size))
        return std::nullopt;
    return QByteArray(buffer.data() + offset, size);
}

QString textUpToNul(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    return fromWindows1252(nul < 0 ? bytes : bytes.first(nul));
}
