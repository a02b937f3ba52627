// Format patterns with one floating-point argument: each conversion, width, locale and malformed text.
#include "core/valueformat.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct FormatCase
{
    const char *name;
    const char *pattern; // UTF-8
    double value;
    const char *expected;
};

void PrintTo(const FormatCase &c, std::ostream *out)
{
    *out << c.name;
}

class FormatValueTest : public testing::TestWithParam<FormatCase>
{
};

TEST_P(FormatValueTest, InTheCLocale)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(formatValue(QString::fromUtf8(c.pattern), c.value, QLocale::c()), QString::fromUtf8(c.expected));
}

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatValueTest,
    testing::Values(FormatCase{"OneDecimal", "%.1f", 12.34, "12.3"},
                    FormatCase{"WidthAndUnit", "%5.2f m", 3.14159, " 3.14 m"},
                    FormatCase{"LeftJustified", "%-6.1f|", 3.14, "3.1   |"},
                    FormatCase{"DegreesNoDecimals", "%.0f \u00B0C", 21.6, "22 \u00B0C"},
                    FormatCase{"DefaultTwoDecimals", "%f", -0.125001, "-0.13"},
                    FormatCase{"UpperCaseType", "%.3F", 1, "1.000"},
                    FormatCase{"WidthSmallerThanText", "%2.1f", 1234.5, "1234.5"},
                    FormatCase{"DecimalsCappedAt18", "%.40f", 0.5, "0.500000000000000000"},
                    FormatCase{"ScientificDefault", "%e", 1234.5, "1.23450000000000E+003"},
                    FormatCase{"ScientificNegativeExponent", "%.3e", -0.00012345, "-1.23E-004"},
                    FormatCase{"ScientificOneDigit", "%.0e", 1.5, "2E+000"},
                    FormatCase{"GeneralFixed", "%g", 0.5, "0.5"},
                    FormatCase{"GeneralLarge", "%g", 1e20, "1E20"},
                    FormatCase{"GeneralTiny", "%g", 0.000001, "1E-6"},
                    FormatCase{"GeneralSmallestFixed", "%g", 0.00001, "0.00001"},
                    FormatCase{"GeneralIntegerDigitsBeyondPrecision", "%.3g", 1234, "1.23E3"},
                    FormatCase{"GeneralRoundsUpAnExponent", "%.3g", 999.9, "1E3"},
                    FormatCase{"GeneralZero", "%g", 0, "0"},
                    FormatCase{"Number", "%n", 1234567.891, "1,234,567.89"},
                    FormatCase{"NumberNegativeThreeDigits", "%.0n", -999, "-999"},
                    FormatCase{"WholeNumber", "%d", 7.6, "8"},
                    FormatCase{"WholeNumberMinimumDigits", "%.3d", -7, "-007"},
                    FormatCase{"Percent", "%.0f%%", 42, "42%"},
                    FormatCase{"NotANumber", "%6.1f", NaN, "   NAN"},
                    FormatCase{"MinusInfinity", "%e", -Infinity, "-INF"},
                    FormatCase{"NoConversion", "level", 1, "level"},
                    FormatCase{"TrailingPercent", "100%", 1, "100%"},
                    FormatCase{"UnknownType", "%5q %s", 1, "%5q %s"},
                    FormatCase{"WidthWithoutType", "%5", 1, "%5"},
                    FormatCase{"ArgumentIndex", "%0:f", 1, "%0:f"},
                    FormatCase{"StarWidth", "%*.1f", 1, "%*.1f"},
                    FormatCase{"HugeWidth", "%99999999999f", 1, "%99999999999f"},
                    FormatCase{"HugePrecision", "%.256f", 1, "%.256f"},
                    FormatCase{"OnlyOneArgument", "%.1f / %.1f", 2, "2.0 / %.1f"},
                    FormatCase{"MalformedThenValid", "%q%.1f", 2, "%q2.0"}),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

TEST(FormatValue, UsesTheLocaleSeparators)
{
    const QLocale german(QLocale::German);
    EXPECT_EQ(formatValue(QStringLiteral("%.2f"), 3.14159, german), QStringLiteral("3,14"));
    EXPECT_EQ(formatValue(QStringLiteral("%n t"), 1234.5, german), QStringLiteral("1.234,50 t"));
    EXPECT_EQ(formatValue(QStringLiteral("%.2e"), 1234.5, german), QStringLiteral("1,2E+003"));
}

} // namespace
