// Display text of numbers, days and months.
#include "core/numberformat.h"
#include "core/tw.h"

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
    EXPECT_EQ(TwoDigits(0), QStringLiteral("00"));
    EXPECT_EQ(TwoDigits(7), QStringLiteral("07"));
    EXPECT_EQ(TwoDigits(12), QStringLiteral("12"));
    EXPECT_EQ(TwoDigits(123), QStringLiteral("123"));
    EXPECT_EQ(TwoDigits(2026), QStringLiteral("2026"));
    EXPECT_EQ(TwoDigits(65535), QStringLiteral("65535"));
}

TEST(DayName, CountsFromSundayAndFallsBackToToday)
{
    const FixedClock wednesday(QDateTime(QDate(2026, 12, 9), QTime(23, 59)));
    EXPECT_EQ(DayName(1, wednesday), QStringLiteral("Nedelja"));
    EXPECT_EQ(DayName(2, wednesday), QStringLiteral("Ponedeljak"));
    EXPECT_EQ(DayName(5, wednesday), QStringLiteral("Cetvrtak"));
    EXPECT_EQ(DayName(7, wednesday), QStringLiteral("Subota"));
    for (const int outside : {0, 8, -1, 1000})
        EXPECT_EQ(DayName(outside, wednesday), QStringLiteral("Sreda")) << outside;
    EXPECT_EQ(DayName(0, FixedClock(QDateTime(QDate(2026, 12, 6), QTime(0, 0)))), QStringLiteral("Nedelja"));
    EXPECT_EQ(DayName(8, FixedClock(QDateTime(QDate(2026, 12, 12), QTime(0, 0)))), QStringLiteral("Subota"));
}

TEST(MonthName, NamesTwelveMonthsAndLeavesOtherNumbersAlone)
{
    QString text = QStringLiteral("before");
    MonthName(13, text);
    EXPECT_EQ(text, QStringLiteral("before"));
    MonthName(0, text);
    EXPECT_EQ(text, QStringLiteral("before"));
    MonthName(1, text);
    EXPECT_EQ(text, QStringLiteral("Januar"));
    MonthName(8, text);
    EXPECT_EQ(text, QStringLiteral("Avgust"));
    MonthName(12, text);
    EXPECT_EQ(text, QStringLiteral("Decembar"));
}
