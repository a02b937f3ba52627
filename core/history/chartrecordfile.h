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
};

// Reads the 15 records of the folder's "Report.rez"; bytes after the fifteenth are ignored.
ChartRecordsRead readChartRecords(const DataFolder &folder);

// Decodes the records of a file's bytes, as readChartRecords does after reading them.
ChartRecordsRead decodeChartRecords(QByteArrayView bytes);

// The 15 records encoded one after the other, as the file holds them.
QByteArray encodeChartRecords(const TankChartRecords &records);

// Saves the records into the folder's "Report.rez": a new file is written beside the old one and
// renamed over it, so a failure leaves the old file whole. Every record is encoded with
// encodeTankChartRecord, and bytes the old file held after its fifteenth record are kept.
// Nullopt when saved; otherwise the message for the operator (the file was not changed).
std::optional<FileMessage> saveChartRecords(const DataFolder &folder, const TankChartRecords &records);
