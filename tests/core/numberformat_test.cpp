// Display text of numbers, days and months.
#include "core/text/numberformat.h"
#include "core/services/tw.h"

#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FormatFixed, UsesTheLocaleCommaWithoutGrouping)
{
    const QLocale german(QLocale::German);
    EXPECT_EQ(FormatFixed(123.4, 1, german), QStringLiteral("123,4"));
    EXPECT_EQ(FormatFixed(1234567.891, 2, german), QStringLiteral("1234567,89"));
    EXPECT_EQ(FormatFixed(1234567.891, 2, QLocale::c()), QStringLiteral("1234567.89"));
    EXPECT_EQ(FormatFixed(-0.26, 1, QLocale::c()), QStringLiteral("-0.3"));
    EXPECT_EQ(FormatFixed(10.375, 3, QLocale::c()), QStringLiteral("10.375"));
    EXPECT_EQ(FormatFixed(7.6, 0, QLocale::c()), QStringLiteral("8"));
    EXPECT_EQ(FormatFixed(7.6, -2, QLocale::c()), QStringLiteral("8"));
}

TEST(FormatFixed, WhatItShowsParsesBackUnchangedAndSilently)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("settings.reg")));
    RecordingDialogs dialogs;
    const FixedClock clock(QDateTime(QDate(2026, 12, 6), QTime(8, 0)));
    for (const QLocale &locale : {QLocale(QLocale::German), QLocale(QLocale::Serbian, QLocale::LatinScript, QLocale::Serbia),
                                  QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        const Tw w(store, dialogs, clock, locale);
        for (const double mass : {123.4, -0.1, 0.0, 98765.4}) {
            const QString shown = w.FormatFixed(mass, 1);
            EXPECT_DOUBLE_EQ(w.ParseFloat(shown), mass) << shown.toStdString();
        }
    }
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST(TwoDigits, PadsOnlySingleDigits)
{
    const std::pair<quint16, const char *> cases[] = {{0, "00"}, {7, "07"}, {12, "12"}, {123, "123"}, {2026, "2026"}};
    for (const auto &[value, text] : cases)
        EXPECT_EQ(TwoDigits(value), QLatin1String(text));
}

TEST(DayName, CountsFromSundayAndFallsBackToToday)
{
    const FixedClock wednesday(QDateTime(QDate(2026, 12, 9), QTime(23, 59)));
    EXPECT_EQ(DayName(1, wednesday), QStringLiteral("Nedelja"));
    EXPECT_EQ(DayName(7, wednesday), QStringLiteral("Subota"));
    for (const int outside : {0, 8, -1, 1000})
        EXPECT_EQ(DayName(outside, wednesday), QStringLiteral("Sreda")) << outside;
    EXPECT_EQ(DayName(0, FixedClock(QDateTime(QDate(2026, 12, 6), QTime(0, 0)))), QStringLiteral("Nedelja"));
    EXPECT_EQ(DayName(8, FixedClock(QDateTime(QDate(2026, 12, 12), QTime(0, 0)))), QStringLiteral("Subota"));
}

TEST(MonthName, NamesTwelveMonthsAndLeavesOtherNumbersAlone)
{
    QString text = QStringLiteral("before");
    for (const int outside : {0, 13, -1})
        MonthName(outside, text);
    EXPECT_EQ(text, QStringLiteral("before"));
    const std::pair<int, const char *> cases[] = {{1, "Januar"}, {8, "Avgust"}, {12, "Decembar"}};
    for (const auto &[n, name] : cases) {
        MonthName(n, text);
        EXPECT_EQ(text, QLatin1String(name));
    }
}
