// The overview's tanks drawn to scale and apart, and the gauge scales of bar 2.
#include "tools/demolayout.h"

#include "core/plant/demonstrationplant.h"

#include <gtest/gtest.h>

namespace {

class DemoLayoutTest : public testing::Test
{
protected:
    void SetUp() override { loadDemonstrationPlant(plant); }

    PlantModel plant;
};

TEST_F(DemoLayoutTest, TanksAreDrawnToOneScale)
{
    const auto tanks = overviewTanks(plant.tanks);
    const double scale = tanks[0].shell.width() / plant.tanks.slot(1).diameter;
    for (int slot = 1; slot <= TankCount; ++slot) {
        const OverviewTank &tank = tanks[static_cast<std::size_t>(slot - 1)];
        const TankRecord &record = plant.tanks.slot(slot);
        EXPECT_NEAR(tank.shell.width(), record.diameter * scale, 1) << "slot " << slot;
        EXPECT_NEAR(tank.levelBar.height(), record.maxLevel * scale, 1) << "slot " << slot;
        EXPECT_TRUE(tank.shell.contains(tank.levelBar)) << "slot " << slot;
    }
}

TEST_F(DemoLayoutTest, TanksAndCardsStayBetweenTitleAndLegendAndApart)
{
    const auto tanks = overviewTanks(plant.tanks);
    const QRect free(0, Overview::TitleBand.bottom() + 1, Overview::CollectorX - 4,
                     Overview::Legend.top() - Overview::TitleBand.bottom() - 1);
    for (std::size_t i = 0; i < tanks.size(); ++i) {
        EXPECT_TRUE(free.contains(tanks[i].hotSpot)) << "slot " << i + 1;
        EXPECT_TRUE(tanks[i].hotSpot.contains(tanks[i].outline()) && tanks[i].hotSpot.contains(tanks[i].card));
        EXPECT_TRUE(tanks[i].card.contains(tanks[i].levelText) && tanks[i].card.contains(tanks[i].temperatureText));
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(tanks[i].hotSpot.intersects(tanks[j].hotSpot)) << "slots " << i + 1 << " and " << j + 1;
    }
}

TEST(GaugeScale, WholeMetresPutTheTopLabelAtTheTop)
{
    const GaugeScale scale = gaugeScale(8.0);
    EXPECT_EQ(scale.labelStep, 1);
    EXPECT_EQ(scale.barHeight, TankScreen::GaugeSlot.height());
    EXPECT_EQ(scale.majorFirst, 0);
    EXPECT_EQ(scale.majorCount, 9);
    EXPECT_EQ(scale.minorFirst, scale.majorStep / 2) << "no minor tick above the top";
    EXPECT_EQ(scale.minorCount, 8);
}

TEST(GaugeScale, ShortMetresAreLabelledEverySecondOne)
{
    const GaugeScale scale = gaugeScale(12.781);
    EXPECT_EQ(scale.labelStep, 2);
    EXPECT_EQ(scale.topLabel, 12);
    EXPECT_LE(scale.barHeight, TankScreen::GaugeSlot.height());
    EXPECT_GE(scale.majorStep, 2 * MinMetrePixels - 4);
    EXPECT_EQ(scale.minorFirst, scale.majorFirst + scale.majorStep / 2) << "13 m lies above the maximum";
    EXPECT_EQ(scale.minorCount, 6);
}

} // namespace
