// The history the server records, held in memory: the blocks of "REPORT.STG" and the open newest one.
#pragma once

#include "core/exchange/liverecord.h"
#include "core/history/historyencoder.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Most samples a history keeps: as many as the chart can show.
inline constexpr int MaxHistorySamples = 60'000;
// The fewest a limit may keep: one full block.
inline constexpr int MinHistorySamples = 256;

struct HistoryDecoding;

class RecordedHistory
{
public:
    // An empty history: a header of zeros and no block.
    RecordedHistory() = default;

    // A history file as it lies on disk, checked whole: the 4096-byte header, whole blocks, each
    // with a valid base stamp, a delta stream inside the block and only valid steps. The fault
    // names the block and what is wrong with it.
    static HistoryDecoding decode(QByteArrayView bytes);

    // Appends a sample, its step in seconds from the newest one. The newest block takes it while it
    // fits its 4096 bytes and 255 delta samples; otherwise, or when the step cannot be written
    // (a gap beyond DiffSeconds' cap), the sample starts a new block. Then the oldest blocks are
    // dropped while more than limit samples are kept (limit at least MinHistorySamples).
    void append(const HistorySample &sample, int limit = MaxHistorySamples);

    int sampleCount() const;
    // The newest sample; nullopt while the history is empty.
    std::optional<HistorySample> newest() const;
    // The file: the header as it was read, the newest block, then the older ones.
    QByteArray bytes() const;

private:
    QByteArray m_header = QByteArray(HistoryHeaderSize, '\0');
    std::optional<HistoryBlockBuilder> m_open;
    QList<QByteArray> m_closed; // newest first
    QList<int> m_closedSamples; // samples of each closed block
};

struct HistoryDecoding
{
    std::optional<RecordedHistory> history;
    QString error; // empty when history holds the file
};

// The sample a poll gives at stamp: measured channels (good or clamped) take their raw value,
// the others keep what previous holds (ZeroRaw without one). The counters stay 0.
HistorySample sampleOfPoll(const LiveRecord &poll, HistoryStamp stamp, const std::optional<HistorySample> &previous);
