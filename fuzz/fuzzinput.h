// Takes typed pieces off the front of a fuzzer's input; what is missing reads as zero.
#pragma once

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), size)
    {}

    // Up to n bytes; fewer at the end of the input.
    std::span<const char> take(std::size_t n)
    {
        const std::span<const char> piece = m_bytes.first(std::min(n, m_bytes.size()));
        m_bytes = m_bytes.subspan(piece.size());
        return piece;
    }

    template <typename T> T takeValue()
    {
        T value{};
        const std::span<const char> piece = take(sizeof(T));
        std::memcpy(&value, piece.data(), piece.size());
        return value;
    }

    // Exactly n bytes, zero-padded when the input ends first.
    QByteArray takePadded(std::size_t n)
    {
        const std::span<const char> piece = take(n);
        QByteArray bytes(piece.data(), static_cast<qsizetype>(piece.size()));
        bytes.resize(static_cast<qsizetype>(n), '\0');
        return bytes;
    }

    std::span<const char> rest() { return take(m_bytes.size()); }
    bool empty() const { return m_bytes.empty(); }

private:
    std::span<const char> m_bytes;
};

// Stops the run so that libFuzzer keeps the input: a property of the code under test failed.
[[noreturn]] void fuzzFailure(const char *what);
