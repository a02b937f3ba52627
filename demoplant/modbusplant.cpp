// libmodbus's server side: select over the listening socket and the clients, one reply at a time.
#include "demoplant/modbusplant.h"

#include "core/plant/plantmodel.h"
#include "demoplant/demomodel.h"

#include <QByteArray>
#include <QString>

#include <modbus.h>

#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <set>

namespace {

constexpr int PollMs = 100; // how soon a stop is noticed

} // namespace

ModbusPlantServer::ModbusPlantServer() = default;

ModbusPlantServer::~ModbusPlantServer()
{
    if (m_thread.joinable()) {
        m_thread.request_stop();
        m_thread.join();
    }
    if (m_listener >= 0)
        ::close(m_listener);
    for (const auto &[unit, mapping] : m_units)
        modbus_mapping_free(mapping);
}

void ModbusPlantServer::addUnit(int unit, int holding, int input)
{
    m_units[unit] = modbus_mapping_new(0, 0, holding, input);
}

bool ModbusPlantServer::start(quint16 port)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(m_listener, 64) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return false;
    m_port = ntohs(address.sin_port);
    m_thread = std::jthread([this](std::stop_token stop) { serve(std::move(stop)); });
    return true;
}

void ModbusPlantServer::setHolding(int unit, int address, quint16 value)
{
    const std::scoped_lock lock(m_mutex);
    m_units.at(unit)->tab_registers[address] = value;
}

void ModbusPlantServer::setInput(int unit, int address, quint16 value)
{
    const std::scoped_lock lock(m_mutex);
    m_units.at(unit)->tab_input_registers[address] = value;
}

void ModbusPlantServer::serve(std::stop_token stop)
{
    modbus_t *context = modbus_new_tcp("127.0.0.1", m_port);
    std::set<int> clients;
    std::array<quint8, MODBUS_TCP_MAX_ADU_LENGTH> query{};
    while (!stop.stop_requested()) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(m_listener, &ready);
        int highest = m_listener;
        for (const int client : clients) {
            FD_SET(client, &ready);
            highest = std::max(highest, client);
        }
        timeval timeout{0, PollMs * 1000};
        if (::select(highest + 1, &ready, nullptr, nullptr, &timeout) <= 0)
            continue;
        if (FD_ISSET(m_listener, &ready)) {
            const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                clients.insert(client);
        }
        for (auto it = clients.begin(); it != clients.end();) {
            if (!FD_ISSET(*it, &ready)) {
                ++it;
                continue;
            }
            modbus_set_socket(context, *it);
            const int received = modbus_receive(context, query.data());
            if (received > 0) {
                const int unit = query[6]; // the unit id follows the 6-byte MBAP header
                const std::scoped_lock lock(m_mutex);
                if (const auto found = m_units.find(unit); found != m_units.end())
                    modbus_reply(context, query.data(), received, found->second);
                else
                    modbus_reply_exception(context, query.data(), MODBUS_EXCEPTION_GATEWAY_TARGET);
            }
            if (received < 0) {
                ::close(*it);
                it = clients.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const int client : clients)
        ::close(client);
    modbus_free(context);
}

QByteArray demoChannelMap(quint16 port)
{
    QString map = QStringLiteral("# The simulated plant: a radar level gauge and a temperature transmitter per tank.\n"
                                 "channel,host,port,unit,function,register,type,scale,offset\n");
    for (int slot = 1; slot <= TankCount; ++slot) {
        map += QStringLiteral("%1,127.0.0.1,%2,%3,3,0,uint32,0.001,0\n")
                   .arg(demoLevelChannel(slot))
                   .arg(port)
                   .arg(LevelGaugeUnitBase + slot);
        map += QStringLiteral("%1,127.0.0.1,%2,%3,4,0,int16,0.1,0\n")
                   .arg(demoTemperatureChannel(slot))
                   .arg(port)
                   .arg(TemperatureUnitBase + slot);
    }
    return map.toUtf8();
}
