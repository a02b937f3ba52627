// Writing history blocks: delta codes and the 4096-byte blocks that carry them.
#pragma once

#include "core/history/historyblock.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <optional>
#include <span>

// Appends the shortest code of value (+63 needs two bytes: 0x3F alone marks the 5-byte form).
void appendDeltaCode(QByteArray &out, qint32 value);

// Builds one block from a base sample and the delta samples that follow it. The base sample's
// channels must fit 16 bits. A sample that does not fit the block's 4096 bytes, or a 256th sample,
// is refused: the writer then starts the next block with it as the base.
class HistoryBlockBuilder
{
public:
    explicit HistoryBlockBuilder(const HistorySample &base);
    // Goes on with a block that decodes whole: a valid base stamp, every delta sample inside the
    // block and every step a valid stamp. Bytes 8..11 are kept. Nullopt for any other block.
    static std::optional<HistoryBlockBuilder> continuing(HistoryBlockBytes block);

    // Appends the sample reached after `seconds`; its stamp is not looked at. False, block
    // unchanged, when the sample does not fit.
    bool append(qint32 seconds, const HistorySample &sample);

    int deltaCount() const { return m_deltaCount; }
    // The newest sample, with its stamp.
    const HistorySample &last() const { return m_last; }
    // The block with its unused tail filled with zero bytes.
    std::array<char, HistoryBlockSize> bytes() const;

private:
    HistoryBlockBuilder() = default;

    std::array<char, HistoryBlockSize> m_block{};
    QByteArray m_stream;
    HistorySample m_last;
    int m_deltaCount = 0;
};

// A history file of samples taken `seconds` apart, oldest first: the header (its text, NUL-padded
// to HistoryHeaderSize bytes), then the blocks the samples fill, newest block first. The samples'
// stamps after the first are not looked at. No samples: the header alone.
QByteArray encodeHistoryFile(std::span<const HistorySample> samples, qint32 seconds, QByteArrayView header = {});
