// Tanks that fill, empty, heat and cool.
#include "demoplant/demomodel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using namespace Qt::StringLiterals;

constexpr int OutdoorChannel = 30;
constexpr double HeatedLow = 45.0;          // degrees: the heating switches on below
constexpr double HeatedHigh = 52.0;         // and off above
constexpr double ProductTemperature = 38.0; // of what arrives in a filling
constexpr double CoolingHours = 90.0;       // time constant of a full tank towards the air
constexpr double HeatingPerHour = 1.2;      // degrees the heating adds
// An operation starts in a day-shift step of 10 minutes with this chance.
constexpr double OperationChance = 0.012;
constexpr double ChanceStepHours = 10.0 / 60.0;

bool dayShift(double hourOfDay) { return hourOfDay >= 6.0 && hourOfDay < 22.0; }

bool keptWarm(const TankRecord &record)
{
    return record.materialKind.contains(u"mast"_s) || record.materialKind.contains(u"kiselina"_s);
}

} // namespace

int demoLevelChannel(int slot) { return slot - 1; }

int demoTemperatureChannel(int slot) { return TankCount - 1 + slot; }

DemoPlantModel::DemoPlantModel(const TankTable &tanks, unsigned seed)
    : m_tanks(tanks)
    , m_dice(seed)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankState &tank = m_states[slot];
        tank.heated = keptWarm(tanks.slot(slot));
        tank.level = tanks.slot(slot).maxLevel * m_dice.between(0.2, 0.8);
        tank.temperature = tank.heated ? 48.0 : 22.0;
    }
}

void DemoPlantModel::continueFrom(const HistorySample &sample)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankState &tank = m_states[slot];
        tank.level
            = static_cast<double>(channelValue(sample.channels[static_cast<std::size_t>(demoLevelChannel(slot))]));
        tank.temperature = static_cast<double>(
            channelValue(sample.channels[static_cast<std::size_t>(demoTemperatureChannel(slot))]));
        tank.phase = Phase::Resting;
    }
}

double DemoPlantModel::outdoorTemperature(double dayOfRun, double hourOfDay)
{
    return 14.0 + 3.0 * std::sin(dayOfRun / 9.0) + 6.0 * std::sin((hourOfDay - 9.0) * std::numbers::pi / 12.0);
}

void DemoPlantModel::advance(double dayOfRun, double hourOfDay, double stepHours)
{
    const double outdoor = outdoorTemperature(dayOfRun, hourOfDay);
    for (int slot = 1; slot <= TankCount; ++slot)
        advanceTank(m_states[slot], m_tanks.slot(slot), outdoor, hourOfDay, stepHours);
}

void DemoPlantModel::startOperation(TankState &tank, const TankRecord &record)
{
    const double fullness = tank.level / record.maxLevel;
    const bool fill = fullness < 0.35 || (fullness < 0.7 && m_dice.chance(0.5));
    tank.phase = fill ? Phase::Filling : Phase::Withdrawing;
    tank.target = record.maxLevel * (fill ? m_dice.between(0.8, 0.92) : m_dice.between(0.08, 0.25));
    tank.rate = fill ? m_dice.between(0.6, 1.5) : m_dice.between(0.3, 0.9);
}

// Operations only in the day shifts, the heating's thermostat, cooling towards the air and the
// warmth a filling brings in.
void DemoPlantModel::advanceTank(TankState &tank, const TankRecord &record, double outdoor, double hourOfDay,
                                 double stepHours)
{
    if (tank.phase == Phase::Resting && dayShift(hourOfDay)
        && m_dice.chance(OperationChance * (stepHours / ChanceStepHours)))
        startOperation(tank, record);
    if (tank.phase != Phase::Resting && dayShift(hourOfDay)) {
        const double step = tank.rate * stepHours;
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
    tank.temperature
        += (outdoor - tank.temperature) * stepHours / CoolingHours + (tank.heating ? HeatingPerHour * stepHours : 0.0);
}

qint32 DemoPlantModel::raw(double value)
{
    return static_cast<qint32>(std::lround(value * 500.0 + m_dice.between(-1.5, 1.5))) - 16000;
}

void DemoPlantModel::fillChannels(HistorySample &sample, double outdoor)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        sample.channels[static_cast<std::size_t>(demoLevelChannel(slot))] = raw(level(slot));
        sample.channels[static_cast<std::size_t>(demoTemperatureChannel(slot))] = raw(temperature(slot));
    }
    for (int c = OutdoorChannel; c < ChannelCount; ++c)
        sample.channels[static_cast<std::size_t>(c)] = raw(c == OutdoorChannel ? outdoor : 60.0 + (c - OutdoorChannel));
}
