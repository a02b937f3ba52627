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
#include <span>

namespace {

using namespace Qt::StringLiterals;

TEST(DemoHistory, EveryTankFillsAndEmptiesByDayRestsAtNightAndKeepsItsFatsWarm)
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const QDateTime end(QDate(2024, 3, 1), QTime(14, 37, 21)); // the tool test checks the stamps
    QTemporaryDir dir;
    ASSERT_EQ(writeDemoHistory(dir.path(), plant.tanks, end), std::nullopt);

    const DataFolder folder(dir.path());
    const ChartRecordsRead charts = readChartRecords(folder);
    const auto series = std::make_unique<TrendSeries>();
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = plant.tanks.slot(slot);
        const TankChartRecord &chart = charts.records[static_cast<std::size_t>(slot - 1)];
        EXPECT_TRUE(chart.temperature.unitText == u"\u00B0C"_s && chart.level.scaleMax >= tank.maxLevel
                    && chart.level.axisSide == 1 && chart.temperature.axisSide == 2) << slot;
        ASSERT_EQ(LoadTrend(*series, folder, chart, tank, {}).problem, TrendProblem::None);
        ASSERT_EQ(series->sampleCount, DemoSampleCount);

        const auto levels = std::span(series->level).subspan(1, DemoSampleCount);
        const auto [lowest, highest] = std::minmax_element(levels.begin(), levels.end());
        EXPECT_TRUE(*lowest >= 0 && *highest <= tank.maxLevel && *highest - *lowest > tank.maxLevel / 2) << slot;
        const bool warm = tank.materialKind.contains(u"mast"_s);
        for (std::size_t p = 1; p < DemoSampleCount; ++p) {
            const bool night = series->times[p].hour < 5;
            ASSERT_TRUE(!night || std::abs(series->level[p] - series->level[p + 1]) < 0.01L) << slot << " moves at night";
            ASSERT_TRUE(!warm || series->temperature[p] > 40.0L) << slot;
        }
    }
}

} // namespace
