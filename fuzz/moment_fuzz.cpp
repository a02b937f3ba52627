// Fuzz target: FindMoment, the report's search of "REPORT.STG" for a moment, over a file of any bytes.
// A search that computed gives every tank finite quantities and a volume of at least 0.
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/services/datafolder.h"
#include "fuzz/fuzzinput.h"
#include "report/momentsearch.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace {

struct SearchWorld
{
    QTemporaryDir folder;
    PlantModel plant;
    SearchWorld() { loadDemonstrationPlant(plant); }
};

bool sound(const TankQuantity &q)
{
    return std::isfinite(q.level) && std::isfinite(q.temperature) && std::isfinite(q.mass) && std::isfinite(q.volume)
           && q.volume >= 0;
}

} // namespace

// Input: day, month, year after 1980, hour and minute (1 byte each, taken as they come), a shift of
// every tank's channels (1 byte, signed), then the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static SearchWorld world;
    FuzzInput input(data, size);
    ReportMoment moment;
    for (int *field : {&moment.day, &moment.month, &moment.year, &moment.hour, &moment.minute})
        *field = input.takeValue<quint8>();
    moment.year += 1980;
    const auto shift = input.takeValue<qint8>();
    TankChartRecords records{};
    for (int slot = 1; slot <= TankCount; ++slot) {
        records[slot].level.channel = slot - 1 + shift;
        records[slot].temperature.channel = TankCount + slot - 1 + shift;
    }
    const std::span<const char> file = input.rest();
    QFile out(world.folder.filePath(HistoryFileName));
    if (!out.open(QIODevice::WriteOnly)
        || out.write(file.data(), static_cast<qint64>(file.size())) != static_cast<qint64>(file.size()))
        fuzzFailure("the history file could not be written");
    out.close();

    TankQuantities quantities{};
    const MomentSearch search
        = FindMoment(DataFolder(world.folder.path()), moment, records, world.plant.tanks, quantities);
    if (search.outcome == SearchOutcome::Computed) {
        for (const TankQuantity &quantity : quantities)
            if (!sound(quantity))
                fuzzFailure("a computed quantity is not finite, or a volume lies below 0");
    }
    return 0;
}
