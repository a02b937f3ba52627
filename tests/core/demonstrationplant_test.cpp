// The demonstration load: what it writes into the plant model and what it leaves alone.
#include "core/plant/demonstrationplant.h"

#include "core/plant/plantmodel.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

// The record without the fields the demonstration load writes.
TankRecord withoutDemonstrationFields(TankRecord tank)
{
    tank.tankId = 0;
    tank.name.clear();
    tank.diameter = tank.maxLevel = tank.maxVolume = tank.density20 = 0;
    tank.materialSifra.clear();
    tank.materialKind.clear();
    return tank;
}

} // namespace

TEST(DemonstrationPlant, WritesTheTanksTheUserAndEveryRightButNothingElse)
{
    TankRecord before;
    before.paramCode = 1000;
    before.materialCode = 250;
    before.serverTankId = 5;
    before.height = before.gaugeHeight = before.deadZoneHeight = before.deadZoneVolume = 4.5;
    before.paramSifra = before.materialName = QStringLiteral("STARO");
    PlantModel plant;
    plant.tanks.records.fill(before);
    plant.user.rights[3].tankId = 79;
    plant.user.configAccess = 1;

    loadDemonstrationPlant(plant);

    EXPECT_EQ(plant.tanks.slot(4).materialSifra, QStringLiteral("MK ")) << "the trailing blank is kept";
    EXPECT_EQ(plant.user.configAccess, 1);
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = plant.tanks.slot(slot);
        EXPECT_EQ(tank.name, tankDisplayName(slot));
        // The table's volumes are the cylinders of its diameters and maximum levels.
        EXPECT_NEAR(tank.maxVolume, std::numbers::pi / 4 * tank.diameter * tank.diameter * tank.maxLevel, 0.01) << slot;
        EXPECT_EQ(tank.active, 0) << "the demonstration load never activates a tank";
        EXPECT_EQ(withoutDemonstrationFields(tank), withoutDemonstrationFields(before)) << "slot " << slot;
        const TankRights &rights = plant.user.rights[static_cast<std::size_t>(slot - 1)];
        EXPECT_EQ(rights.tankId, slot == 4 ? 79 : 0);
        EXPECT_EQ((std::array{rights.nivo, rights.temperatura, rights.masa, rights.zapremina, rights.istorija}),
                  (std::array<quint8, 5>{1, 1, 1, 1, 1}));
    }
}
