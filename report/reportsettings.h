// The report's values in the settings store, under the key Izvestaj\.
#pragma once

#include "core/settings/settingsstore.h"
#include "report/reportgroups.h"

struct QuantityReport;
// The group panel stored `after` over `before`: in the tank-number grouping, tanks that moved make a
// new grouping, and the stock figures typed for the old one are cleared.
void ChangeOperatorGroups(QuantityReport &report, const OperatorGroups &before, const OperatorGroups &after);

// Written when the report window is created: R<tank>Group = 1 for all fifteen tanks.
[[nodiscard]] SettingsStatus WriteStartingGroups(const SettingsStore &store);

// Grouped as a mode; an absent or unknown text gives SortMode::Sifra.
SortMode ReadSortMode(const SettingsStore &store);
[[nodiscard]] SettingsStatus WriteSortMode(const SettingsStore &store, SortMode mode);

// R<tank>Group of every tank and G<n>Show of every group, read afresh.
OperatorGroups ReadOperatorGroups(const SettingsStore &store);
// What AssignGroups needs in `mode`: in the tank-number mode the stored groups, read afresh at
// every drawing; nothing in the other modes.
OperatorGroups GroupsToAssign(const SettingsStore &store, SortMode mode);

// Unticks every group that no tank now belongs to, then writes every tank's group and every
// group's flag. `groups` keeps the flags as stored. The first failure is returned; the writes
// after it are still tried.
[[nodiscard]] SettingsStatus StoreOperatorGroups(const SettingsStore &store, OperatorGroups &groups);
