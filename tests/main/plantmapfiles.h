// Writing data files into a test folder: any file, the plant map records, the two pictures.
#pragma once

#include "core/plantmap/displayelement.h"

#include <QFile>
#include <QImage>
#include <QList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline void writeDataFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes = {})
{
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(bytes);
}

// Konfig.rez or Bgd.rez: the given records followed by empty ones up to count in all.
template <typename Record>
void writeRecords(const QTemporaryDir &dir, const char *name, const QList<Record> &records,
                  QByteArray (*encode)(const Record &), int count = ElementCount)
{
    QByteArray bytes;
    for (int k = 0; k < count; ++k)
        bytes += encode(k < records.size() ? records[k] : Record{});
    writeDataFile(dir, QLatin1String(name), bytes);
}

// Skladar.bmp and Rxx.bmp, plain grey at the full picture size.
inline void writePictures(const QTemporaryDir &dir)
{
    QImage picture(800, 560, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    for (const char *name : {"Skladar.bmp", "Rxx.bmp"})
        ASSERT_TRUE(picture.save(dir.filePath(QLatin1String(name)))) << name;
}
