// Conversion of typed text into numbers.
#include "core/text/numberparse.h"

#include <QByteArray>

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int hexValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

qsizetype skipBlanks(QStringView text, qsizetype i)
{
    while (i < text.size() && text[i] == u' ')
        ++i;
    return i;
}

// Reads the digits from i to the end; nullopt when there are none, a character is not a digit of
// the base, or the magnitude exceeds limit.
std::optional<quint64> readMagnitude(QStringView text, qsizetype i, int base, quint64 limit)
{
    if (i >= text.size())
        return std::nullopt;
    quint64 value = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? hexValue(text[i]) : (isDigit(text[i]) ? text[i].unicode() - u'0' : -1);
        if (digit < 0)
            return std::nullopt;
        value = value * static_cast<quint64>(base) + static_cast<quint64>(digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// The characters that are neither digits nor one of the field's own signs.
int countWarnings(QStringView text, QStringView allowed)
{
    int count = 0;
    for (const QChar c : text)
        count += isDigit(c) || allowed.contains(c) ? 0 : 1;
    return count;
}

} // namespace

int countIntegerWarnings(QStringView text) { return countWarnings(text, u"-"); }

std::optional<qint32> convertInteger(QStringView text)
{
    qsizetype i = skipBlanks(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        i += 1;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }

    if (base == 16) {
        const auto magnitude = readMagnitude(text, i, 16, std::numeric_limits<quint32>::max());
        if (!magnitude)
            return std::nullopt;
        const auto pattern = static_cast<quint32>(*magnitude);
        return static_cast<qint32>(negative ? 0u - pattern : pattern);
    }
    const quint64 limit = negative ? quint64{1} << 31 : (quint64{1} << 31) - 1;
    const auto magnitude = readMagnitude(text, i, 10, limit);
    if (!magnitude)
        return std::nullopt;
    const auto value = static_cast<qint64>(*magnitude);
    return static_cast<qint32>(negative ? -value : value);
}

QString floatFieldText(QStringView text)
{
    QString copy = text.toString();
    copy.replace(u',', u'.');
    return copy;
}

int countFloatWarnings(QStringView fieldText) { return countWarnings(fieldText, u"-."); }

std::optional<double> convertFloat(QStringView fieldText)
{
    qsizetype i = skipBlanks(fieldText, 0);
    const auto at = [&](qsizetype k) { return k < fieldText.size() ? fieldText[k] : QChar(); };

    const bool negative = at(i) == u'-';
    if (at(i) == u'-' || at(i) == u'+')
        ++i;
    const qsizetype numberStart = i;
    // The decimal order of the first significant digit, to tell underflow from overflow below.
    int order = 0;
    bool significant = false;
    int mantissaDigits = 0;
    for (; isDigit(at(i)); ++i, ++mantissaDigits) {
        significant = significant || at(i) != u'0';
        order += significant ? 1 : 0;
    }
    if (at(i) == u'.')
        for (++i; isDigit(at(i)); ++i, ++mantissaDigits) {
            order -= significant ? 0 : 1;
            significant = significant || at(i) != u'0';
        }
    if (mantissaDigits == 0)
        return std::nullopt;
    int exponent = 0;
    if (at(i) == u'e' || at(i) == u'E') {
        ++i;
        const bool negativeExponent = at(i) == u'-';
        if (at(i) == u'-' || at(i) == u'+')
            ++i;
        if (!isDigit(at(i)))
            return std::nullopt;
        for (; isDigit(at(i)); ++i)
            exponent = std::min(exponent * 10 + (at(i).unicode() - u'0'), 100000);
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (i != fieldText.size())
        return std::nullopt;

    // Only ASCII is left, and from_chars ignores the C locale, so "." is the decimal point here.
    const QByteArray ascii = fieldText.mid(numberStart).toLatin1();
    double value = 0;
    const auto [end, error] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (order + exponent > 0)
            return std::nullopt;
        value = 0;
    } else if (error != std::errc() || end != ascii.constData() + ascii.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}
