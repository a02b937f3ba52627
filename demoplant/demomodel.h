// The demonstration plant's behaviour: fillings and withdrawals in the day shifts, quiet nights,
// fats kept warm, oils following the weather. It writes the demonstration history and drives the
// simulated plant.
#pragma once

#include "core/history/historyblock.h"
#include "core/plant/plantmodel.h"
#include "core/plant/slotarray.h"

#include <random>

// Random numbers from the raw engine, so every platform produces the same plant.
class Dice
{
public:
    explicit Dice(unsigned seed)
        : m_engine(seed)
    {}
    double between(double low, double high) { return low + (high - low) * (m_engine() / 4294967296.0); }
    bool chance(double probability) { return between(0, 1) < probability; }

private:
    std::mt19937 m_engine;
};

// Slot s carries its level on channel s - 1 and its temperature on channel 14 + s; channel 30 is
// the outdoor temperature and 31..53 the heating lines.
int demoLevelChannel(int slot);
int demoTemperatureChannel(int slot);

class DemoPlantModel
{
public:
    // Tanks filled between 20 and 80 % at random, fats and fatty acid at 48 degrees, oils at 22.
    DemoPlantModel(const TankTable &tanks, unsigned seed);

    // Tanks as a history sample left them (levels and temperatures of their channels), resting.
    void continueFrom(const HistorySample &sample);

    // Moves every tank on by stepHours at the moment dayOfRun (days since the run began, for the
    // weather) and hourOfDay (for the shifts).
    void advance(double dayOfRun, double hourOfDay, double stepHours);

    double level(int slot) const { return state(slot).level; }
    double temperature(int slot) const { return state(slot).temperature; }
    static double outdoorTemperature(double dayOfRun, double hourOfDay);

    // The channels of a history sample from the tanks, with the gauges' jitter of a step or two.
    void fillChannels(HistorySample &sample, double outdoor);

private:
    enum class Phase { Resting, Filling, Withdrawing };
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

    const TankState &state(int slot) const { return m_states[slot]; }
    void startOperation(TankState &tank, const TankRecord &record);
    void advanceTank(TankState &tank, const TankRecord &record, double outdoor, double hourOfDay, double stepHours);
    qint32 raw(double value);

    TankTable m_tanks;
    Dice m_dice;
    SlotArray<TankState> m_states;
};
