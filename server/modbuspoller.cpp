// The libmodbus side of the poll: one context per device, reads in parallel threads.
#include "server/modbuspoller.h"

#include "server/serverlog.h"

#include <modbus.h>

#include <cerrno>
#include <cmath>
#include <thread>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

QString deviceName(const DeviceAddress &device)
{
    return u"%1:%2 unit %3"_s.arg(device.host).arg(device.port).arg(device.unit);
}

QString modbusError() { return QString::fromLocal8Bit(modbus_strerror(errno)); }

} // namespace

// One device's connection, kept open between polls and opened again after a failure.
class DeviceLink
{
public:
    DeviceLink(const DevicePlan &plan, std::chrono::milliseconds timeout, const ServerLog &log)
        : m_plan(plan)
        , m_log(log)
    {
        m_context = modbus_new_tcp_pi(plan.device.host.toUtf8().constData(),
                                      QByteArray::number(plan.device.port).constData());
        if (!m_context)
            return;
        const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(timeout).count();
        modbus_set_slave(m_context, plan.device.unit);
        modbus_set_response_timeout(m_context, static_cast<uint32_t>(micro / 1'000'000),
                                    static_cast<uint32_t>(micro % 1'000'000));
        modbus_set_byte_timeout(m_context, static_cast<uint32_t>(micro / 1'000'000),
                                static_cast<uint32_t>(micro % 1'000'000));
    }

    ~DeviceLink()
    {
        if (m_context) {
            modbus_close(m_context);
            modbus_free(m_context);
        }
    }

    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    DeviceReading poll()
    {
        DeviceReading reading = read();
        if (!reading.answered && m_connected) {
            modbus_close(m_context);
            m_connected = false;
        }
        if (reading.answered != m_answering) {
            m_answering = reading.answered;
            m_log.write(LogLevel::Info, reading.answered
                                            ? u"device %1 answers again"_s.arg(deviceName(m_plan.device))
                                            : u"device %1 lost: %2"_s.arg(deviceName(m_plan.device), reading.failure));
        }
        return reading;
    }

private:
    DeviceReading read()
    {
        if (!m_context)
            return {false, u"cannot create a Modbus context"_s, {}};
        if (!m_connected) {
            if (modbus_connect(m_context) != 0)
                return {false, u"no connection: %1"_s.arg(modbusError()), {}};
            m_connected = true;
        }
        std::vector<std::vector<quint16>> words;
        for (const RegisterRead &request : m_plan.reads) {
            std::vector<quint16> answer(static_cast<std::size_t>(request.count));
            const int got = request.function == ReadInputRegisters
                                ? modbus_read_input_registers(m_context, request.address, request.count, answer.data())
                                : modbus_read_registers(m_context, request.address, request.count, answer.data());
            if (got != request.count)
                return {
                    false,
                    u"function %1 at register %2: %3"_s.arg(request.function).arg(request.address).arg(modbusError()),
                    {}};
            words.push_back(std::move(answer));
        }
        DeviceReading reading{true, {}, {}};
        for (const PlannedChannel &planned : m_plan.channels) {
            const std::vector<quint16> &answer = words[static_cast<std::size_t>(planned.read)];
            const std::span<const quint16> registers(answer.data() + planned.first,
                                                     static_cast<std::size_t>(registerCount(planned.source.type)));
            reading.values.append({planned.source.channel, engineeringValue(planned.source, registers)});
        }
        return reading;
    }

    const DevicePlan m_plan;
    const ServerLog &m_log;
    modbus_t *m_context = nullptr;
    bool m_connected = false;
    bool m_answering = true; // so that a device dead from the start is reported once
};

void applyReadings(LiveRecord &record, const QList<DevicePlan> &plans, const std::vector<DeviceReading> &readings)
{
    for (qsizetype d = 0; d < plans.size(); ++d) {
        for (const PlannedChannel &planned : plans[d].channels)
            record.quality[static_cast<std::size_t>(planned.source.channel)] = LiveQuality::Stale;
        for (const auto &[channel, value] : readings[static_cast<std::size_t>(d)].values) {
            if (std::isnan(value))
                continue;
            const ChannelRaw raw = channelRaw(value);
            record.raw[static_cast<std::size_t>(channel)] = raw.raw;
            record.quality[static_cast<std::size_t>(channel)] = raw.clamped ? LiveQuality::Clamped : LiveQuality::Good;
        }
    }
}

ModbusPoller::ModbusPoller(const QList<ChannelSource> &channels, std::chrono::milliseconds timeout,
                           const ServerLog &log)
    : m_plans(planPolls(channels))
    , m_record(LiveRecord::unmapped())
{
    for (const DevicePlan &plan : m_plans) {
        m_links.push_back(std::make_unique<DeviceLink>(plan, timeout, log));
        for (const PlannedChannel &planned : plan.channels)
            m_record.quality[static_cast<std::size_t>(planned.source.channel)] = LiveQuality::Stale;
    }
}

ModbusPoller::~ModbusPoller() = default;

const LiveRecord &ModbusPoller::poll(HistoryStamp stamp)
{
    std::vector<DeviceReading> readings(m_links.size());
    {
        std::vector<std::jthread> threads;
        threads.reserve(m_links.size());
        for (std::size_t d = 0; d < m_links.size(); ++d)
            threads.emplace_back([this, d, &readings] { readings[d] = m_links[d]->poll(); });
    }
    m_record.poll = stamp;
    applyReadings(m_record, m_plans, readings);
    return m_record;
}
