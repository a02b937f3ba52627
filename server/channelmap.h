// The channel map: which instrument register feeds which history channel, read from a CSV file.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// How a channel's registers hold its raw value. The 32-bit types take two registers, high word
// first; the "Swapped" ones low word first.
enum class RegisterType { Int16, UInt16, Int32, UInt32, Float32, Int32Swapped, UInt32Swapped, Float32Swapped };

// 1 or 2.
int registerCount(RegisterType type);

// Modbus read functions: holding and input registers.
inline constexpr int ReadHoldingRegisters = 3;
inline constexpr int ReadInputRegisters = 4;

// One Modbus TCP device: a connection to host and port, addressed as unit.
struct DeviceAddress
{
    QString host;
    int port = 502;
    int unit = 0;
    bool operator==(const DeviceAddress &) const = default;
};

// One line of the map; the engineering value is raw x scale + offset.
struct ChannelSource
{
    int channel = 0; // history channel 0..53
    DeviceAddress device;
    int function = ReadHoldingRegisters;
    int address = 0; // 0-based register address, as on the wire
    RegisterType type = RegisterType::UInt16;
    double scale = 1.0;
    double offset = 0.0;
};

struct ChannelMapParse
{
    QList<ChannelSource> channels; // in file order
    QString error;                 // "line L, column C (name): why"; empty when the map is good
};

// The text of a map file: the header `channel,host,port,unit,function,register,type,scale,offset`,
// then one channel per line; blank lines and lines starting with '#' are skipped, fields are
// trimmed. The first fault found ends the parse with no channels.
ChannelMapParse parseChannelMap(QStringView text);
