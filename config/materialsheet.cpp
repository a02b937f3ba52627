// Loading, editing and saving the material editor's working copy.
#include "config/materialsheet.h"

#include "config/materialrecords.h"
#include "core/exchange/serverexchange.h"
#include "core/exchange/serverlists.h"
#include "core/services/tw.h"

const MaterialGridRow &materialGridHeader()
{
    static const MaterialGridRow header{QStringLiteral("No"), QStringLiteral("Ime materijala"),
                                        QStringLiteral("Vrsta"), QStringLiteral("Sifra"),
                                        QStringLiteral("Ro na 20 \u00B0C [kg/m3]")};
    return header;
}

int materialEntryLength(int column)
{
    return column == MaterialNameColumn || column == MaterialKindColumn ? NameCapacity : SifraCapacity;
}

MaterialGridRow materialGridRow(int position, const MaterialRecord &material, const Tw &w)
{
    return {w.FormatInteger(position), material.name, material.kind, material.sifra,
            w.FormatFixed(material.density20, 3)};
}

std::optional<ServerRecord> loadMaterialSheet(ServerExchange &server, MaterialSheet &sheet, const Tw &w)
{
    sheet.saved = true;
    sheet.loaded = false;
    const MaterialRecordsRead read = readMaterialRecords(server);
    if (!read.ok())
        return read.failed;
    sheet.rows.clear();
    for (const MaterialRecord &material : read.materials)
        sheet.rows.append(materialGridRow(static_cast<int>(sheet.rows.size()) + 1, material, w));
    sheet.loaded = true;
    return std::nullopt;
}

bool addMaterialRow(MaterialSheet &sheet)
{
    if (sheet.rows.size() >= MaxMaterials)
        return false;
    MaterialGridRow row;
    row[MaterialNumberColumn] = FormatInteger(static_cast<qint32>(sheet.rows.size()) + 1);
    sheet.rows.append(row);
    sheet.saved = false;
    return true;
}

QList<MaterialRecord> materialsFromSheet(const MaterialSheet &sheet, const Tw &w)
{
    QList<MaterialRecord> materials;
    for (const MaterialGridRow &row : sheet.rows)
        materials.append({static_cast<quint16>(MaterialCodeBase + materials.size() + 1),
                          row[MaterialSifraColumn].left(SifraCapacity), row[MaterialNameColumn].left(NameCapacity),
                          row[MaterialKindColumn].left(NameCapacity), w.ParseFloat(row[MaterialDensityColumn])});
    return materials;
}

std::optional<ServerRecord> saveMaterialSheet(ServerExchange &server, MaterialSheet &sheet, const Tw &w)
{
    if (!sheet.loaded)
        return std::nullopt;
    const QList<MaterialRecord> materials = materialsFromSheet(sheet, w);
    MaterialTable list;
    for (const MaterialRecord &material : materials) {
        if (writeRecord(server, MaterialWire{material.code, material}, encodeMaterialWire) != ExchangeStatus::Success)
            return ServerRecord::Material;
        list.append({material.code, material.sifra});
    }
    if (!list.isEmpty() && writeMaterialList(server, list, EditorTries) != ExchangeStatus::Success)
        return ServerRecord::MaterialList;
    sheet.saved = true;
    return std::nullopt;
}
