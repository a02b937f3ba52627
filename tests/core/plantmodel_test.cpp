// Slot look-ups, rights and the console screen of the plant model, and what the demonstration load writes into it.
#include "core/plant/plantmodel.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/slotarray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

TEST(SlotLookup, EveryListedTankFindsItsSlotAndNothingElseDoes)
{
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(slotOfTank(TankIdList[slot]), slot);
    for (const int tankId : {0, 73, 76, 98, 374})
        EXPECT_EQ(slotOfTank(tankId), std::nullopt) << tankId;
    EXPECT_TRUE(tankDisplayName(0).isEmpty() && tankDisplayName(16).isEmpty());
}

// A position counted from 0 would reach the neighbouring tank's value, so it does not compile.
template <typename Index>
concept IndexesSlots = requires(SlotArray<int> values, Index index) { values[index]; };
static_assert(IndexesSlots<int> && !IndexesSlots<std::size_t>);

TEST(SlotArrayTest, SlotOneIsTheFirstValueAndSlotFifteenTheLast)
{
    SlotArray<int> values;
    values[1] = 74;
    values[TankCount] = 97;
    EXPECT_EQ(values.values.front(), 74);
    EXPECT_EQ(values.values.back(), 97);
    EXPECT_EQ(*values.begin(), 74);
}

TEST(TankRights, HistoryAloneOrFlagsOtherThanOneDoNotShowTheTank)
{
    EXPECT_FALSE(TankRights({74, 0, 0, 0, 0, 1}).seesLiveValues() || TankRights({74, 2, 255, 0, 0, 1}).seesLiveValues());
    EXPECT_TRUE(TankRights({0, 0, 0, 0, 1, 0}).seesLiveValues() && TankRights({0, 1, 0, 0, 0, 0}).seesLiveValues());
}

// Line 4 fills bytes 0 to 19, line 1 bytes 60 to 79; the NULs elsewhere become spaces.
TEST(ConsoleScreen, TheBottomLineComesFirst)
{
    std::array<char, ConsoleScreen::Size> bytes{};
    bytes[0] = 'a', bytes[19] = 'b', bytes[20] = 'c', bytes[60] = 'd', bytes[79] = 'e';
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
    before.height = before.gaugeHeight = before.deadZoneHeight = before.deadZoneVolume = 4.5;
    before.paramSifra = before.materialName = QStringLiteral("STARO");
    PlantModel plant;
    std::ranges::fill(plant.tanks.records, before);
    plant.user.rights[4].tankId = 79;
    plant.user.configAccess = 1;

    loadDemonstrationPlant(plant);

    EXPECT_EQ(plant.user.configAccess, 1);
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = plant.tanks.slot(slot);
        EXPECT_EQ(tank.name, tankDisplayName(slot));
        EXPECT_EQ(withoutDemonstrationFields(tank), withoutDemonstrationFields(before)) << "slot " << slot;
        const TankRights &rights = plant.user.rights[slot];
        EXPECT_EQ(rights.tankId, slot == 4 ? 79 : 0);
        EXPECT_EQ((std::array{rights.nivo, rights.temperatura, rights.masa, rights.zapremina, rights.istorija}),
                  (std::array<quint8, 5>{1, 1, 1, 1, 1}));
    }
}
