// The report's tank groups.
#include "report/reportgroups.h"

namespace {

constexpr std::array<const char *, 4> SortModeTexts{"sifra", "vrsta", "ime", "broj"};

const QString &rowKey(const ReportRow &row, SortMode mode)
{
    switch (mode) {
    case SortMode::Vrsta:
        return row.kindKey;
    case SortMode::Ime:
        return row.nameKey;
    default:
        return row.sifraKey;
    }
}

GroupsShown groupByKey(ReportRows &rows, SortMode mode)
{
    GroupsShown shown{};
    for (ReportRow &row : rows) {
        for (const ReportRow &first : rows) {
            if (rowKey(first, mode) == rowKey(row, mode)) {
                row.group = first.position;
                break;
            }
        }
        if (row.group >= 1 && row.group <= TankCount)
            shown[row.group] = true;
    }
    return shown;
}

} // namespace

QString sortModeText(SortMode mode) { return QString::fromLatin1(SortModeTexts[static_cast<std::size_t>(mode)]); }

SortMode sortModeFromText(const QString &text)
{
    for (const SortMode mode : {SortMode::Broj, SortMode::Ime, SortMode::Vrsta})
        if (text == sortModeText(mode))
            return mode;
    return SortMode::Sifra;
}

ReportRows BuildReportRows(const TankTable &tanks)
{
    ReportRows rows;
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = tanks.slot(slot);
        rows[slot] = {tank.materialSifra, tank.materialKind, tank.materialName, slot, slot};
    }
    return rows;
}

GroupsShown AssignGroups(ReportRows &rows, SortMode mode, const OperatorGroups &stored)
{
    if (mode != SortMode::Broj)
        return groupByKey(rows, mode);
    for (int slot = 1; slot <= TankCount; ++slot)
        rows[slot].group = stored.tankGroup[slot];
    return stored.shown;
}
