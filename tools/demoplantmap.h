// The demonstration plant map written into a folder: the two pictures and the two element files
// the client loads at login, and on request composed previews of what it will show.
#pragma once

#include "core/elementdrawing.h"
#include "core/plantmodel.h"

#include <QString>

#include <optional>

inline const QString OverviewPictureFile = QStringLiteral("Skladar.bmp");
inline const QString TankScreenPictureFile = QStringLiteral("Rxx.bmp");
inline const QString ElementFile = QStringLiteral("Bgd.rez");
inline const QString ViewFile = QStringLiteral("Konfig.rez");
// The previews: the overview and the screen of the tank in slot 1.
inline const QString OverviewPreviewFile = QStringLiteral("pregled-skladar.png");
inline const QString TankPreviewFile = QStringLiteral("pregled-rezervoar.png");

// Writes the four plant-map files for the tanks into the folder, creating the folder when it is
// missing and replacing each file whole (24-bit BMP pictures). Nullopt on success; otherwise a
// text that names the folder or file that could not be written and why.
std::optional<QString> writePlantMap(const QString &folder, const TankTable &tanks);

// Writes the two previews into the existing folder: the map filled with sampleReadings and trend
// histories, composed with the context (its clock gives the date line and time labels).
std::optional<QString> writePreviews(const QString &folder, const TankTable &tanks, ElementDrawingContext &context);
