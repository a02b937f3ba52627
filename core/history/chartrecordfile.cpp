// "Report.rez" read whole and decoded record by record; saved through a file renamed over the old one.
#include "core/history/chartrecordfile.h"

#include "core/services/datafolder.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr qsizetype RecordsSize = static_cast<qsizetype>(TankChartRecordSize) * TankCount;

FileMessage missingFileMessage() { return {QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska")}; }

FileMessage readErrorMessage() { return {QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")}; }

// The whole file; nullopt when it is missing or cannot be read.
std::optional<QByteArray> fileContents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

ChartRecordsRead decodeChartRecords(QByteArrayView bytes)
{
    ChartRecordsRead read;
    for (int slot = 1; slot <= TankCount; ++slot) {
        const auto offset = static_cast<qsizetype>(slot - 1) * static_cast<qsizetype>(TankChartRecordSize);
        if (bytes.size() - offset < static_cast<qsizetype>(TankChartRecordSize)) {
            read.message = readErrorMessage();
            return read;
        }
        read.records[slot] = decodeTankChartRecord(
            std::span<const char, TankChartRecordSize>(bytes.data() + offset, TankChartRecordSize));
        ++read.wholeRecords;
    }
    read.usable = true;
    return read;
}

QByteArray encodeChartRecords(const TankChartRecords &records)
{
    QByteArray bytes;
    bytes.reserve(RecordsSize);
    for (const TankChartRecord &record : records) {
        const auto encoded = encodeTankChartRecord(record);
        bytes.append(encoded.data(), static_cast<qsizetype>(encoded.size()));
    }
    return bytes;
}

ChartRecordsRead readChartRecords(const DataFolder &folder)
{
    if (!folder.exists(ChartRecordFileName)) {
        ChartRecordsRead read;
        read.message = missingFileMessage();
        read.usable = true;
        return read;
    }
    QFile file(folder.filePath(ChartRecordFileName));
    if (!file.open(QIODevice::ReadOnly)) {
        ChartRecordsRead read;
        read.message = readErrorMessage();
        return read;
    }
    const QByteArray bytes = file.readAll();
    ChartRecordsRead read = decodeChartRecords(bytes);
    read.fileBytes = bytes;
    return read;
}

std::optional<FileMessage> saveChartRecords(const DataFolder &folder, const TankChartRecords &records,
                                            QByteArray &fileBytes)
{
    const QString path = folder.filePath(ChartRecordFileName);
    if (fileContents(path) != fileBytes)
        return FileMessage{QStringLiteral("Fajl Report.rez je promenjen posle citanja, konfiguracija nije snimljena."),
                           QStringLiteral("Greska")};
    const QByteArray bytes = encodeChartRecords(records) + fileBytes.mid(RecordsSize);

    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        fileBytes = bytes;
        return std::nullopt;
    }
    return FileMessage{QStringLiteral("Konfiguracija nije snimljena (%1).").arg(file.errorString()),
                       QStringLiteral("Greska")};
}
