// The tank editor's working copy and its loading and saving over the server exchange.
#pragma once

#include "config/editors/editorfaults.h"
#include "core/exchange/serverrecords.h"
#include "core/plant/plantmodel.h"

#include <QList>
#include <QString>

#include <array>
#include <bitset>
#include <optional>

class ServerExchange;
class QLocale;

// The grid's columns: "No", "Rezervoar", the seven geometry values, "Materijal".
inline constexpr int TankGridColumns = 10;
inline constexpr int FirstGeometryColumn = 2;
inline constexpr int TankMaterialColumn = 9;
using TankGridRow = std::array<QString, TankGridColumns>;

// Row 0 of the grid.
const TankGridRow &tankGridHeader();

// Columns 2 to 8: the values typed into the grid.
bool isTankGeometryColumn(int column);

struct TankSheet
{
    QList<MaterialRecord> materials;                 // the chooser's materials, in list order
    SlotArray<TankParamsWire> tanks{};               // as the server held them at the load or the last save,
                                                     // with the materials chosen since
    SlotArray<TankGridRow> rows{};                   // grid rows 1..15 as shown
    SlotArray<std::bitset<TankGridColumns>> typed{}; // cells typed since the load or save
    bool loaded = false;                             // every read succeeded: the sheet may be saved
    bool saved = true;                               // nothing chosen or typed since the last load or save
};

// The grid row of a tank: row number, display name, geometry with three decimals ("H 0 [mm]"
// with none), the material's sifra.
TankGridRow tankGridRow(int slot, const TankParamsWire &tank, const QLocale &locale);

// Reads the material list and materials, then the parameters of all 15 tanks in slot order,
// stopping at the first failure, which it returns. The chooser's materials are taken when every
// material was read, the tanks and rows when every tank was; the rest keeps what it held.
// Afterwards loaded = nothing failed, saved = true, nothing typed.
std::optional<ServerRecord> loadTankSheet(ServerExchange &server, TankSheet &sheet, const QLocale &locale);

// The chosen material (an index into materials) for the tank of grid row 1..15: its sifra in the
// "Materijal" cell and the tank, its code in the tank; saved becomes false. Out-of-range indexes
// change nothing.
void chooseMaterial(TankSheet &sheet, int row, qsizetype choice);

// A text typed into a geometry cell of grid row 1..15; other cells change nothing, nor does the
// text the cell already shows. Otherwise the cell shows it, it counts as typed, saved becomes false.
void typeTankValue(TankSheet &sheet, int row, int column, const QString &text);

// The records a save writes: each tank as held, with the typed cells parsed in their column's
// range: lengths from 0 to 100 m ("H 0 [mm]" to 100 000 mm), volumes from 0 to 100 000 m3, the
// diameter and the height above 0. Every typed cell that does not convert or lies out of range is a fault, in grid order.
struct TankRecords
{
    SlotArray<TankParamsWire> tanks;
    QList<CellFault> faults;
};
TankRecords tanksFromSheet(const TankSheet &sheet);

// A save of a loaded sheet: nothing is written while a typed cell is at fault. Otherwise the 15
// tanks are written in slot order with up to 5 tries each, going on after a failure, stopping at
// a refused access (the rest would be refused alike). A tank written is held as written and its
// row shows it; a failed one keeps its typed cells. saved becomes true only when nothing failed.
// A sheet that was not loaded writes nothing and counts as saved.
struct TankSave
{
    QList<CellFault> faults;
    QList<WriteFailure> failures;
};
TankSave saveTankSheet(ServerExchange &server, TankSheet &sheet, const QLocale &locale);
