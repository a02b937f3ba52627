// The groups of the report table.
#include "report/reporttable.h"

QList<ReportGroup> CollectReportGroups(const ReportRows &rows, const GroupsShown &shown,
                                       const TankQuantities &quantities)
{
    QList<ReportGroup> groups;
    for (int g = 1; g <= TankCount; ++g) {
        if (!shown[g])
            continue;
        ReportGroup group{g, {}, 0};
        for (int slot = 1; slot <= TankCount; ++slot) {
            if (rows[slot].group != g)
                continue;
            group.slots.append(slot);
            group.sum += quantities[slot].mass;
            group.complete = group.complete && quantities[slot].known;
        }
        if (!group.slots.isEmpty())
            groups.append(group);
    }
    return groups;
}

ReportContent ContentOf(QuantityReport &report, const TankTable &tanks, const OperatorGroups &stored)
{
    const GroupsShown shown = AssignGroups(report.rows, report.mode, stored);
    return {tanks,
            report.quantities,
            report.stock,
            CollectReportGroups(report.rows, shown, report.quantities),
            report.stockView,
            report.moment};
}

void ChangeSortMode(QuantityReport &report, SortMode mode)
{
    if (mode != report.mode)
        report.stock = {};
    report.mode = mode;
}

void forgetUnknownTanks(const ChartRecordsRead &read, TankQuantities &quantities)
{
    for (int slot = 1; slot <= TankCount; ++slot)
        quantities[slot].known = read.knows(slot);
}
