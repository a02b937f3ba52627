// Writing data files into a test folder: any file, the plant map views and elements, the two pictures.
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

// Konfig.rez of the given records followed by empty ones up to records in all.
inline void writeViews(const QTemporaryDir &dir, const QList<ElementViews> &views, int records = ElementCount)
{
    QByteArray bytes;
    for (int k = 0; k < records; ++k)
        bytes += encodeElementViews(k < views.size() ? views[k] : ElementViews{});
    writeDataFile(dir, QStringLiteral("Konfig.rez"), bytes);
}

// Bgd.rez of the given elements followed by empty ones up to the full count.
inline void writeElements(const QTemporaryDir &dir, const QList<DisplayElement> &elements)
{
    QByteArray bytes;
    for (int k = 0; k < ElementCount; ++k)
        bytes += encodeDisplayElement(k < elements.size() ? elements[k] : DisplayElement{});
    writeDataFile(dir, QStringLiteral("Bgd.rez"), bytes);
}

// Skladar.bmp and Rxx.bmp, plain grey at the full picture size.
inline void writePictures(const QTemporaryDir &dir)
{
    QImage picture(800, 560, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    for (const char *name : {"Skladar.bmp", "Rxx.bmp"})
        ASSERT_TRUE(picture.save(dir.filePath(QLatin1String(name)))) << name;
}
