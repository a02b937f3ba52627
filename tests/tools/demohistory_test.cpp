// The demonstration history read back by the client's own code: every tank moves like a plant's.
#include "tools/demohistory.h"

#include "core/history/chartrecordfile.h"
#include "core/history/trendseries.h"
#include "core/plant/demonstrationplant.h"
#include "core/services/datafolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

TEST(DemoHistory, EveryTankFillsAndEmptiesByDayRestsAtNightAndKeepsItsFatsWarm)
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const QDateTime end(QDate(2024, 3, 1), QTime(14, 37, 21));
    QTemporaryDir dir;
    ASSERT_EQ(writeDemoHistory(dir.path(), plant.tanks, end), std::nullopt);
    EXPECT_EQ(demoHistoryFile(plant.tanks, end), demoHistoryFile(plant.tanks, end));

    const DataFolder folder(dir.path());
    const ChartRecordsRead charts = readChartRecords(folder);
    ASSERT_EQ(charts.message, std::nullopt);
    const auto series = std::make_unique<TrendSeries>();
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = plant.tanks.slot(slot);
        const TankChartRecord &chart = charts.records[static_cast<std::size_t>(slot - 1)];
        EXPECT_EQ(chart.temperature.unitText, u"\u00B0C"_s);
        EXPECT_GE(chart.level.scaleMax, tank.maxLevel);
        EXPECT_EQ(std::vector({chart.level.axisSide, chart.temperature.axisSide, chart.mass.axisSide}), std::vector({1, 2, 0}));
        ASSERT_EQ(LoadTrend(*series, folder, chart, tank, {}).problem, TrendProblem::None);
        ASSERT_EQ(series->sampleCount, DemoSampleCount);
        EXPECT_EQ(series->times[1], SampleTime(1, 3, 2024, 14, 37));
        EXPECT_EQ(series->times[DemoSampleCount], SampleTime(1, 1, 2024, 14, 37)) << "60 days back over 29 February";

        long double lowest = tank.maxLevel;
        long double highest = 0;
        const bool warm = tank.materialKind.contains(u"mast"_s);
        for (std::size_t p = 1; p < DemoSampleCount; ++p) {
            lowest = std::min(lowest, series->level[p]);
            highest = std::max(highest, series->level[p]);
            const bool night = series->times[p].hour < 5;
            ASSERT_TRUE(!night || std::abs(series->level[p] - series->level[p + 1]) < 0.01L) << slot << " moves at night";
            ASSERT_TRUE(!warm || series->temperature[p] > 40.0L) << slot;
        }
        EXPECT_GE(lowest, 0.0L);
        EXPECT_LE(highest, tank.maxLevel);
        EXPECT_GT(highest - lowest, tank.maxLevel / 2) << slot;
    }
}

} // namespace
