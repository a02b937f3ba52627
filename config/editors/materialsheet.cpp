// Loading, editing and saving the material editor's working copy.
#include "config/editors/materialsheet.h"

#include "config/editors/materialrecords.h"
#include "core/exchange/serverexchange.h"
#include "core/exchange/serverlists.h"
#include "core/text/numberformat.h"

const MaterialGridRow &materialGridHeader()
{
    static const MaterialGridRow header{QStringLiteral("No"), QStringLiteral("Ime materijala"), QStringLiteral("Vrsta"),
                                        QStringLiteral("Sifra"), QStringLiteral("Ro na 20 \u00B0C [kg/m3]")};
    return header;
}

int materialEntryLength(int column)
{
    return column == MaterialNameColumn || column == MaterialKindColumn ? NameCapacity : SifraCapacity;
}

MaterialGridRow materialGridRow(int position, const MaterialRecord &material, const QLocale &locale)
{
    return {FormatInteger(position), material.name, material.kind, material.sifra,
            FormatFixed(material.density20, 3, locale)};
}

std::optional<ServerRecord> loadMaterialSheet(ServerExchange &server, MaterialSheet &sheet, const QLocale &locale)
{
    sheet.saved = true;
    sheet.loaded = false;
    const MaterialRecordsRead read = readMaterialRecords(server);
    if (!read.ok())
        return read.failed;
    sheet.rows.clear();
    sheet.densities.clear();
    for (const MaterialRecord &material : read.materials) {
        sheet.rows.append(materialGridRow(static_cast<int>(sheet.rows.size()) + 1, material, locale));
        sheet.densities.append(material.density20);
    }
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
    sheet.densities.append(std::nullopt);
    sheet.saved = false;
    return true;
}

void typeMaterialValue(MaterialSheet &sheet, int row, int column, const QString &text)
{
    if (row < 1 || row > sheet.rows.size() || column <= MaterialNumberColumn || column >= MaterialGridColumns)
        return;
    QString &cell = sheet.rows[row - 1][static_cast<std::size_t>(column)];
    if (cell == text)
        return;
    cell = text;
    if (column == MaterialDensityColumn)
        sheet.densities[row - 1].reset();
    sheet.saved = false;
}

QString materialRecordName(const MaterialSheet &sheet, int row)
{
    const QString name = sheet.rows[row - 1][MaterialNameColumn].trimmed();
    const QString record = QStringLiteral("Materijal %1").arg(row);
    return name.isEmpty() ? record : QStringLiteral("%1 (%2)").arg(record, name);
}

MaterialRecords materialsFromSheet(const MaterialSheet &sheet)
{
    MaterialRecords records;
    for (int row = 1; row <= sheet.rows.size(); ++row) {
        const MaterialGridRow &cells = sheet.rows[row - 1];
        TypedNumber density{sheet.densities.value(row - 1).value_or(0), NumberFault::None};
        if (!sheet.densities.value(row - 1))
            density = parseTypedNumber(cells[MaterialDensityColumn], DensityRange);
        if (density.fault != NumberFault::None)
            records.faults.append({materialRecordName(sheet, row), materialGridHeader()[MaterialDensityColumn],
                                   cells[MaterialDensityColumn], density.fault, DensityRange});
        records.materials.append({static_cast<quint16>(MaterialCodeBase + row),
                                  cells[MaterialSifraColumn].left(SifraCapacity),
                                  cells[MaterialNameColumn].left(NameCapacity),
                                  cells[MaterialKindColumn].left(NameCapacity), density.value});
    }
    return records;
}

MaterialSave saveMaterialSheet(ServerExchange &server, MaterialSheet &sheet)
{
    MaterialSave save;
    if (!sheet.loaded)
        return save;
    const MaterialRecords records = materialsFromSheet(sheet);
    save.faults = records.faults;
    if (!save.faults.isEmpty())
        return save;
    MaterialTable list;
    for (const MaterialRecord &material : records.materials) {
        const qint32 status = writeRecord(server, MaterialWire{material.code, material}, encodeMaterialWire);
        if (status != ExchangeStatus::Success) {
            save.failed = ServerRecord::Material;
            save.failures.append({materialRecordName(sheet, static_cast<int>(list.size()) + 1), status});
            return save;
        }
        list.append({material.code, material.sifra});
    }
    const qint32 status = list.isEmpty() ? ExchangeStatus::Success : writeMaterialList(server, list, EditorTries);
    if (status != ExchangeStatus::Success) {
        save.failed = ServerRecord::MaterialList;
        save.failures.append({QString(), status});
        return save;
    }
    sheet.saved = true;
    return save;
}
