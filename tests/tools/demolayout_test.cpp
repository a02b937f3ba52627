// The overview's tanks drawn to scale and apart, and the gauge scales of bar 2.
#include "tools/demolayout.h"

#include "core/plant/demonstrationplant.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(DemoLayout, TanksAreDrawnToOneScaleBetweenTitleAndLegendAndApart)
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const auto tanks = overviewTanks(plant.tanks);
    const double scale = tanks[0].shell.width() / plant.tanks.slot(1).diameter;
    const QRect free(0, Overview::TitleBand.bottom() + 1, Overview::CollectorX - 4,
                     Overview::Legend.top() - Overview::TitleBand.bottom() - 1);
    for (std::size_t i = 0; i < tanks.size(); ++i) {
        const OverviewTank &tank = tanks[i];
        const TankRecord &record = plant.tanks.slot(static_cast<int>(i) + 1);
        EXPECT_NEAR(tank.shell.width(), record.diameter * scale, 1) << "slot " << i + 1;
        EXPECT_NEAR(tank.levelBar.height(), record.maxLevel * scale, 1) << "slot " << i + 1;
        EXPECT_TRUE(tank.shell.contains(tank.levelBar)) << "slot " << i + 1;
        EXPECT_TRUE(free.contains(tank.hotSpot)) << "slot " << i + 1;
        EXPECT_TRUE(tank.hotSpot.contains(tank.outline()) && tank.hotSpot.contains(tank.card));
        EXPECT_TRUE(tank.card.contains(tank.levelText) && tank.card.contains(tank.temperatureText));
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(tank.hotSpot.intersects(tanks[j].hotSpot)) << "slots " << i + 1 << " and " << j + 1;
    }
}

// Where every label and tick stands is checked on the written records; here the choice of steps.
TEST(GaugeScale, WholeMetresFillTheSlotAndShortOnesAreLabelledEverySecondOne)
{
    const GaugeScale whole = gaugeScale(8.0);
    EXPECT_EQ(std::tuple(whole.labelStep, whole.barHeight, whole.majorCount), std::tuple(1, TankScreen::GaugeSlot.height(), 9));
    const GaugeScale cut = gaugeScale(12.781);
    EXPECT_EQ(std::tuple(cut.labelStep, cut.topLabel), std::tuple(2, 12));
    EXPECT_LE(cut.barHeight, TankScreen::GaugeSlot.height());
    EXPECT_GE(cut.majorStep, 2 * MinMetrePixels - 4);
}

} // namespace
