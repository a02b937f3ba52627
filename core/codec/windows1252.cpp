// Windows-1252 differs from Latin-1 only in 0x80-0x9F, so one 32-entry table carries the whole code page.
#include "core/codec/windows1252.h"

#include <array>
#include <cstddef>

namespace {

constexpr char16_t HighBlockFirst = 0x80;
constexpr char16_t HighBlockEnd = 0xA0;
constexpr char16_t LatinLast = 0xFF;
constexpr char Unmappable = '?';

// Characters of bytes 0x80-0x9F; the undefined codes keep their C1 control.
constexpr std::array<char16_t, 32> HighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char16_t decodeByte(unsigned char byte)
{
    if (byte >= HighBlockFirst && byte < HighBlockEnd)
        return HighBlock[byte - HighBlockFirst];
    return byte;
}

// The byte for a character outside plain Latin-1, or '?'.
char encodeSpecial(char16_t unit)
{
    for (std::size_t i = 0; i < HighBlock.size(); ++i) {
        if (HighBlock[i] == unit)
            return static_cast<char>(HighBlockFirst + i);
    }
    return Unmappable;
}

} // namespace

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(decodeByte(static_cast<unsigned char>(byte)));
    return text;
}

QByteArray toWindows1252(QStringView text)
{
    // Never more bytes than UTF-16 units; the surplus left by surrogate pairs is cut at the end.
    const qsizetype size = text.size();
    QByteArray bytes(size, Qt::Uninitialized);
    char *out = bytes.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < HighBlockFirst || (unit >= HighBlockEnd && unit <= LatinLast)) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        // A surrogate pair is one character and gives a single '?'.
        if (QChar::isHighSurrogate(unit) && i + 1 < size && text[i + 1].isLowSurrogate())
            ++i;
        *out++ = encodeSpecial(unit);
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}
