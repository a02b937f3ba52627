// The composition of the plant picture.
#include "main/composepicture.h"

#include <QPainter>

void ComposePicture(QImage &picture, PlantMap &map, int currentView, ElementDrawingContext &context)
{
    const QSize size(PictureWidth, PictureHeight);
    if (picture.size() != size) {
        picture = QImage(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    QPainter painter(&picture);
    if (currentView >= 1 && currentView <= ViewCount) {
        const QImage &background = map.backgrounds[static_cast<std::size_t>(currentView - 1)];
        if (!background.isNull())
            painter.drawImage(QPoint(0, 0), background, QRect(QPoint(0, 0), size));
    }
    Canvas canvas(painter);
    canvas.state() = map.canvasState;
    for (std::size_t k = 0; k < map.elements.size(); ++k) {
        map.drawnParts[k] = PartFlags(map.views[k], currentView);
        DrawElement(canvas, map.elements[k], map.drawnParts[k], map.histories[k], context);
    }
    map.canvasState = canvas.state();
}
