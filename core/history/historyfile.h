// Reads "REPORT.STG" of the data folder one 4096-byte block at a time, after skipping its header.
#pragma once

#include "core/history/historyblock.h"

#include <QFile>
#include <QString>

#include <array>

class DataFolder;

enum class HistoryRead {
    Block,      // a whole block was read into the buffer
    EndOfFile,  // no bytes were left
    ShortBlock, // the file ends inside a block (the acquisition side may be writing it)
    Missing,    // there is no such file
    Failed,     // the file could not be opened or read
};

// Opened by construction and closed when the object goes away; nothing is cached between uses.
class HistoryFile
{
public:
    explicit HistoryFile(const DataFolder &folder);

    // Reads the next block into block (its contents are unspecified after anything but Block).
    // Once the file is missing, unreadable or at its end, every call gives the same answer again.
    HistoryRead readBlock(std::array<char, HistoryBlockSize> &block);

    // The operator's text for the standard error report after ShortBlock, Missing or Failed.
    QString problemText(HistoryRead outcome) const;

private:
    QFile m_file;
    HistoryRead m_stopped = HistoryRead::Block; // Block while reading may go on
};
