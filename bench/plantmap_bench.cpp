// Time of one redraw of the demonstration plant map: the overview and a tank's screen composed as
// the main window composes them, after the login's loading, a value refresh and every trend.
#include "bench/silentdialogs.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "demoplant/demoplantmap.h"
#include "main/composepicture.h"
#include "main/liverefresh.h"
#include "main/plantmaploading.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct LoadedPlant
{
    QTemporaryDir dir;
    PlantModel plant;
    PlantMap map;
    SilentDialogs dialogs;
    SystemClock clock;
};

LoadedPlant &loadedPlant()
{
    static const std::unique_ptr<LoadedPlant> loaded = [] {
        auto plant = std::make_unique<LoadedPlant>();
        loadDemonstrationPlant(plant->plant);
        writePlantMap(plant->dir.path(), plant->plant.tanks);
        loadPlantMap(plant->map, plant->plant, DataFolder(plant->dir.path()), plant->dialogs, QLocale::c());
        refreshValues(plant->map, 1, plant->plant.tanks, QLocale::c());
        for (int k = 1; k <= ElementCount; ++k) {
            if (nextTrendElement(plant->map, k) == k)
                fillTrend(plant->map, k, 1);
        }
        return plant;
    }();
    return *loaded;
}

void composeView(benchmark::State &state)
{
    LoadedPlant &loaded = loadedPlant();
    ElementDrawingContext context{loaded.clock,      loaded.dialogs, QLocale::c(), {}, DataFolder(loaded.dir.path()),
                                  loaded.map.bitmaps};
    QImage picture;
    for (auto _ : state) {
        ComposePicture(picture, loaded.map, static_cast<int>(state.range(0)), context);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(composeView)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
