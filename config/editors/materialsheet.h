// The material editor's working copy and its loading and saving over the server exchange.
#pragma once

#include "config/editors/editorfaults.h"
#include "core/plant/plantmodel.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class ServerExchange;
class QLocale;

// The grid's columns: "No", "Ime materijala", "Vrsta", "Sifra", "Ro na 20 °C [kg/m3]".
enum MaterialColumn {
    MaterialNumberColumn,
    MaterialNameColumn,
    MaterialKindColumn,
    MaterialSifraColumn,
    MaterialDensityColumn,
    MaterialGridColumns
};
using MaterialGridRow = std::array<QString, MaterialGridColumns>;

// Row 0 of the grid.
const MaterialGridRow &materialGridHeader();

// How many characters the entry box takes for a cell of the column: 40 for the name and the kind,
// 10 for the sifra and the density.
int materialEntryLength(int column);

// Densities from 500 to 2 000 kg/m3: the oils, fats and their solutions the plant stores.
inline constexpr NumberRange DensityRange{500, 2000};

struct MaterialSheet
{
    QList<MaterialGridRow> rows; // grid rows 1..count, in list order
    // By row: the density the server holds while the cell is not typed; nullopt for a typed cell
    // and for a new row.
    QList<std::optional<double>> densities;
    bool loaded = false; // the list was read whole (an empty one too): the sheet may be saved
    bool saved = true;   // no edit or new row since the last load or save
};

// The grid row of the material at list position 1..96: number, name, kind, sifra, density with
// three decimals.
MaterialGridRow materialGridRow(int position, const MaterialRecord &material, const QLocale &locale);

// Reads the list and every material. A read whole replaces the rows and makes the sheet loaded;
// a failure, which it returns, leaves the rows as they were and the sheet not loaded. saved = true.
std::optional<ServerRecord> loadMaterialSheet(ServerExchange &server, MaterialSheet &sheet, const QLocale &locale);

// Adds an empty row numbered count + 1; saved becomes false. False, nothing added, when the sheet
// already holds 96 materials.
bool addMaterialRow(MaterialSheet &sheet);

// A text typed into a cell of columns 1..4 of grid row 1..count; other cells change nothing, nor
// does the text the cell already shows. Otherwise the cell shows it and saved becomes false; a
// typed density is parsed at the save.
void typeMaterialValue(MaterialSheet &sheet, int row, int column, const QString &text);

// How a save names the material of grid row 1..count: "Materijal 3 (SUNCOKRET)", without the
// brackets while the name is empty.
QString materialRecordName(const MaterialSheet &sheet, int row);

// The records a save writes: row i gets code 202 + i, texts cut to their capacities, the density
// as held or, when typed or new, parsed in DensityRange. Every density at fault (an empty one
// too) is a fault, in row order.
struct MaterialRecords
{
    QList<MaterialRecord> materials;
    QList<CellFault> faults;
};
MaterialRecords materialsFromSheet(const MaterialSheet &sheet);

// A save of a loaded sheet: nothing is written while a density is at fault. Otherwise every
// material in list order, then, when there is at least one, the list pages 200, 201 and 202; each
// with up to 5 tries, stopping at the first failure, named by its material (the pages by none) and
// kept with its record. saved becomes true when nothing failed. A sheet that was not loaded
// writes nothing and stays as it is.
struct MaterialSave
{
    QList<CellFault> faults;
    std::optional<ServerRecord> failed;
    QList<WriteFailure> failures; // the one write that failed
};
MaterialSave saveMaterialSheet(ServerExchange &server, MaterialSheet &sheet);
