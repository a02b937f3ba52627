// The printouts of the tank, material and user lists: ruled tables on any page size.
#pragma once

#include "config/editors/materialsheet.h"
#include "config/printouts/printout.h"
#include "config/editors/tanksheet.h"
#include "core/exchange/serverrecords.h"

#include <QList>

#include <array>

class Clock;

// Page limits of the print command.
inline constexpr int MaterialsPerPrintedPage = 32;
inline constexpr int UsersPerPrintedPage = 5;
inline constexpr int MaterialPageLimit = 3;
inline constexpr int UserPageLimit = 20;

// The tank parameters as the editor's grid shows them (rows 1..15): one landscape page.
Printout tankListPrintout(const SlotArray<TankGridRow> &rows, const Clock &clock);

// The materials as the editor's grid shows them, 32 to a portrait page, at least one page (without
// rows when the list is empty), at most 3.
Printout materialListPrintout(const QList<MaterialGridRow> &rows, const Clock &clock);

// The users with their passwords and rights, 5 to a portrait page, at most 20 pages. An empty list
// prints one page with the ruling, the tank header and the right names only. A right is marked
// when its flag is 1; the name is printed up to its first NUL byte.
Printout userListPrintout(const QList<UserWire> &users, const Clock &clock);
