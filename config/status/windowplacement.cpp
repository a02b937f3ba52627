// Placing windows on the desktop.
#include "config/status/windowplacement.h"

#include "core/services/formstyle.h"

#include <QWidget>

void centreOnDesktop(QWidget &window)
{
    if (const std::optional<QPoint> position = desktopCentredPosition(window.size()))
        window.move(*position);
}

void showCentred(QWidget &window)
{
    if (!window.isVisible())
        centreOnDesktop(window);
    window.show();
    window.raise();
}
