// Loading, editing and saving the tank editor's working copy.
#include "config/editors/tanksheet.h"

#include "config/editors/materialrecords.h"
#include "core/exchange/serverexchange.h"
#include "core/text/numberformat.h"

namespace {

// The geometry columns in grid order with their decimals; "H 0 [mm]" is shown in whole millimetres.
struct GeometryColumn
{
    double TankParamsWire::*value;
    int decimals;
    NumberRange range;
};

// The plant's tanks stand at most 100 m high and wide and hold at most 100 000 m3.
constexpr NumberRange Length{0, 100};
constexpr NumberRange Extent{0, 100, false};

constexpr std::array<GeometryColumn, TankGeometryValues> GeometryColumns{{
    {&TankParamsWire::diameter, 3, Extent},
    {&TankParamsWire::height, 3, Extent},
    {&TankParamsWire::gaugeHeight, 3, Length},
    {&TankParamsWire::deadZoneHeight, 0, {0, 100000}},
    {&TankParamsWire::maxLevel, 3, Length},
    {&TankParamsWire::maxVolume, 3, {0, 100000}},
    {&TankParamsWire::deadZoneVolume, 3, {0, 100000}},
}};

} // namespace

const TankGridRow &tankGridHeader()
{
    static const TankGridRow header{
        QStringLiteral("No"),        QStringLiteral("Rezervoar"),         QStringLiteral("D [m]"),
        QStringLiteral("H [m]"),     QStringLiteral("H m [m]"),           QStringLiteral("H 0 [mm]"),
        QStringLiteral("H max [m]"), QStringLiteral("V maksimalno [m3]"), QStringLiteral("V mrtve zone [m3]"),
        QStringLiteral("Materijal")};
    return header;
}

bool isTankGeometryColumn(int column)
{
    return column >= FirstGeometryColumn && column < FirstGeometryColumn + TankGeometryValues;
}

TankGridRow tankGridRow(int slot, const TankParamsWire &tank, const QLocale &locale)
{
    TankGridRow row;
    row[0] = FormatInteger(slot);
    row[1] = tankDisplayName(slot);
    for (std::size_t i = 0; i < GeometryColumns.size(); ++i)
        row[FirstGeometryColumn + i] = FormatFixed(tank.*GeometryColumns[i].value, GeometryColumns[i].decimals, locale);
    row[TankMaterialColumn] = tank.sifra;
    return row;
}

std::optional<ServerRecord> loadTankSheet(ServerExchange &server, TankSheet &sheet, const QLocale &locale)
{
    sheet.saved = true;
    sheet.loaded = false;
    const MaterialRecordsRead materials = readMaterialRecords(server);
    if (!materials.ok())
        return materials.failed;
    sheet.materials = materials.materials;

    SlotArray<TankParamsWire> tanks;
    for (int slot = 1; slot <= TankCount; ++slot) {
        qint32 status = 0;
        const auto tank = readRecord(server, codeRequest(TankIdList[slot] + TankParamsCodeBase), decodeTankParamsWire,
                                     status, EditorTries);
        if (!tank)
            return ServerRecord::TankParams;
        tanks[slot] = *tank;
    }
    sheet.tanks = tanks;
    for (int slot = 1; slot <= TankCount; ++slot)
        sheet.rows[slot] = tankGridRow(slot, tanks[slot], locale);
    sheet.typed = {};
    sheet.loaded = true;
    return std::nullopt;
}

void chooseMaterial(TankSheet &sheet, int row, qsizetype choice)
{
    if (row < 1 || row > TankCount || choice < 0 || choice >= sheet.materials.size())
        return;
    const MaterialRecord &material = sheet.materials[choice];
    sheet.rows[row][TankMaterialColumn] = material.sifra;
    sheet.tanks[row].sifra = material.sifra;
    sheet.tanks[row].materialCode = material.code;
    sheet.saved = false;
}

void typeTankValue(TankSheet &sheet, int row, int column, const QString &text)
{
    if (row < 1 || row > TankCount || !isTankGeometryColumn(column))
        return;
    QString &cell = sheet.rows[row][static_cast<std::size_t>(column)];
    if (cell == text)
        return;
    cell = text;
    sheet.typed[row].set(static_cast<std::size_t>(column));
    sheet.saved = false;
}

TankRecords tanksFromSheet(const TankSheet &sheet)
{
    TankRecords records{sheet.tanks, {}};
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankParamsWire &tank = records.tanks[slot];
        tank.tankId = TankIdList[slot];
        tank.requestCode = tank.tankId + TankParamsCodeBase;
        tank.sifra = tank.sifra.left(SifraCapacity);
        for (std::size_t i = 0; i < GeometryColumns.size(); ++i) {
            const auto column = FirstGeometryColumn + i;
            if (!sheet.typed[slot].test(column))
                continue;
            const QString &text = sheet.rows[slot][column];
            const TypedNumber typed = parseTypedNumber(text, GeometryColumns[i].range);
            tank.*GeometryColumns[i].value = typed.value;
            if (typed.fault != NumberFault::None)
                records.faults.append(
                    {tankDisplayName(slot), tankGridHeader()[column], text, typed.fault, GeometryColumns[i].range});
        }
    }
    return records;
}

TankSave saveTankSheet(ServerExchange &server, TankSheet &sheet, const QLocale &locale)
{
    TankSave save;
    sheet.saved = !sheet.loaded;
    if (!sheet.loaded)
        return save;
    const TankRecords records = tanksFromSheet(sheet);
    save.faults = records.faults;
    for (int slot = 1; save.faults.isEmpty() && slot <= TankCount; ++slot) {
        const TankParamsWire &tank = records.tanks[slot];
        const qint32 status = writeRecord(server, tank, encodeTankParamsWire);
        if (status != ExchangeStatus::Success) {
            save.failures.append({tankDisplayName(slot), status});
            if (status == ExchangeStatus::AccessRefused)
                break;
            continue;
        }
        sheet.tanks[slot] = tank;
        sheet.rows[slot] = tankGridRow(slot, tank, locale);
        sheet.typed[slot].reset();
    }
    sheet.saved = save.faults.isEmpty() && save.failures.isEmpty();
    return save;
}
