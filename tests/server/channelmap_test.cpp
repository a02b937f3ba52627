// The channel map's faults by line and column, and the reads a poll makes.
#include "server/channelmap.h"
#include "server/pollplan.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace Qt::StringLiterals;

const QString Header = u"channel,host,port,unit,function,register,type,scale,offset\n"_s;

TEST(ChannelMapTest, ReadsEveryColumnAndSkipsCommentsAndBlankLines)
{
    const ChannelMapParse parse = parseChannelMap(
        u"# tank farm\n\n"_s + Header + u"0, 10.0.0.5, ,1,3,40,float32sw,0.001,-2.5\r\n  # spare\n53,gauge-7,1502,247,4,65534,uint32,2,0\n"_s);
    ASSERT_EQ(parse.error, QString());
    ASSERT_EQ(parse.channels.size(), 2);
    const ChannelSource &first = parse.channels[0];
    EXPECT_EQ(first.device, (DeviceAddress{u"10.0.0.5"_s, 502, 1}));
    EXPECT_EQ(first.function, 3);
    EXPECT_EQ(first.address, 40);
    EXPECT_EQ(first.type, RegisterType::Float32Swapped);
    EXPECT_EQ(first.scale, 0.001);
    EXPECT_EQ(first.offset, -2.5);
    EXPECT_EQ(parse.channels[1].channel, 53);
    EXPECT_EQ(parse.channels[1].device, (DeviceAddress{u"gauge-7"_s, 1502, 247}));
}

TEST(ChannelMapTest, NamesTheLineAndColumnOfAFault)
{
    const std::pair<const char *, const char *> cases[] = { // the text after the header, which is line 1
        {"54,h,,1,3,0,int16,1,0", "line 2, column 1 (channel)"},
        {"-1,h,,1,3,0,int16,1,0", "line 2, column 1 (channel)"},
        {"\n5,h,,1,3,0,int16,1,0\n# x\n5,h,,1,3,2,int16,1,0", "line 5, column 1 (channel): channel 5 is mapped twice"},
        {"0, ,,1,3,0,int16,1,0", "line 2, column 2 (host)"},
        {"0,h,0,1,3,0,int16,1,0", "line 2, column 3 (port)"},
        {"0,h,65536,1,3,0,int16,1,0", "line 2, column 3 (port)"},
        {"0,h,,248,3,0,int16,1,0", "line 2, column 4 (unit)"},
        {"0,h,,1,6,0,int16,1,0", "line 2, column 5 (function)"},
        {"0,h,,1,3,65536,int16,1,0", "line 2, column 6 (register)"},
        {"0,h,,1,3,65535,int32,1,0", "line 2, column 6 (register)"},
        {"0,h,,1,3,0,float64,1,0", "line 2, column 7 (type)"},
        {"0,h,,1,3,0,int16,,0", "line 2, column 8 (scale)"},
        {"0,h,,1,3,0,int16,1,inf", "line 2, column 9 (offset)"},
        {"0,h,,1,3,0,int16,1", "line 2, column 9 (offset)"},
        {"0,h,,1,3,0,int16,1,0,7", "line 2, column 10 (extra)"}};
    for (const auto &[text, error] : cases) {
        const ChannelMapParse parse = parseChannelMap(Header + QString::fromLatin1(text));
        EXPECT_TRUE(parse.channels.isEmpty()) << text;
        EXPECT_TRUE(parse.error.startsWith(QString::fromLatin1(error))) << parse.error.toStdString();
    }
}

TEST(ChannelMapTest, RefusesAMissingOrWrongHeader)
{
    EXPECT_TRUE(parseChannelMap(u"# only a comment\n"_s).error.startsWith(u"line 2, column 1 (channel): the header is missing"_s));
    EXPECT_TRUE(parseChannelMap(u"channel,host,port,unit,function,register,kind,scale,offset\n"_s)
                    .error.startsWith(u"line 1, column 7 (type)"_s));
    EXPECT_TRUE(parseChannelMap(u"0,h,,1,3,0,int16,1,0\n"_s).error.startsWith(u"line 1, column 1 (channel)"_s));
}

ChannelSource source(int channel, const QString &host, int function, int address, RegisterType type, int unit = 1)
{
    return {channel, {host, 502, unit}, function, address, type, 1.0, 0.0};
}

TEST(PollPlanTest, OneDevicePerHostPortAndUnitInMapOrder)
{
    const QList<DevicePlan> plans = planPolls({source(0, u"b"_s, 3, 0, RegisterType::Int16),
                                               source(1, u"a"_s, 3, 0, RegisterType::Int16),
                                               source(2, u"b"_s, 3, 1, RegisterType::Int16, 2),
                                               source(3, u"b"_s, 3, 1, RegisterType::Int16)});
    ASSERT_EQ(plans.size(), 3);
    EXPECT_EQ(plans[0].device, (DeviceAddress{u"b"_s, 502, 1}));
    EXPECT_EQ(plans[0].reads, (QList<RegisterRead>{{3, 0, 2}}));
    EXPECT_EQ(plans[1].device.host, u"a"_s);
    EXPECT_EQ(plans[2].device.unit, 2);
}

QList<ChannelSource> floatsFrom(int address, int count)
{
    QList<ChannelSource> channels;
    for (int i = 0; i < count; ++i)
        channels.append(source(i, u"h"_s, 4, address + 2 * i, RegisterType::Float32));
    return channels;
}

TEST(PollPlanTest, JoinsNeighboursUpTo125Registers)
{
    const std::pair<QList<ChannelSource>, QList<RegisterRead>> cases[] = {
        {{source(0, u"h"_s, 3, 11, RegisterType::Int16), source(1, u"h"_s, 3, 10, RegisterType::Int16)}, {{3, 10, 2}}},
        {{source(0, u"h"_s, 3, 10, RegisterType::Int16), source(1, u"h"_s, 3, 12, RegisterType::Int16)}, {{3, 10, 1}, {3, 12, 1}}},
        {{source(0, u"h"_s, 3, 10, RegisterType::Int16), source(1, u"h"_s, 4, 11, RegisterType::Int16)}, {{3, 10, 1}, {4, 11, 1}}},
        {{source(0, u"h"_s, 3, 10, RegisterType::Int32), source(1, u"h"_s, 3, 11, RegisterType::UInt16)}, {{3, 10, 2}}}, // overlap
        {floatsFrom(0, 70), {{4, 0, 124}, {4, 124, 16}}},
        {floatsFrom(0, 62) + QList{source(62, u"h"_s, 4, 124, RegisterType::UInt16)}, {{4, 0, 125}}}};
    for (const auto &[channels, reads] : cases) {
        SCOPED_TRACE(reads.size());
        const QList<DevicePlan> plans = planPolls(channels);
        ASSERT_EQ(plans.size(), 1);
        EXPECT_EQ(plans[0].reads, reads);
        for (const PlannedChannel &planned : plans[0].channels) {
            const RegisterRead &read = plans[0].reads[planned.read];
            EXPECT_EQ(read.function, planned.source.function);
            EXPECT_EQ(read.address + planned.first, planned.source.address);
            EXPECT_LE(planned.first + registerCount(planned.source.type), read.count);
        }
    }
}

} // namespace
