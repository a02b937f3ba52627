// The windows' font and their place on the desktop.
#include "core/services/formstyle.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

QFont formFont() { return QFont(QStringLiteral("MS Sans Serif"), 8); }

std::optional<QPoint> desktopCentredPosition(QSize size)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return std::nullopt;
    return screen->availableGeometry().center() - QRect(QPoint(0, 0), size).center();
}
