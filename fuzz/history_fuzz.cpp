// Fuzz target: the history file "REPORT.STG" from any bytes. Every delta code of the bytes decodes
// and encodes back to its value, every block walks to its end and stays there, and LoadTrend loads
// the file as a tank's chart would, within the series' capacity.
#include "core/history/deltacode.h"
#include "core/history/historyblock.h"
#include "core/history/historyencoder.h"
#include "core/history/trendseries.h"
#include "core/plant/plantmodel.h"
#include "core/services/datafolder.h"
#include "fuzz/fuzzinput.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

void checkDeltaCodes(std::span<const char> bytes)
{
    QByteArray encoded; // reused: its room stays allocated across the codes
    std::size_t cursor = 0;
    while (cursor < bytes.size()) {
        const std::size_t before = cursor;
        const std::optional<qint32> value = DecodeDelta(bytes, cursor);
        if (!value) {
            if (cursor != before)
                fuzzFailure("a delta code that did not fit moved the cursor");
            return;
        }
        if (cursor - before != deltaCodeLength(static_cast<unsigned char>(bytes[before])))
            fuzzFailure("a delta code moved the cursor by other than its length");
        encoded.resize(0);
        appendDeltaCode(encoded, *value);
        std::size_t again = 0;
        if (DecodeDelta(encoded, again) != value || again != static_cast<std::size_t>(encoded.size()))
            fuzzFailure("a delta code does not encode back to its value");
    }
}

void checkBlocks(std::span<const char> file)
{
    for (std::size_t at = HistoryHeaderSize; at + HistoryBlockSize <= file.size(); at += HistoryBlockSize) {
        HistoryBlockReader reader(file.subspan(at).first<HistoryBlockSize>());
        BlockStep step = BlockStep::Sample;
        while ((step = reader.next()) == BlockStep::Sample) {
            if (reader.index() > reader.deltaCount())
                fuzzFailure("a block gave more samples than its count");
        }
        const int index = reader.index();
        if (reader.next() != step || reader.index() != index)
            fuzzFailure("a finished block moved on");
    }
}

struct LoadingWorld
{
    QTemporaryDir folder;
    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
};

void checkLoad(std::span<const char> file, const TankChartRecord &chart, TrendRatio ratio)
{
    static LoadingWorld world;
    QFile out(world.folder.filePath(HistoryFileName));
    if (!out.open(QIODevice::WriteOnly)
        || out.write(file.data(), static_cast<qint64>(file.size())) != static_cast<qint64>(file.size()))
        fuzzFailure("the history file could not be written");
    out.close();
    TankRecord tank;
    tank.diameter = 12.5;
    tank.density20 = 918;
    LoadTrend(*world.series, DataFolder(world.folder.path()), chart, tank, ratio);
    if (world.series->sampleCount < 0 || world.series->sampleCount > TrendCapacity
        || world.series->loadedCount > TrendCapacity)
        fuzzFailure("a load left more samples than the series holds");
}

} // namespace

// Input: the level and the temperature channel (1 byte each, as signed), the period (1 byte, one of
// the chart's nine), then the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    TankChartRecord chart;
    chart.level.channel = input.takeValue<qint8>();
    chart.temperature.channel = input.takeValue<qint8>();
    const TrendRatio ratio = TrendPeriods[input.takeValue<quint8>() % TrendPeriods.size()].ratio;
    const std::span<const char> file = input.rest();
    checkDeltaCodes(file);
    checkBlocks(file);
    checkLoad(file, chart, ratio);
    return 0;
}
