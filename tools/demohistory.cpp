// A plant's two months: fillings and withdrawals in the day shifts, heating, cooling with the weather.
#include "tools/demohistory.h"

#include "core/history/chartrecordfile.h"
#include "core/history/historyencoder.h"
#include "tools/demoplantmap.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

constexpr double StepHours = DemoSampleSeconds / 3600.0;
constexpr int OutdoorChannel = 30;
constexpr double HeatedLow = 45.0;  // degrees: the heating switches on below
constexpr double HeatedHigh = 52.0; // and off above
constexpr double ProductTemperature = 38.0; // of what arrives in a filling
constexpr double CoolingHours = 90.0;       // time constant of a full tank towards the air

enum class Phase { Resting, Filling, Withdrawing };

// Random numbers from the raw engine, so every platform produces the same history.
class Dice
{
public:
    explicit Dice(unsigned seed) : m_engine(seed) {}
    double between(double low, double high) { return low + (high - low) * (m_engine() / 4294967296.0); }
    bool chance(double probability) { return between(0, 1) < probability; }

private:
    std::mt19937 m_engine;
};

struct TankState
{
    double level = 0;
    double temperature = 0;
    Phase phase = Phase::Resting;
    double target = 0; // m, where the running filling or withdrawal stops
    double rate = 0;   // m per hour
    bool heated = false;
    bool heating = false;
};

double outdoorTemperature(double dayOfRun, double hourOfDay)
{
    return 14.0 + 3.0 * std::sin(dayOfRun / 9.0) + 6.0 * std::sin((hourOfDay - 9.0) * std::numbers::pi / 12.0);
}

bool dayShift(double hourOfDay)
{
    return hourOfDay >= 6.0 && hourOfDay < 22.0;
}

void startOperation(TankState &tank, const TankRecord &record, Dice &dice)
{
    const double fullness = tank.level / record.maxLevel;
    const bool fill = fullness < 0.35 || (fullness < 0.7 && dice.chance(0.5));
    tank.phase = fill ? Phase::Filling : Phase::Withdrawing;
    tank.target = record.maxLevel * (fill ? dice.between(0.8, 0.92) : dice.between(0.08, 0.25));
    tank.rate = fill ? dice.between(0.6, 1.5) : dice.between(0.3, 0.9);
}

// One step of 10 minutes: operations only in the day shifts, the heating's thermostat, cooling
// towards the air and the warmth a filling brings in.
void advance(TankState &tank, const TankRecord &record, double outdoor, double hourOfDay, Dice &dice)
{
    if (tank.phase == Phase::Resting && dayShift(hourOfDay) && dice.chance(0.012))
        startOperation(tank, record, dice);
    if (tank.phase != Phase::Resting && dayShift(hourOfDay)) {
        const double step = tank.rate * StepHours;
        const double before = tank.level;
        if (tank.phase == Phase::Filling)
            tank.level = std::min(tank.level + step, tank.target);
        else
            tank.level = std::max(tank.level - step, tank.target);
        if (tank.phase == Phase::Filling && tank.level > 0)
            tank.temperature += (ProductTemperature - tank.temperature) * (tank.level - before) / tank.level;
        if (tank.level == tank.target)
            tank.phase = Phase::Resting;
    }
    tank.heating = tank.heated && (tank.temperature < HeatedLow || (tank.heating && tank.temperature < HeatedHigh));
    tank.temperature += (outdoor - tank.temperature) * StepHours / CoolingHours + (tank.heating ? 1.2 * StepHours : 0.0);
}

bool keptWarm(const TankRecord &record)
{
    return record.materialKind.contains(u"mast"_s) || record.materialKind.contains(u"kiselina"_s);
}

// The raw channel value of an engineering value, with the gauge's jitter of a step or two.
qint32 raw(double value, Dice &dice)
{
    return static_cast<qint32>(std::lround(value * 500.0 + dice.between(-1.5, 1.5))) - 16000;
}

std::vector<HistorySample> simulate(const TankTable &tanks, HistoryStamp stamp)
{
    Dice dice(1986);
    std::array<TankState, TankCount> states;
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankState &tank = states[static_cast<std::size_t>(slot - 1)];
        tank.heated = keptWarm(tanks.slot(slot));
        tank.level = tanks.slot(slot).maxLevel * dice.between(0.2, 0.8);
        tank.temperature = tank.heated ? 48.0 : 22.0;
    }
    std::vector<HistorySample> samples(DemoSampleCount);
    for (int i = 0; i < DemoSampleCount; ++i) {
        if (i > 0)
            AddSeconds(stamp.date, stamp.timeMs, DemoSampleSeconds);
        const double hour = stamp.timeMs / 3'600'000.0;
        const double outdoor = outdoorTemperature(i / 144.0, hour);
        HistorySample &sample = samples[static_cast<std::size_t>(i)];
        sample.stamp = stamp;
        for (int slot = 1; slot <= TankCount; ++slot) {
            TankState &tank = states[static_cast<std::size_t>(slot - 1)];
            advance(tank, tanks.slot(slot), outdoor, hour, dice);
            sample.channels[static_cast<std::size_t>(demoLevelChannel(slot))] = raw(tank.level, dice);
            sample.channels[static_cast<std::size_t>(demoTemperatureChannel(slot))] = raw(tank.temperature, dice);
        }
        for (int c = OutdoorChannel; c < ChannelCount; ++c)
            sample.channels[static_cast<std::size_t>(c)] = raw(c == OutdoorChannel ? outdoor : 60.0 + (c - OutdoorChannel), dice);
    }
    return samples;
}

int ceilingTo(double value, int step)
{
    return static_cast<int>(std::ceil(value / step)) * step;
}

ChartSettings settings(int scaleMax, int lineWidth, int decimals, const QString &unit, quint32 colour, int axisSide)
{
    return {scaleMax, 0, lineWidth, 0, decimals, unit, colour, axisSide};
}

} // namespace

int demoLevelChannel(int slot)
{
    return slot - 1;
}

int demoTemperatureChannel(int slot)
{
    return TankCount - 1 + slot;
}

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
        TankChartRecord &record = records[static_cast<std::size_t>(slot - 1)];
        record.chartTitle = u"Rezervoar %1"_s.arg(TankIdList[static_cast<std::size_t>(slot - 1)]);
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
