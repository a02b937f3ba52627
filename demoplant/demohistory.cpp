// A plant's two months from the demonstration model, one sample every 10 minutes.
#include "demoplant/demohistory.h"

#include "core/history/chartrecordfile.h"
#include "core/history/historyencoder.h"
#include "demoplant/demoplantmap.h"

#include <QDir>

#include <cmath>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

constexpr double StepHours = DemoSampleSeconds / 3600.0;
constexpr unsigned DemoSeed = 1986;

std::vector<HistorySample> simulate(const TankTable &tanks, HistoryStamp stamp)
{
    DemoPlantModel plant(tanks, DemoSeed);
    std::vector<HistorySample> samples(DemoSampleCount);
    for (int i = 0; i < DemoSampleCount; ++i) {
        if (i > 0)
            AddSeconds(stamp.date, stamp.timeMs, DemoSampleSeconds);
        const double hour = stamp.timeMs / 3'600'000.0;
        const double day = i / 144.0;
        HistorySample &sample = samples[static_cast<std::size_t>(i)];
        sample.stamp = stamp;
        plant.advance(day, hour, StepHours);
        plant.fillChannels(sample, DemoPlantModel::outdoorTemperature(day, hour));
    }
    return samples;
}

int ceilingTo(double value, int step) { return static_cast<int>(std::ceil(value / step)) * step; }

ChartSettings settings(int scaleMax, int lineWidth, int decimals, const QString &unit, quint32 colour, int axisSide)
{
    return {scaleMax, 0, lineWidth, 0, decimals, unit, colour, axisSide};
}

} // namespace

QByteArray demoHistoryFile(const TankTable &tanks, const QDateTime &end)
{
    HistoryStamp stamp{packDate(end.date().year(), end.date().month(), end.date().day()),
                       static_cast<quint32>(end.time().msecsSinceStartOfDay() / 1000 * 1000)};
    AddSeconds(stamp.date, stamp.timeMs, -(DemoSampleCount - 1) * DemoSampleSeconds);
    // The header is the acquisition side's; ours only names its origin.
    return encodeHistoryFile(simulate(tanks, stamp), DemoSampleSeconds, "Skladar demonstration history");
}

TankChartRecords demoChartRecords(const TankTable &tanks)
{
    TankChartRecords records{};
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRecord &tank = tanks.slot(slot);
        TankChartRecord &record = records[slot];
        record.chartTitle = u"Rezervoar %1"_s.arg(TankIdList[slot]);
        record.legendLevel = u"Nivo"_s;
        record.legendTemperature = u"Temperatura"_s;
        record.legendMass = u"Masa"_s;
        record.legendVolume = u"Zapremina"_s;
        record.level = settings(static_cast<int>(std::ceil(tank.maxLevel)), 2, 2, u"m"_s, 0xB05000, 1);
        record.level.channel = demoLevelChannel(slot);
        record.temperature = settings(70, 2, 1, u"\u00B0C"_s, 0x0000D0, 2);
        record.temperature.channel = demoTemperatureChannel(slot);
        record.mass = settings(ceilingTo(tank.maxVolume * tank.density20 / 1000.0, 50), 1, 0, u"t"_s, 0x208000, 0);
        record.volume = settings(ceilingTo(tank.maxVolume, 50), 1, 0, u"m3"_s, 0xA000A0, 0);
    }
    return records;
}

std::optional<QString> writeDemoHistory(const QString &folder, const TankTable &tanks, const QDateTime &end)
{
    const QDir dir(folder);
    if (std::optional<QString> error = writeDemoFile(dir, HistoryFileName, demoHistoryFile(tanks, end)))
        return error;
    return writeDemoFile(dir, ChartRecordFileName, encodeChartRecords(demoChartRecords(tanks)));
}
