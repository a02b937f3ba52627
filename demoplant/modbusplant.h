// A Modbus TCP server on loopback for the simulated plant and the benchmarks: each unit id is one
// instrument with its own registers, all behind one port, served by one thread.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

struct _modbus_mapping_t;

class ModbusPlantServer
{
public:
    ModbusPlantServer();
    ~ModbusPlantServer(); // stops serving

    // Gives the unit `holding` holding and `input` input registers from address 0, all zero.
    // Before start() only.
    void addUnit(int unit, int holding, int input);
    // Listens on 127.0.0.1:port (0: a free port) and serves on a thread of its own. A request for
    // a unit that was not added answers the exception "gateway target failed to respond"; one past
    // a unit's registers "illegal data address". False when the port cannot be taken.
    bool start(quint16 port);
    quint16 port() const { return m_port; }

    // Thread-safe while serving.
    void setHolding(int unit, int address, quint16 value);
    void setInput(int unit, int address, quint16 value);

private:
    void serve(std::stop_token stop);

    std::map<int, _modbus_mapping_t *> m_units;
    std::mutex m_mutex;
    int m_listener = -1;
    quint16 m_port = 0;
    std::jthread m_thread;
};

// The registers of the simulated plant on port: units 1..15 are the tanks' radar level gauges
// (holding registers 0-1, the level in mm as uint32, high word first), units 101..115 their
// temperature transmitters (input register 0, int16 in tenths of a degree).
inline constexpr quint16 DemoPlantPort = 1502;
inline const QString DemoChannelMapFile = QStringLiteral("channels.csv");
inline constexpr int LevelGaugeUnitBase = 0;
inline constexpr int TemperatureUnitBase = 100;
QByteArray demoChannelMap(quint16 port);
