// Placing windows on the desktop.
#include "config/status/windowplacement.h"

#include "core/services/formstyle.h"

#include <QShowEvent>
#include <QWidget>

void centreOnDesktop(QWidget &window)
{
    if (const std::optional<QPoint> position = desktopCentredPosition(window.size()))
        window.move(*position);
}

bool centreWhenShown(QWidget &window, const QShowEvent &event)
{
    if (event.spontaneous())
        return false;
    centreOnDesktop(window);
    return true;
}

void showCentred(QWidget &window)
{
    if (!window.isVisible())
        centreOnDesktop(window);
    window.show();
    window.raise();
}
