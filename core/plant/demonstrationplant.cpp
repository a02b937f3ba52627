// The plant built into the client.
#include "core/plant/demonstrationplant.h"

#include "core/plant/plantmodel.h"
#include "core/plant/slotarray.h"

namespace {

struct DemonstrationTank
{
    double diameter;  // m
    double maxLevel;  // m
    double maxVolume; // m3
    const char *sifra;
    const char *kind;
};

constexpr double DemonstrationDensity = 920.2; // kg/m3

// By slot, tank 74 first.
constexpr SlotArray<DemonstrationTank> DemonstrationTanks{{{
    {11.5, 10.375, 1077.64, "RBD SU", "Beljeno suncokretovo ulje"},
    {11.5, 10.375, 1077.64, "RBH SU", "Jestivo suncokretovo ulje"},
    {11.9, 7.787, 866.072, "RBD SU", "Jestivo suncokretovo ulje"},
    {8.0, 6.275, 315.416, "MK ", "Masna kiselina"},
    {8.0, 6.275, 315.416, "RBDS SU", "Jestivo sojino ulje"},
    {8.0, 6.275, 315.416, "RBH RU", "Beljeno repino ulje"},
    {11.5, 10.375, 1077.64, "RBHS SU", "Beljeno sojino ulje"},
    {8.0, 10.327, 519.092, "RBD M", "Biljne masti"},
    {8.0, 10.327, 519.092, "RBD M", "Biljne masti"},
    {5.0, 12.781, 250.954, "RBD M", "Biljne masti"},
    {5.0, 12.781, 250.954, "RBD M", "Biljne masti"},
    {5.0, 12.781, 250.954, "RBD M", "Biljne masti"},
    {5.0, 12.781, 250.954, "RBD M", "Biljne masti"},
    {4.0, 7.842, 98.545, "RBD UM", "Uvozne biljne masti"},
    {4.0, 7.842, 98.545, "RBD UM", "Uvozne biljne masti"},
}}};

} // namespace

void loadDemonstrationPlant(PlantModel &plant)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        const DemonstrationTank &demo = DemonstrationTanks[slot];
        TankRecord &tank = plant.tanks.slot(slot);
        tank.tankId = TankIdList[slot];
        tank.name = tankDisplayName(slot);
        tank.diameter = demo.diameter;
        tank.maxLevel = demo.maxLevel;
        tank.maxVolume = demo.maxVolume;
        tank.materialSifra = QString::fromLatin1(demo.sifra);
        tank.materialKind = QString::fromLatin1(demo.kind);
        tank.density20 = DemonstrationDensity;
    }
    plant.user.userName = QStringLiteral("Tervo Grupa");
    for (TankRights &rights : plant.user.rights)
        rights.nivo = rights.temperatura = rights.masa = rights.zapremina = rights.istorija = 1;
}
