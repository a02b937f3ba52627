// "Report.rez" read whole and decoded record by record; saved through a file renamed over the old one.
#include "core/history/chartrecordfile.h"

#include "core/services/datafolder.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr qsizetype RecordsSize = static_cast<qsizetype>(TankChartRecordSize) * TankCount;

FileMessage missingFileMessage()
{
    return {QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska")};
}

FileMessage readErrorMessage()
{
    return {QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")};
}

// What the old file holds after its fifteenth record; empty when it has nothing there or cannot be read.
QByteArray trailingBytes(const QString &path)
{
    QFile old(path);
    if (!old.open(QIODevice::ReadOnly) || old.size() <= RecordsSize || !old.seek(RecordsSize))
        return {};
    return old.readAll();
}

} // namespace

ChartRecordsRead decodeChartRecords(QByteArrayView bytes)
{
    ChartRecordsRead read;
    for (std::size_t k = 0; k < read.records.size(); ++k) {
        const auto offset = static_cast<qsizetype>(k * TankChartRecordSize);
        if (bytes.size() - offset < static_cast<qsizetype>(TankChartRecordSize)) {
            read.message = readErrorMessage();
            return read;
        }
        read.records[k] = decodeTankChartRecord(
            std::span<const char, TankChartRecordSize>(bytes.data() + offset, TankChartRecordSize));
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
    return decodeChartRecords(file.read(RecordsSize));
}

std::optional<FileMessage> saveChartRecords(const DataFolder &folder, const TankChartRecords &records)
{
    const QString path = folder.filePath(ChartRecordFileName);
    const QByteArray bytes = encodeChartRecords(records) + trailingBytes(path);

    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return std::nullopt;
    return FileMessage{QStringLiteral("Konfiguracija nije snimljena (%1).").arg(file.errorString()),
                       QStringLiteral("Greska")};
}
