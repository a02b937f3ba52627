// Typed numbers, the warnings each field shows and the value it yields; display text of numbers, days
// and months.
#include "core/services/tw.h"
#include "core/text/numberformat.h"

#include "tests/support/fixedclock.h"
#include "tests/support/namedcases.h"
#include "tests/support/recordingdialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

namespace {

template <typename Value>
struct NumberCase
{
    const char *name;
    const char *text;
    int warnings; // message boxes, one per offending character
    Value value;
};

using IntegerCase = NumberCase<qint32>;
using FloatCase = NumberCase<double>;

class TypedNumberTest : public testing::Test
{
protected:
    // The warnings a field shows, all alike.
    static QList<RecordingDialogs::Call> warnings(int count, const char *caption)
    {
        return QList<RecordingDialogs::Call>(count, {RecordingDialogs::Kind::Message,
                                                     QStringLiteral("Neispravno unesen broj"), QLatin1String(caption)});
    }

    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("settings.reg"))};
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(12, 0))};
    Tw w{store, dialogs, clock, QLocale::c()};
};

class ParseIntegerTest : public TypedNumberTest, public testing::WithParamInterface<IntegerCase>
{};

class ParseFloatTest : public TypedNumberTest, public testing::WithParamInterface<FloatCase>
{};

} // namespace

TEST_P(ParseIntegerTest, WarnsPerCharacterAndConverts)
{
    const IntegerCase &c = GetParam();
    EXPECT_EQ(w.ParseInteger(QString::fromLatin1(c.text)), c.value);
    EXPECT_EQ(dialogs.calls, warnings(c.warnings, "Integer error"));
}

constexpr qint32 IntMax = std::numeric_limits<qint32>::max();
constexpr qint32 IntMin = std::numeric_limits<qint32>::min();

INSTANTIATE_TEST_SUITE_P(Cases, ParseIntegerTest, testing::Values(
    IntegerCase{"Empty", "", 0, 0}, IntegerCase{"LoneMinus", "-", 0, 0}, IntegerCase{"MinusInside", "1-2", 0, 0},
    IntegerCase{"PlusFive", "+5", 1, 5}, IntegerCase{"BlankFive", " 5", 1, 5}, IntegerCase{"TrailingBlank", "5 ", 1, 0},
    IntegerCase{"TabIsNoBlank", "\t5", 1, 0}, IntegerCase{"ThreeBadCharacters", "a1b2c", 3, 0},
    IntegerCase{"Max", "2147483647", 0, IntMax}, IntegerCase{"MaxPlusOne", "2147483648", 0, 0},
    IntegerCase{"Min", "-2147483648", 0, IntMin}, IntegerCase{"MinMinusOne", "-2147483649", 0, 0},
    IntegerCase{"DollarHex", "$FF", 3, 255}, IntegerCase{"ZeroXHex", "0x1a", 2, 26}, IntegerCase{"NegativeHex", "-$10", 1, -16},
    IntegerCase{"HexAllOnesIsMinusOne", "$FFFFFFFF", 9, -1}, IntegerCase{"HexNineDigits", "$100000000", 1, 0},
    IntegerCase{"LonePrefix", "$", 1, 0}, IntegerCase{"HexBadDigit", "$1G", 2, 0}),
    caseName<IntegerCase>);

TEST_P(ParseFloatTest, WarnsPerCharacterAndConverts)
{
    const FloatCase &c = GetParam();
    EXPECT_DOUBLE_EQ(w.ParseFloat(QString::fromLatin1(c.text)), c.value);
    EXPECT_EQ(dialogs.calls, warnings(c.warnings, "Float error"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseFloatTest, testing::Values(
    FloatCase{"Empty", "", 0, 0}, FloatCase{"CommaIsDecimalPoint", "12,5", 0, 12.5}, FloatCase{"Negative", "-0.5", 0, -0.5},
    FloatCase{"TrailingPoint", "5.", 0, 5}, FloatCase{"LeadingPoint", ".5", 0, 0.5}, FloatCase{"LonePoint", ".", 0, 0},
    FloatCase{"TwoPoints", "1.2.3", 0, 0}, FloatCase{"NegativeExponent", "1e-2", 1, 0.01}, FloatCase{"SignedExponent", "2E+2", 2, 200},
    FloatCase{"ExponentWithoutDigits", "1e", 1, 0}, FloatCase{"BlankThenNumber", " 3.25", 1, 3.25}, FloatCase{"Plus", "+2", 1, 2},
    FloatCase{"TrailingBlank", "2 ", 1, 0}, FloatCase{"Overflow", "1e400", 1, 0}, FloatCase{"Underflow", "1e-400", 1, 0},
    FloatCase{"LargestDouble", "1.7976931348623157e308", 1, std::numeric_limits<double>::max()}), caseName<FloatCase>);

TEST_F(TypedNumberTest, TinyValuesWithoutExponentUnderflowToZero)
{
    EXPECT_EQ(w.ParseFloat(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST(FormatFixed, RoundsWithoutGroupingAndNegativeDigitsCountAsZero)
{
    const struct { double value; int digits; const char *text; } cases[] = {
        {1234567.891, 2, "1234567.89"}, {-0.26, 1, "-0.3"}, {7.6, 0, "8"}, {7.6, -2, "8"}};
    for (const auto &c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.digits, QLocale::c()), QLatin1String(c.text)) << c.text;
    EXPECT_EQ(FormatFixed(1234567.891, 2, QLocale(QLocale::German)), QStringLiteral("1234567,89"));
}

TEST_F(TypedNumberTest, WhatFormatFixedShowsParsesBackUnchangedAndSilently)
{
    for (const QLocale &locale : {QLocale(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia), QLocale::c()}) {
        const Tw local(store, dialogs, clock, locale);
        for (const double mass : {-0.1, 98765.4}) {
            const QString shown = local.FormatFixed(mass, 1);
            EXPECT_DOUBLE_EQ(local.ParseFloat(shown), mass) << shown.toStdString();
        }
    }
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST(DayAndMonthNames, PadsOnlySingleDigitsAndOutsideNumbersFallBack)
{
    EXPECT_EQ(TwoDigits(7) + TwoDigits(12) + TwoDigits(123), QStringLiteral("0712123"));
    const QDate wednesday(2026, 12, 9);
    EXPECT_EQ(DayName(1, wednesday) + DayName(7, wednesday), QStringLiteral("NedeljaSubota"));
    for (const int outside : {0, 8, -1})
        EXPECT_EQ(DayName(outside, wednesday), QStringLiteral("Sreda")) << outside;
    EXPECT_EQ(DayName(0, QDate(2026, 12, 6)), QStringLiteral("Nedelja"));
    QString text = QStringLiteral("before");
    for (const int outside : {0, 13})
        MonthName(outside, text);
    EXPECT_EQ(text, QStringLiteral("before"));
    MonthName(12, text);
    EXPECT_EQ(text, QStringLiteral("Decembar"));
}
