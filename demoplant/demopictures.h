// The background pictures of the demonstration plant map: the tank-farm overview and the tank screen.
#pragma once

#include "core/plant/plantmodel.h"

#include <QImage>

// "Skladar.bmp", view 1: title band with room for the date line, the tanks on overviewTanks'
// places with an empty gauge for bar 1 and a card for their values, pipes, collector, pump
// station and legend. MapWidth x MapHeight, RGB32. Needs a GUI application (fonts).
QImage drawOverviewPicture(const TankTable &tanks);

// "Rxx.bmp", every tank's own view: one large tank with its gauge slot for bar 2 and a board for
// the scale, a nameplate for the lamp, the framed trend chart and the labelled value rows, and
// the title band for the name and material texts. MapWidth x MapHeight, RGB32.
QImage drawTankScreenPicture();
