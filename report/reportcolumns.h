// The report's columns, described once for the window's picture, the printed page, the text table
// and the CSV of skladar-report.
#pragma once

#include "report/reporttable.h"

#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

enum class ColumnAlign { Left, Right };

// A column shows either a text of the tank's record or one of its quantities. The table's columns
// (those with a header) stand side by side on the 800-wide grid of the picture and of the page;
// the text table gives each its width in characters.
struct ReportColumn
{
    const char *header = nullptr; // on the screen, the page and in the text table; nullptr: only in the CSV
    const char *csvName = nullptr;
    QString TankRecord::*text = nullptr;
    long double TankQuantity::*quantity = nullptr; // 3 decimals in the CSV
    const char *unit = "";                         // UTF-8, after the quantity's one decimal in the table
    int screenLine = 0;                            // the column's left line on the window's picture
    int pageLine = 0;                              // and on the page's grid
    int textWidth = 0;
    ColumnAlign align = ColumnAlign::Left;
    bool trimmedInCsv = false; // the text without its leading and trailing blanks
};

// The tank columns in their order. A group's "Zbir" stands in the first column and its sum in the
// mass column.
inline constexpr std::array ReportColumns{
    ReportColumn{.header = "Rezervoar",
                 .csvName = "tank",
                 .text = &TankRecord::name,
                 .screenLine = 50,
                 .pageLine = 50,
                 .textWidth = 12},
    ReportColumn{.header = "Vrsta materijala",
                 .csvName = "kind",
                 .text = &TankRecord::materialKind,
                 .screenLine = 120,
                 .pageLine = 150,
                 .textWidth = 32},
    ReportColumn{.header = "Sifra",
                 .csvName = "sifra",
                 .text = &TankRecord::materialSifra,
                 .screenLine = 350,
                 .pageLine = 350,
                 .textWidth = 12,
                 .trimmedInCsv = true},
    ReportColumn{.csvName = "level_m", .quantity = &TankQuantity::level},
    ReportColumn{.csvName = "temperature_c", .quantity = &TankQuantity::temperature},
    ReportColumn{.csvName = "volume_m3", .quantity = &TankQuantity::volume},
    ReportColumn{.header = "Masa",
                 .csvName = "mass_t",
                 .quantity = &TankQuantity::mass,
                 .unit = " t",
                 .screenLine = 420,
                 .pageLine = 420,
                 .textWidth = 12,
                 .align = ColumnAlign::Right},
};
// The table's right line, on the picture and on the page's grid.
inline constexpr int TableRightLine = 500;

// The stock view's two columns beside each group: the figure typed and the group's sum less it.
inline constexpr std::array StockColumns{
    ReportColumn{.header = "Stanje",
                 .csvName = "stock_t",
                 .unit = " t",
                 .screenLine = 540,
                 .pageLine = 540,
                 .textWidth = 12,
                 .align = ColumnAlign::Right},
    ReportColumn{.header = "Razlika",
                 .csvName = "difference_t",
                 .unit = " t",
                 .screenLine = 620,
                 .pageLine = 620,
                 .textWidth = 12,
                 .align = ColumnAlign::Right},
};
inline constexpr int StockRightLine = 700;

inline constexpr std::size_t TableColumnCount = static_cast<std::size_t>(
    std::ranges::count_if(ReportColumns, [](const ReportColumn &c) { return c.header != nullptr; }));

// The table's columns in their order.
inline constexpr std::array<ReportColumn, TableColumnCount> TableColumns = [] {
    std::array<ReportColumn, TableColumnCount> columns{};
    std::ranges::copy_if(ReportColumns, columns.begin(), [](const ReportColumn &c) { return c.header != nullptr; });
    return columns;
}();

// The vertical lines of `columns` by `line` (screenLine or pageLine), then the right one.
template <std::size_t N>
constexpr std::array<int, N + 1> ColumnLines(const std::array<ReportColumn, N> &columns, int ReportColumn::*line,
                                             int right)
{
    std::array<int, N + 1> lines{};
    std::ranges::transform(columns, lines.begin(), [line](const ReportColumn &c) { return c.*line; });
    lines[N] = right;
    return lines;
}

// Whether the column holds a group's sum on its "Zbir" row; "Zbir" itself stands in the first column.
constexpr bool HoldsSum(const ReportColumn &column) { return column.quantity == &TankQuantity::mass; }
inline const QString SumRowName = QStringLiteral("Zbir");

QString HeaderText(const ReportColumn &column);
// A quantity as the table writes it: one decimal in the locale, then the column's unit.
QString QuantityText(const ReportColumn &column, long double value, const QLocale &locale);
// The column's text for a tank in the table: its record's text, or its quantity.
QString TableCell(const ReportColumn &column, const TankRecord &tank, const TankQuantity &quantity,
                  const QLocale &locale);
// The texts of a group's "Zbir" row in the table's columns; the sum's cell stays empty without one.
std::array<QString, TableColumnCount> SumRow(std::optional<long double> sum, const QLocale &locale);
