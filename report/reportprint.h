// The printed page of the report: the screen's table stretched onto one portrait page, with a title
// naming the report's moment and a footer with the date and time of printing.
#pragma once

#include "report/reportdrawing.h"
#include "report/reportmoment.h"

#include <QDateTime>
#include <QString>

class QPaintDevice;

// The table's positions on a page of width x height pixels: an 800 x 1180 grid scaled to it, with
// every value rounded to the nearest pixel, halves to even. The first column is wider than on the
// screen (its line at 150, not 120), rows are 20 high and the first one starts at 100.
TableGeometry PrintedTable(int width, int height);

// "Izvestaj o kolicini sirovina u skladarma za : 05. 12. 2026.    09 : 05"
QString PrintTitle(const ReportMoment &moment);
// The customer's fixed 59 characters, then the date and time of printing.
QString PrintFooter(const QDateTime &printedAt);

// Fills the whole device white and draws the title, the table (masses in the locale) and, 50 grid
// units below the last row (the first row when no group is drawn), the footer, all in Arial 10 on
// one page. False when the device could not be painted on (a printer that failed to start its job).
bool PrintReport(QPaintDevice &page, const ReportContent &content, const ReportMoment &moment,
                 const QDateTime &printedAt, const QLocale &locale);
