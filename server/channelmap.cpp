// Parsing the channel map line by line, each field checked where it stands.
#include "server/channelmap.h"

#include <QSet>
#include <QStringList>

#include <array>
#include <cmath>

namespace {

using namespace Qt::StringLiterals;

constexpr int ChannelLimit = 54;
constexpr int HighestUnit = 247;
constexpr int HighestRegister = 65535;
constexpr int DefaultPort = 502;

enum Column { Channel, Host, Port, Unit, Function, Register, Type, Scale, Offset, ColumnCount };

const QStringList ColumnNames{u"channel"_s,  u"host"_s, u"port"_s,  u"unit"_s,  u"function"_s,
                              u"register"_s, u"type"_s, u"scale"_s, u"offset"_s};

struct TypeName
{
    QStringView name;
    RegisterType type;
};

constexpr std::array<TypeName, 8> TypeNames{{
    {u"int16", RegisterType::Int16},
    {u"uint16", RegisterType::UInt16},
    {u"int32", RegisterType::Int32},
    {u"uint32", RegisterType::UInt32},
    {u"float32", RegisterType::Float32},
    {u"int32sw", RegisterType::Int32Swapped},
    {u"uint32sw", RegisterType::UInt32Swapped},
    {u"float32sw", RegisterType::Float32Swapped},
}};

struct Fault
{
    int column; // 0-based
    QString why;
};

std::optional<int> integerIn(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<double> finiteNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Fault rangeFault(int column, int lowest, int highest)
{
    return {column, u"expected a whole number from %1 to %2"_s.arg(lowest).arg(highest)};
}

// Fills source from the fields of one line; the first fault found.
std::optional<Fault> readFields(const QStringList &fields, ChannelSource &source)
{
    const std::optional<int> channel = integerIn(fields[Channel], 0, ChannelLimit - 1);
    if (!channel)
        return rangeFault(Channel, 0, ChannelLimit - 1);
    source.channel = *channel;
    source.device.host = fields[Host];
    if (source.device.host.isEmpty())
        return Fault{Host, u"the host is empty"_s};
    const std::optional<int> port = fields[Port].isEmpty() ? DefaultPort : integerIn(fields[Port], 1, 65535);
    if (!port)
        return rangeFault(Port, 1, 65535);
    source.device.port = *port;
    const std::optional<int> unit = integerIn(fields[Unit], 0, HighestUnit);
    if (!unit)
        return rangeFault(Unit, 0, HighestUnit);
    source.device.unit = *unit;
    const std::optional<int> function = integerIn(fields[Function], ReadHoldingRegisters, ReadInputRegisters);
    if (!function)
        return Fault{Function, u"expected 3 (holding registers) or 4 (input registers)"_s};
    source.function = *function;
    const auto type
        = std::find_if(TypeNames.begin(), TypeNames.end(), [&](const TypeName &t) { return t.name == fields[Type]; });
    if (type == TypeNames.end())
        return Fault{Type, u"expected int16, uint16, int32, uint32, float32, int32sw, uint32sw or float32sw"_s};
    source.type = type->type;
    const int lastAddress = HighestRegister + 1 - registerCount(source.type);
    const std::optional<int> address = integerIn(fields[Register], 0, lastAddress);
    if (!address)
        return rangeFault(Register, 0, lastAddress);
    source.address = *address;
    const std::optional<double> scale = finiteNumber(fields[Scale]);
    if (!scale)
        return Fault{Scale, u"expected a number"_s};
    source.scale = *scale;
    const std::optional<double> offset = finiteNumber(fields[Offset]);
    if (!offset)
        return Fault{Offset, u"expected a number"_s};
    source.offset = *offset;
    return std::nullopt;
}

QString faultText(int line, const Fault &fault)
{
    const QString name = fault.column < ColumnCount ? ColumnNames[fault.column] : u"extra"_s;
    return u"line %1, column %2 (%3): %4"_s.arg(line).arg(fault.column + 1).arg(name, fault.why);
}

QStringList trimmedFields(QStringView line)
{
    QStringList fields;
    for (QStringView field : line.split(u','))
        fields.append(field.trimmed().toString());
    return fields;
}

} // namespace

int registerCount(RegisterType type) { return type == RegisterType::Int16 || type == RegisterType::UInt16 ? 1 : 2; }

ChannelMapParse parseChannelMap(QStringView text)
{
    bool headerSeen = false;
    QSet<int> channels;
    ChannelMapParse parse;
    const auto failed = [](int line, const Fault &fault) { return ChannelMapParse{{}, faultText(line, fault)}; };
    int lineNumber = 0;
    for (QStringView line : text.split(u'\n')) {
        ++lineNumber;
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = trimmedFields(line);
        if (!headerSeen) {
            for (int c = 0; c < ColumnCount; ++c) {
                if (c >= fields.size() || fields[c] != ColumnNames[c])
                    return failed(lineNumber, {c, u"the header must be %1"_s.arg(ColumnNames.join(u','))});
            }
            if (fields.size() > ColumnCount)
                return failed(lineNumber, {ColumnCount, u"the header has more than 9 columns"_s});
            headerSeen = true;
            continue;
        }
        if (fields.size() != ColumnCount) {
            const int column = std::min<int>(static_cast<int>(fields.size()), ColumnCount);
            return failed(lineNumber, {column, u"expected 9 columns, found %1"_s.arg(fields.size())});
        }
        ChannelSource source;
        if (const std::optional<Fault> fault = readFields(fields, source))
            return failed(lineNumber, *fault);
        if (channels.contains(source.channel))
            return failed(lineNumber, {Channel, u"channel %1 is mapped twice"_s.arg(source.channel)});
        channels.insert(source.channel);
        parse.channels.append(source);
    }
    if (!headerSeen)
        return failed(lineNumber, {Channel, u"the header is missing"_s});
    return parse;
}
