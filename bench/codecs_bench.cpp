// Throughput of the record codecs: extended reals, Windows-1252 text and a page of short texts.
#include "core/codec/extended.h"
#include "core/codec/shorttext.h"
#include "core/codec/windows1252.h"

#include <QByteArray>
#include <QString>

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>

namespace {

using namespace Qt::StringLiterals;

// A server record page; 100 short texts of capacity 9 (10 bytes each) fill all but its last 24 bytes.
constexpr std::size_t PageSize = 1024;
constexpr int TextsPerPage = 100;
constexpr int PageTextCapacity = 9;
constexpr std::size_t PageTextStride = PageTextCapacity + 1;

const QString &fortyCharacters()
{
    static const QString text = u"Sunflower oil, refined, 20 \u00B0C, 0.95 \u20AC/kg"_s;
    return text;
}

void encodeExtendedValues(benchmark::State &state)
{
    double value = 920.2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeExtended(value));
        value += 0.25;
    }
}
BENCHMARK(encodeExtendedValues);

void decodeExtendedValues(benchmark::State &state)
{
    std::array<std::array<char, ExtendedSize>, 4> inputs
        = {encodeExtended(920.2), encodeExtended(-1.0e-300), encodeExtended(4.9e-320), encodeExtended(12345.678)};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeExtended(inputs[i++ % inputs.size()]));
    }
}
BENCHMARK(decodeExtendedValues);

void encodeWindows1252Text(benchmark::State &state)
{
    const QString &text = fortyCharacters();
    for (auto _ : state)
        benchmark::DoNotOptimize(toWindows1252(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(encodeWindows1252Text);

void decodeWindows1252Text(benchmark::State &state)
{
    const QByteArray bytes = toWindows1252(fortyCharacters());
    for (auto _ : state)
        benchmark::DoNotOptimize(fromWindows1252(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(decodeWindows1252Text);

void writeShortTextPage(benchmark::State &state)
{
    QByteArray page(PageSize, '\0');
    const QString text = u"Tank T-07"_s;
    for (auto _ : state) {
        for (int i = 0; i < TextsPerPage; ++i)
            writeShortText(page, i * PageTextStride, PageTextCapacity, text);
        benchmark::DoNotOptimize(page.data());
    }
    state.SetItemsProcessed(state.iterations() * TextsPerPage);
}
BENCHMARK(writeShortTextPage);

void readShortTextPage(benchmark::State &state)
{
    QByteArray page(PageSize, '\0');
    for (int i = 0; i < TextsPerPage; ++i)
        writeShortText(page, i * PageTextStride, PageTextCapacity, u"Tank %1"_s.arg(i));
    for (auto _ : state) {
        for (int i = 0; i < TextsPerPage; ++i)
            benchmark::DoNotOptimize(readShortText(page, i * PageTextStride, PageTextCapacity));
    }
    state.SetItemsProcessed(state.iterations() * TextsPerPage);
}
BENCHMARK(readShortTextPage);

} // namespace
