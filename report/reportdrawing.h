// The report table drawn on a canvas: the 800 x 1180 picture of the window and, scaled, the
// printed page.
#pragma once

#include "report/reportcolumns.h"
#include "report/reporttable.h"

#include <QImage>
#include <QList>
#include <QLocale>

#include <array>

class Canvas;

// Where the table lies, in the pixels of the picture or page it is drawn on.
struct TableGeometry
{
    std::array<int, TableColumnCount + 1> columns;         // the vertical lines of the table's columns
    std::array<int, StockColumns.size() + 1> stockColumns; // and of the stock columns
    int insetX = 0;                                        // a text's distance from its cell's left line
    int insetY = 0;                                        // and from its top line
    int rowHeight = 0;
    int firstRow = 0; // top of the first group's header row
    int fontSize = 0; // Arial, points
};

// The window's picture: 800 x 1180 pixels.
inline constexpr int ReportPictureWidth = 800;
inline constexpr int ReportPictureHeight = 1180;
inline constexpr TableGeometry ScreenTable{ColumnLines(TableColumns, &ReportColumn::screenLine, TableRightLine),
                                           ColumnLines(StockColumns, &ReportColumn::screenLine, StockRightLine),
                                           10,
                                           1,
                                           16,
                                           20,
                                           8};

// The row of a group's stock cells: the top of its last row (its "Zbir" row or its only tank).
struct StockRow
{
    int group = 0;
    int y = 0;
};

// Where the table ended: the top of the last row drawn (the first row when nothing was drawn) and,
// in the stock view, the stock row of every group.
struct TableExtent
{
    int lastRow = 0;
    QList<StockRow> stockRows;
};

// Draws the groups one under another, an empty row between two groups: a header row, a row per
// tank, a "Zbir" row for a group of more than one tank, and in the stock view the stock header
// cells on the row above the stock row and the value cells on it. Masses are "%.1f t" in the locale.
TableExtent DrawReportTable(Canvas &canvas, const TableGeometry &geometry, const ReportContent &content,
                            const QLocale &locale);

// "Izvestaj za : 05. 12. 2026.    09 : 05", or "Izvestaj za : nema podataka" before any computation.
QString ScreenTitle(const std::optional<ReportMoment> &moment);
inline constexpr int ScreenTitleTop = 2; // above the first row, at the table's left line

// The window's picture: sized 800 x 1180, filled white, the screen title and the table of
// ScreenTable drawn on it.
TableExtent RenderReport(QImage &picture, const ReportContent &content, const QLocale &locale);
