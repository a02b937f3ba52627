// Slot look-ups, rights and the console screen of the plant model.
#include "core/plant/plantmodel.h"

#include <gtest/gtest.h>

#include <array>

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
    EXPECT_FALSE((TankRights{74, 0, 0, 0, 0, 1}.seesLiveValues()));
    EXPECT_FALSE((TankRights{74, 2, 255, 0, 0, 1}.seesLiveValues()));
    EXPECT_TRUE((TankRights{0, 0, 0, 0, 1, 0}.seesLiveValues()));
    EXPECT_TRUE((TankRights{0, 1, 0, 0, 0, 0}.seesLiveValues()));
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
    EXPECT_EQ(screen.cell(4, 1), 'a');
    EXPECT_EQ(screen.cell(4, 20), 'b');
    EXPECT_EQ(screen.cell(3, 1), 'c');
    EXPECT_EQ(screen.cell(1, 1), 'd');
    EXPECT_EQ(screen.cell(1, 20), 'e');
    EXPECT_EQ(screen.cell(2, 5), ' ');
    EXPECT_THROW(screen.cell(0, 1), std::out_of_range);
    EXPECT_THROW(screen.cell(1, 21), std::out_of_range);
}
