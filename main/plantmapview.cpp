// The plant map's client area.
#include "main/plantmapview.h"

#include <QMouseEvent>
#include <QPainter>

PlantMapView::PlantMapView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PlantMap"));
    setMouseTracking(true); // the hover hints follow the pointer without a button held
    // The plant map is drawn over the colour of the desktop, as the operators' stations show it.
    QPalette desktop = palette();
    desktop.setColor(QPalette::Window, QColor(0x3A, 0x6E, 0xA5));
    setPalette(desktop);
    setAutoFillBackground(true);
}

void PlantMapView::showPicture(const QImage &picture, QPoint offset)
{
    m_picture = picture;
    m_offset = offset;
    update();
}

void PlantMapView::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(m_offset, m_picture);
}

void PlantMapView::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed(event->buttons(), event->modifiers(), event->position().toPoint());
}

void PlantMapView::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->buttons(), event->position().toPoint());
}

void PlantMapView::mouseReleaseEvent(QMouseEvent *) { Q_EMIT mouseReleased(); }

void PlantMapView::mouseDoubleClickEvent(QMouseEvent *) { Q_EMIT doubleClicked(); }
