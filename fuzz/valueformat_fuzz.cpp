// Fuzz target: formatValue with any pattern and value, in a locale with a decimal point and in one
// with a decimal comma. A pattern without "%" must come back as it is.
#include "core/plantmap/valueformat.h"
#include "fuzz/fuzzinput.h"

#include <QString>

// Input: the value (8 bytes), then the pattern in UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QLocale comma(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia);
    FuzzInput input(data, size);
    const auto value = input.takeValue<double>();
    const std::span<const char> text = input.rest();
    const QString pattern = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString formatted = formatValue(pattern, value, QLocale::c());
    formatValue(pattern, value, comma);
    if (!pattern.contains(u'%') && formatted != pattern)
        fuzzFailure("a pattern without a conversion was changed");
    return 0;
}
