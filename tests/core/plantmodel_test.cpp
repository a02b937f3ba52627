// Slot look-ups, rights and the console screen of the plant model, and what the demonstration load writes into it.
#include "core/plant/plantmodel.h"
#include "core/plant/demonstrationplant.h"

#include <gtest/gtest.h>

#include <array>
#include <numbers>

TEST(SlotLookup, EveryListedTankFindsItsSlotAndNothingElseDoes)
{
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(slotOfTank(TankIdList[static_cast<std::size_t>(slot - 1)]), slot);
    EXPECT_EQ(tankDisplayName(15), QStringLiteral("R 97"));
    for (const int tankId : {0, 73, 76, 77, 89, 95, 98, 374})
        EXPECT_EQ(slotOfTank(tankId), std::nullopt) << tankId;
    EXPECT_TRUE(tankDisplayName(0).isEmpty() && tankDisplayName(16).isEmpty());
}

TEST(TankRights, HistoryAloneOrFlagsOtherThanOneDoNotShowTheTank)
{
    EXPECT_FALSE(TankRights({74, 0, 0, 0, 0, 1}).seesLiveValues() || TankRights({74, 2, 255, 0, 0, 1}).seesLiveValues());
    EXPECT_TRUE(TankRights({0, 0, 0, 0, 1, 0}).seesLiveValues() && TankRights({0, 1, 0, 0, 0, 0}).seesLiveValues());
}

TEST(ConsoleScreen, TheBottomLineComesFirst)
{
    std::array<char, ConsoleScreen::Size> bytes{};
    bytes[0] = 'a';  // line 4, column 1
    bytes[19] = 'b'; // line 4, column 20
    bytes[20] = 'c'; // line 3, column 1
    bytes[60] = 'd'; // line 1, column 1
    bytes[79] = 'e'; // line 1, column 20; the NULs elsewhere become spaces
    const ConsoleScreen screen = ConsoleScreen::fromReceived(bytes);
    EXPECT_EQ((std::array{screen.cell(4, 1), screen.cell(4, 20), screen.cell(3, 1), screen.cell(1, 1), screen.cell(1, 20),
                          screen.cell(2, 5)}),
              (std::array{'a', 'b', 'c', 'd', 'e', ' '}));
    EXPECT_THROW(screen.cell(0, 1), std::out_of_range);
    EXPECT_THROW(screen.cell(1, 21), std::out_of_range);
}

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
