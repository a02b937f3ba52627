// Writing the demonstration plant map into a folder.
#include "demoplant/demoplantmap.h"

#include "demoplant/demoelements.h"
#include "demoplant/demopictures.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QSaveFile>

#include <initializer_list>
#include <utility>

namespace {

using namespace Qt::StringLiterals;

// The picture in the file format, in memory.
QByteArray imageBytes(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Writes every named content in turn; the first failure ends it.
std::optional<QString> writeAll(const QDir &dir, std::initializer_list<std::pair<QString, QByteArray>> files)
{
    for (const auto &[name, bytes] : files)
        if (std::optional<QString> error = writeDemoFile(dir, name, bytes))
            return error;
    return std::nullopt;
}

} // namespace

std::optional<QString> writeDemoFile(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QSaveFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return u"Cannot write %1: %2"_s.arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
    return std::nullopt;
}

std::optional<QString> writePlantMap(const QString &folder, const TankTable &tanks)
{
    const QDir dir(folder);
    if (!dir.mkpath(u"."_s))
        return u"Cannot create the folder %1"_s.arg(QDir::toNativeSeparators(folder));
    const PlantMapRecords map = buildPlantMapRecords(tanks);
    return writeAll(dir, {{OverviewPictureFile, imageBytes(drawOverviewPicture(tanks), "BMP")},
                          {TankScreenPictureFile, imageBytes(drawTankScreenPicture(), "BMP")},
                          {ElementFile, encodeElementFile(map)},
                          {ViewFile, encodeViewFile(map)}});
}
