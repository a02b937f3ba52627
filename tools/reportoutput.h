// skladar-report's texts: the report table as CSV and as a plain-text table.
#pragma once

#include "report/reportmoment.h"
#include "report/reporttable.h"

#include <QString>

class Tw;

// Comma-separated with "." decimals: the header group,tank,kind,sifra,level_m,temperature_c,
// volume_m3,mass_t (with ,stock_t,difference_t in the stock view), one line per tank in the table's
// order with 3 decimals, and after each group of more than one tank "G,Zbir,,,,,,SUM". In the stock
// view the group's last line carries its stock and the difference; the other lines leave them empty.
QString reportCsv(const ReportContent &content);

// The title of the printout, then each group as the screen shows it: a header line, a line per
// tank, "Zbir" for a group of more than one tank and, in the stock view, "Stanje" and "Razlika" on
// the group's last line; masses as "%.1f t" in w's locale, an empty line between groups.
QString reportText(const ReportContent &content, const ReportMoment &moment, const Tw &w);
