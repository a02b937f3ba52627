// The stretch ratio of a tank's chart period and where the settings store keeps it.
#pragma once

#include "core/settings/settingsstore.h"

#include <QString>

#include <array>

// mm/dd: above 1 each sample fills mm columns, below 1 every dd-th sample is kept.
struct TrendRatio
{
    int mm = 1;
    int dd = 1;
    bool operator==(const TrendRatio &) const = default;
};

// The chart's periods in the order of its list, with the ratio each one loads.
struct TrendPeriod
{
    QString text;
    TrendRatio ratio;
};
inline const std::array<TrendPeriod, 9> TrendPeriods{{
    {QStringLiteral("        8 h"), {12, 1}},
    {QStringLiteral("      12 h"), {8, 1}},
    {QStringLiteral("      16 h"), {6, 1}},
    {QStringLiteral("      24 h"), {4, 1}},
    {QStringLiteral("  2 dana"), {2, 1}},
    {QStringLiteral("  4 dana"), {1, 1}},
    {QStringLiteral("  8 dana"), {1, 2}},
    {QStringLiteral("16 dana"), {1, 4}},
    {QStringLiteral("   mesec"), {1, 7}},
}};

// Settings store key of the ratios, values "Rez" + slot + "mm" and "Rez" + slot + "dd" (slot 1..15
// in decimal: Rez5mm).
inline const QString TrendRatioKey = QStringLiteral("Interval");
QString ratioNumeratorName(int slot);
QString ratioDenominatorName(int slot);

// The slot's stored ratio; a missing value, and any value below 1, counts as 1.
TrendRatio readTrendRatio(const SettingsStore &settings, int slot);
[[nodiscard]] SettingsStatus writeTrendRatio(const SettingsStore &settings, int slot, TrendRatio ratio);
