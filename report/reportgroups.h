// The report's tank groups: the sort mode, the table of grouping keys built at the first showing and
// the rule that gives every tank its group and every group its "shown" flag.
#pragma once

#include "core/plant/plantmodel.h"

#include <QString>

// How the report forms its groups; stored in Izvestaj\Grouped by its text.
enum class SortMode { Sifra = 0, Vrsta = 1, Ime = 2, Broj = 3 };

// "sifra", "vrsta", "ime" or "broj".
QString sortModeText(SortMode mode);
// "broj" gives Broj, "ime" Ime, "vrsta" Vrsta, anything else (also an empty text) Sifra.
SortMode sortModeFromText(const QString &text);

// One tank of the grouping table. The key texts are taken once, at the report's first showing.
struct ReportRow
{
    QString sifraKey;
    QString kindKey;
    QString nameKey;
    int position = 0; // the tank's slot, 1..15; 0 until the table is built
    int group = 0;    // the tank's current group, 1..15 when drawn; 0 or above 15 means none
};

using ReportRows = SlotArray<ReportRow>;
// Values per group 1..15, indexed by the group itself: there are as many groups as slots.
template <typename T> using GroupArray = SlotArray<T>;
using GroupsShown = GroupArray<bool>;

// The operator-defined groups as the group panel edits them and the settings keep them.
struct OperatorGroups
{
    SlotArray<int> tankGroup{};             // by slot: R<tank>Group, 0 when absent
    GroupsShown shown{};                    // by group: G<n>Show is "true"
};

// The table in slot order from the tanks' material code, kind and name; every group = its position.
ReportRows BuildReportRows(const TankTable &tanks);

// Gives every row its group and returns the shown flag of every group 1..15.
// Sifra, Vrsta, Ime: the position of the first row whose key equals the row's own (exact,
// case-sensitive); a group is shown when a row has it. Broj: the rows' groups and the flags are
// those of `stored`, which the other modes ignore.
GroupsShown AssignGroups(ReportRows &rows, SortMode mode, const OperatorGroups &stored);
