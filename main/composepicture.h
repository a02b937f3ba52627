// Composing the plant picture of one view: background, then the 120 elements in file order.
#pragma once

#include "main/plantmap.h"

// Sizes picture to 800 x 560, copies the view's background onto it (a view outside 1..25, or one
// without a background, keeps what the picture held) and draws every element with its part flags
// for the view, which are kept in map.drawnParts for the hover test.
void ComposePicture(QImage &picture, PlantMap &map, int currentView, ElementDrawingContext &context);
