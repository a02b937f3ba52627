// Placing windows on the desktop.
#include "config/status/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOnDesktop(QWidget &window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

void showCentred(QWidget &window)
{
    if (!window.isVisible())
        centreOnDesktop(window);
    window.show();
    window.raise();
}
