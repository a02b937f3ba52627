// The tank editor's working copy and its loading and saving over the server exchange.
#pragma once

#include "core/exchange/exchangemessages.h"
#include "core/exchange/serverrecords.h"
#include "core/plant/plantmodel.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class ServerExchange;
class Tw;

// The grid's columns: "No", "Rezervoar", the seven geometry values, "Materijal".
inline constexpr int TankGridColumns = 10;
inline constexpr int FirstGeometryColumn = 2;
inline constexpr int TankMaterialColumn = 9;
using TankGridRow = std::array<QString, TankGridColumns>;

// Row 0 of the grid.
const TankGridRow &tankGridHeader();

struct TankSheet
{
    QList<MaterialRecord> materials;              // the chooser's materials, in list order
    std::array<TankGridRow, TankCount> rows{};    // grid rows 1..15 as shown, slot order
    std::array<qint32, TankCount> materialCodes{}; // by slot: from the load or the last choice
    bool loaded = false; // every read succeeded: the sheet may be saved
    bool saved = true;   // no material chosen since the last load or save
};

// The grid row of a tank: row number, display name, geometry with three decimals ("H 0 [mm]"
// with none), the material's sifra.
TankGridRow tankGridRow(int slot, const TankParamsWire &tank, const Tw &w);

// Reads the material list and materials, then the parameters of all 15 tanks in slot order,
// stopping at the first failure, which it returns. The chooser's materials are taken when every
// material was read, the rows and codes when every tank was; the rest keeps what it held.
// Afterwards loaded = nothing failed, saved = true.
std::optional<ServerRecord> loadTankSheet(ServerExchange &server, TankSheet &sheet, const Tw &w);

// The chosen material (an index into materials) for the tank of grid row 1..15: its sifra in the
// "Materijal" cell, its code kept for the save; saved becomes false. Out-of-range indexes change
// nothing.
void chooseMaterial(TankSheet &sheet, int row, qsizetype choice);

// The records a save writes: the geometry parsed from the grid with ParseFloat (its warnings, 0 for
// a text that does not convert), the sifra from the "Materijal" cell cut to 10 characters.
std::array<TankParamsWire, TankCount> tanksFromSheet(const TankSheet &sheet, const Tw &w);

// Writes the 15 tanks of a loaded sheet in slot order with up to 5 tries each, going on after a
// failure; returns the slots (1..15) whose write failed. saved becomes true only when none failed.
// A sheet that was not loaded writes nothing and counts as saved.
QList<int> saveTankSheet(ServerExchange &server, TankSheet &sheet, const Tw &w);
