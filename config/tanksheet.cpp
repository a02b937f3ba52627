// Loading, editing and saving the tank editor's working copy.
#include "config/tanksheet.h"

#include "config/materialrecords.h"
#include "core/exchange/serverexchange.h"
#include "core/services/tw.h"

namespace {

// The geometry columns in grid order with their decimals; "H 0 [mm]" is shown in whole millimetres.
struct GeometryColumn
{
    double TankParamsWire::*value;
    int decimals;
};

constexpr std::array<GeometryColumn, TankGeometryValues> GeometryColumns{{
    {&TankParamsWire::diameter, 3},
    {&TankParamsWire::height, 3},
    {&TankParamsWire::gaugeHeight, 3},
    {&TankParamsWire::deadZoneHeight, 0},
    {&TankParamsWire::maxLevel, 3},
    {&TankParamsWire::maxVolume, 3},
    {&TankParamsWire::deadZoneVolume, 3},
}};

std::size_t index(int slot)
{
    return static_cast<std::size_t>(slot - 1);
}

} // namespace

const TankGridRow &tankGridHeader()
{
    static const TankGridRow header{
        QStringLiteral("No"),      QStringLiteral("Rezervoar"),         QStringLiteral("D [m]"),
        QStringLiteral("H [m]"),   QStringLiteral("H m [m]"),           QStringLiteral("H 0 [mm]"),
        QStringLiteral("H max [m]"), QStringLiteral("V maksimalno [m3]"), QStringLiteral("V mrtve zone [m3]"),
        QStringLiteral("Materijal")};
    return header;
}

TankGridRow tankGridRow(int slot, const TankParamsWire &tank, const Tw &w)
{
    TankGridRow row;
    row[0] = w.FormatInteger(slot);
    row[1] = tankDisplayName(slot);
    for (std::size_t i = 0; i < GeometryColumns.size(); ++i)
        row[FirstGeometryColumn + i] = w.FormatFixed(tank.*GeometryColumns[i].value, GeometryColumns[i].decimals);
    row[TankMaterialColumn] = tank.sifra;
    return row;
}

std::optional<ServerRecord> loadTankSheet(ServerExchange &server, TankSheet &sheet, const Tw &w)
{
    sheet.saved = true;
    sheet.loaded = false;
    const MaterialRecordsRead materials = readMaterialRecords(server);
    if (!materials.ok())
        return materials.failed;
    sheet.materials = materials.materials;

    std::array<TankParamsWire, TankCount> tanks;
    for (int slot = 1; slot <= TankCount; ++slot) {
        qint32 status = 0;
        const auto tank = readRecord(server, codeRequest(TankIdList[index(slot)] + TankParamsCodeBase),
                                     decodeTankParamsWire, status, EditorTries);
        if (!tank)
            return ServerRecord::TankParams;
        tanks[index(slot)] = *tank;
    }
    for (int slot = 1; slot <= TankCount; ++slot) {
        sheet.rows[index(slot)] = tankGridRow(slot, tanks[index(slot)], w);
        sheet.materialCodes[index(slot)] = tanks[index(slot)].materialCode;
    }
    sheet.loaded = true;
    return std::nullopt;
}

void chooseMaterial(TankSheet &sheet, int row, qsizetype choice)
{
    if (row < 1 || row > TankCount || choice < 0 || choice >= sheet.materials.size())
        return;
    const MaterialRecord &material = sheet.materials[choice];
    sheet.rows[index(row)][TankMaterialColumn] = material.sifra;
    sheet.materialCodes[index(row)] = material.code;
    sheet.saved = false;
}

std::array<TankParamsWire, TankCount> tanksFromSheet(const TankSheet &sheet, const Tw &w)
{
    std::array<TankParamsWire, TankCount> tanks;
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankParamsWire &tank = tanks[index(slot)];
        const TankGridRow &row = sheet.rows[index(slot)];
        tank.tankId = TankIdList[index(slot)];
        tank.requestCode = tank.tankId + TankParamsCodeBase;
        for (std::size_t i = 0; i < GeometryColumns.size(); ++i)
            tank.*GeometryColumns[i].value = w.ParseFloat(row[FirstGeometryColumn + i]);
        tank.sifra = row[TankMaterialColumn].left(SifraCapacity);
        tank.materialCode = sheet.materialCodes[index(slot)];
    }
    return tanks;
}

QList<int> saveTankSheet(ServerExchange &server, TankSheet &sheet, const Tw &w)
{
    QList<int> failed;
    if (sheet.loaded) {
        const std::array<TankParamsWire, TankCount> tanks = tanksFromSheet(sheet, w);
        for (int slot = 1; slot <= TankCount; ++slot)
            if (writeRecord(server, tanks[index(slot)], encodeTankParamsWire) != ExchangeStatus::Success)
                failed.append(slot);
    }
    sheet.saved = failed.isEmpty();
    return failed;
}
