// What the report table shows: the tanks' quantities, the stock figures and the shown groups with
// their tanks and sums, shared by the screen, the printed page and skladar-report.
#pragma once

#include "core/history/chartrecordfile.h"
#include "report/reportgroups.h"
#include "report/reportmoment.h"

#include <QList>

#include <array>
#include <optional>

// One tank's quantities at the report's moment, in extended precision.
struct TankQuantity
{
    long double level = 0;       // m
    long double temperature = 0; // degrees Celsius
    long double mass = 0;        // t
    long double volume = 0;      // m3
    // False for a tank past the end of a short "Report.rez": without its channels its quantities
    // are unknown, and the report leaves them empty.
    bool known = true;

    bool operator==(const TankQuantity &) const = default;
};

using TankQuantities = SlotArray<TankQuantity>;
// The stock figure ("Stanje", t) typed for each group.
using GroupStock = GroupArray<long double>;

// A shown group with its tanks in slot order and the sum of their masses.
struct ReportGroup
{
    int group = 0;    // 1..15
    QList<int> slots; // never empty
    long double sum = 0;
    bool complete = true; // every tank's mass known: only then are the sum and its difference shown

    // Only groups of more than one tank get a "Zbir" row.
    bool hasSumRow() const { return slots.size() > 1; }
};

// The shown groups in the order 1..15, each with the rows whose group it is; a shown group that no
// row belongs to is left out.
QList<ReportGroup> CollectReportGroups(const ReportRows &rows, const GroupsShown &shown,
                                       const TankQuantities &quantities);

// Marks the quantities of the slots whose chart records were not read as unknown.
void forgetUnknownTanks(const ChartRecordsRead &read, TankQuantities &quantities);

// The report's state for the whole run; nothing of it is saved.
struct QuantityReport
{
    TankQuantities quantities{};
    std::optional<ReportMoment> moment; // none until a computation succeeds
    GroupStock stock{};
    ReportRows rows{}; // built at the first showing
    SortMode mode = SortMode::Sifra;
    bool stockView = false;
};

// What one drawing of the table shows; the references must outlive the drawing.
struct ReportContent
{
    const TankTable &tanks; // the columns show the tanks' current texts
    const TankQuantities &quantities;
    const GroupStock &stock;
    QList<ReportGroup> groups;
    bool stockView = false;                            // the "Stanje" and "Razlika" cells beside each group
    std::optional<ReportMoment> moment = std::nullopt; // the quantities' moment, named above the table
};

// Stock figures belong to the groups they were typed for: a change of the grouping clears them.
void ChangeSortMode(QuantityReport &report, SortMode mode);

// Runs AssignGroups on the report's rows with the stored groups and collects the shown groups.
ReportContent ContentOf(QuantityReport &report, const TankTable &tanks, const OperatorGroups &stored);
