// Format patterns with one floating-point argument: each conversion, width, locale and malformed text.
#include "core/plantmap/valueformat.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(FormatValue, ConversionsWidthsAndMalformedPatterns)
{
    const struct { const char *pattern; double value; const char *expected; } cases[] = { // patterns in UTF-8
        {"%5.2f m", 3.14159, " 3.14 m"}, {"%-6.1f|", 3.14, "3.1   |"}, {"%.0f \u00B0C", 21.6, "22 \u00B0C"},
        {"%f", -0.125001, "-0.13"}, {"%.3F", 1, "1.000"}, {"%.40f", 0.5, "0.500000000000000000"},
        {"%e", 1234.5, "1.23450000000000E+003"}, {"%.3e", -0.00012345, "-1.23E-004"}, {"%.0e", 1.5, "2E+000"},
        {"%g", 1e20, "1E20"}, {"%g", 0.000001, "1E-6"}, {"%g", 0.00001, "0.00001"}, {"%.3g", 999.9, "1E3"}, {"%g", 0, "0"},
        {"%n", 1234567.891, "1,234,567.89"}, {"%d", 7.6, "8"}, {"%.3d", -7, "-007"}, {"%.0f%%", 42, "42%"},
        {"%6.1f", std::numeric_limits<double>::quiet_NaN(), "   NAN"}, {"%e", -std::numeric_limits<double>::infinity(), "-INF"},
        {"100%", 1, "100%"}, {"%5q %s", 1, "%5q %s"}, {"%5", 1, "%5"}, {"%0:f %*.1f", 1, "%0:f %*.1f"}, {"%256f %.256f", 1, "%256f %.256f"}, {"%.1f / %.1f", 2, "2.0 / %.1f"}, {"%q%.1f", 2, "%q2.0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatValue(QString::fromUtf8(c.pattern), c.value, QLocale::c()), QString::fromUtf8(c.expected))
            << c.pattern;
}

TEST(FormatValue, UsesTheLocaleSeparators)
{
    const QLocale german(QLocale::German);
    EXPECT_EQ(formatValue(QStringLiteral("%n t | %.2e"), 1234.5, german), QStringLiteral("1.234,50 t | %.2e"));
    EXPECT_EQ(formatValue(QStringLiteral("%.2e"), 1234.5, german), QStringLiteral("1,2E+003"));
}

} // namespace
