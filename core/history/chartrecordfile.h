// Reading and saving "Report.rez", the 15 chart records of the data folder.
#pragma once

#include "core/history/chartrecord.h"

#include <QString>

#include <optional>

class DataFolder;

inline const QString ChartRecordFileName = QStringLiteral("Report.rez");

// A message for the operator's message box.
struct FileMessage
{
    QString text;
    QString caption;
    bool operator==(const FileMessage &) const = default;
};

struct ChartRecordsRead
{
    TankChartRecords records{}; // records not read stay all zero
    // "Fajl ne postoji." / "Greska" for a missing file, "Greska u citanju fajla." / "File Error..."
    // when fewer than 15 whole records could be read; nullopt after a complete read.
    std::optional<FileMessage> message;
    // False only after the read error: the window's first-showing work stays off for the run.
    // A missing file leaves the records zero but usable.
    bool usable = false;
    // The records read whole, in slot order: 15 after a complete read, fewer from a short file.
    int wholeRecords = 0;
    // The file's bytes as read, which a save checks the file still holds; nullopt when it was missing.
    std::optional<QByteArray> fileBytes;

    // Whether the slot's (1..15) settings are known: read from the file, or zero for a missing one.
    // A slot past the end of a short file is not, and its quantities are unknown.
    bool knows(int slot) const { return !fileBytes || slot <= wholeRecords; }
};

// Reads the 15 records of the folder's "Report.rez"; bytes after the fifteenth are ignored.
ChartRecordsRead readChartRecords(const DataFolder &folder);

// Decodes the records of a file's bytes, as readChartRecords does after reading them.
ChartRecordsRead decodeChartRecords(QByteArrayView bytes);

// The 15 records encoded one after the other, as the file holds them.
QByteArray encodeChartRecords(const TankChartRecords &records);

// Saves the records into the folder's "Report.rez" when the file still holds fileBytes, the bytes
// they were read from: a new file is written beside the old one and renamed over it, so a failure
// leaves the old file whole. Every record is encoded with encodeTankChartRecord, and bytes the old
// file held after its fifteenth record are kept; fileBytes becomes the new file's bytes. Nullopt when
// saved; otherwise the message for the operator (the file was not changed): another program changed
// or removed the file since it was read, or the write failed.
std::optional<FileMessage> saveChartRecords(const DataFolder &folder, const TankChartRecords &records,
                                            QByteArray &fileBytes);
