// Hand-built "REPORT.STG" blocks and files, and "Report.rez" files for them.
#pragma once

#include "core/codec/bytes.h"
#include "core/history/chartrecord.h"
#include "core/history/historyblock.h"
#include "core/history/historyencoder.h"

#include <QByteArray>
#include <QFile>
#include <QList>

struct DeltaSample
{
    qint32 seconds;
    qint32 level; // added to channel 0; the other channels stay
};

// deltaCount is samples.size() unless given; the stream after the samples is filled with `fill`.
inline std::array<char, HistoryBlockSize> historyBlock(HistoryStamp base, qint16 level, qint16 temperature,
                                                       const QList<DeltaSample> &samples, int deltaCount = -1, char fill = 0)
{
    std::array<char, HistoryBlockSize> block{};
    writeU32(block, HistoryBlockLayout::BlockDate, base.date);
    writeU32(block, HistoryBlockLayout::BlockTime, base.timeMs);
    writeU32(block, HistoryBlockLayout::DeltaCount, static_cast<quint32>(deltaCount < 0 ? samples.size() : deltaCount));
    writeI16(block, HistoryBlockLayout::BaseChannels, level);
    writeI16(block, HistoryBlockLayout::BaseChannels + 2, temperature);
    QByteArray stream;
    for (const DeltaSample &sample : samples) {
        appendDeltaCode(stream, sample.seconds);
        appendDeltaCode(stream, sample.level);
        stream.append(ChannelCount - 1 + CounterCount, '\0');
    }
    std::fill(block.begin() + HistoryBlockLayout::DeltaStream, block.end(), fill);
    std::copy(stream.begin(), stream.end(), block.begin() + HistoryBlockLayout::DeltaStream);
    return block;
}

// "REPORT.STG" at path: a header of zeros, the blocks, then `tail` (an incomplete block).
inline bool writeHistoryFile(const QString &path, const QList<std::array<char, HistoryBlockSize>> &blocks, const QByteArray &tail = {})
{
    QByteArray bytes(HistoryHeaderSize, '\0');
    for (const auto &block : blocks)
        bytes.append(block.data(), block.size());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes + tail) >= 0;
}

// "Report.rez" at path: `records` records, each with level channel 0 and temperature channel 1.
inline bool writeChartRecordFile(const QString &path, int records)
{
    TankChartRecord record;
    record.temperature.channel = 1;
    const std::array<char, TankChartRecordSize> bytes = encodeTankChartRecord(record);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(bytes.data(), bytes.size()).repeated(records)) >= 0;
}
