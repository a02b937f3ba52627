// The demonstration plant map written into a folder: the two pictures and the two element files
// the client loads at login.
#pragma once

#include "core/plant/plantmodel.h"
#include "core/plantmap/displayelement.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QDir;

// Writes the four plant-map files for the tanks into the folder, creating the folder when it is
// missing and replacing each file whole (24-bit BMP pictures). Nullopt on success; otherwise a
// text that names the folder or file that could not be written and why.
std::optional<QString> writePlantMap(const QString &folder, const TankTable &tanks);

// Replaces the folder's file with the bytes as one whole, so that a failed write leaves the old
// file. Nullopt on success; otherwise a text naming the file and why.
std::optional<QString> writeDemoFile(const QDir &dir, const QString &name, const QByteArray &bytes);
