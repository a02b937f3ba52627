// skladar-report's texts: the report table as CSV and as a plain-text table.
#pragma once

#include "report/reportmoment.h"
#include "report/reporttable.h"

#include <QLocale>
#include <QString>

#include <array>

// Whether group G (1 to 15) was given a stock figure.
using StockGiven = GroupArray<bool>;

// Comma-separated with "." decimals: the header "group", the CSV names of ReportColumns (then of
// StockColumns in the stock view) and "data_time"; one line per tank in the table's order with 3
// decimals, and after each group, also of one tank, its Zbir line: "G,Zbir" and SUM in the mass column.
// SUM is the sum of the exact masses rounded once, so it may differ by 0.001 from the sum of the
// rounded lines. In the stock view only the Zbir line carries the stock and the difference, and
// only for a group that was given a figure. data_time is the moment the data belong to,
// "YYYY-MM-DD HH:MM", on every line.
QString reportCsv(const ReportContent &content, const StockGiven &given, const ReportMoment &dataMoment);

// The title of the printout for the moment the data belong to, then each group as the screen
// shows it, in the columns' text widths: a header line, a line per tank, "Zbir" for a group of more than one tank and, in the
// stock view, "Stanje" and "Razlika" on the group's last line (empty for a group without a
// figure); masses as "%.1f t" in the locale, an empty line between groups.
QString reportText(const ReportContent &content, const StockGiven &given, const ReportMoment &dataMoment,
                   const QLocale &locale);
