// The chart window's client area.
#include "trend/chartview.h"

#include <QMouseEvent>
#include <QPainter>

ChartView::ChartView(const QImage &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setObjectName(QStringLiteral("Chart"));
    setMouseTracking(true); // the cross-hair follows the pointer without a button held
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed(event->buttons(), event->modifiers(), event->position().toPoint());
}

void ChartView::mouseMoveEvent(QMouseEvent *event) { Q_EMIT mouseMoved(event->buttons(), event->position().toPoint()); }
