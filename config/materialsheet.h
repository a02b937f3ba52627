// The material editor's working copy and its loading and saving over the server exchange.
#pragma once

#include "core/exchange/exchangemessages.h"
#include "core/plant/plantmodel.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class ServerExchange;
class Tw;

// The grid's columns: "No", "Ime materijala", "Vrsta", "Sifra", "Ro na 20 °C [kg/m3]".
enum MaterialColumn { MaterialNumberColumn, MaterialNameColumn, MaterialKindColumn, MaterialSifraColumn,
                      MaterialDensityColumn, MaterialGridColumns };
using MaterialGridRow = std::array<QString, MaterialGridColumns>;

// Row 0 of the grid.
const MaterialGridRow &materialGridHeader();

// How many characters the entry box takes for a cell of the column: 40 for the name and the kind,
// 10 for the sifra and the density.
int materialEntryLength(int column);

struct MaterialSheet
{
    QList<MaterialGridRow> rows; // grid rows 1..count, in list order
    bool loaded = false;         // the list was read whole (an empty one too): the sheet may be saved
    bool saved = true;           // no edit or new row since the last load or save
};

// The grid row of the material at list position 1..96: number, name, kind, sifra, density with
// three decimals.
MaterialGridRow materialGridRow(int position, const MaterialRecord &material, const Tw &w);

// Reads the list and every material. A read whole replaces the rows and makes the sheet loaded;
// a failure, which it returns, leaves the rows as they were and the sheet not loaded. saved = true.
std::optional<ServerRecord> loadMaterialSheet(ServerExchange &server, MaterialSheet &sheet, const Tw &w);

// Adds an empty row numbered count + 1; saved becomes false. False, nothing added, when the sheet
// already holds 96 materials.
bool addMaterialRow(MaterialSheet &sheet);

// The records a save writes: row i gets code 202 + i, texts cut to their capacities, the density
// parsed with ParseFloat (its warnings, 0 for a text that does not convert, the empty one too).
QList<MaterialRecord> materialsFromSheet(const MaterialSheet &sheet, const Tw &w);

// Writes every material of a loaded sheet in list order, then, when there is at least one, the
// list pages 200, 201 and 202; each with up to 5 tries, stopping at the first failure, which it
// returns. saved becomes true when nothing failed. A sheet that was not loaded writes nothing and
// stays as it is.
std::optional<ServerRecord> saveMaterialSheet(ServerExchange &server, MaterialSheet &sheet, const Tw &w);
