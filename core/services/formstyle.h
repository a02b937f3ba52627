// How the windows of every subsystem look and where they appear, without a widget at hand.
#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>

#include <optional>

// The font of every window's layout: MS Sans Serif, 8 points.
QFont formFont();

// Where a window of this size goes so that it stands centred on the primary screen's available
// area; none without a screen.
std::optional<QPoint> desktopCentredPosition(QSize size);
