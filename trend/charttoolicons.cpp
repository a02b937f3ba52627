// The tool buttons' pictures on a 24 x 24 grid.
#include "trend/charttoolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 24;
const QColor Ink(40, 40, 40);
const QColor Accent(30, 90, 200);

void drawSettings(QPainter &painter)
{
    painter.setPen(QPen(Ink, 2));
    for (const int y : {7, 17})
        painter.drawLine(3, y, 21, y);
    painter.setPen(QPen(Ink, 1));
    painter.setBrush(Accent);
    painter.drawRect(6, 4, 4, 6);
    painter.drawRect(14, 14, 4, 6);
}

void drawPeriod(QPainter &painter)
{
    painter.setPen(QPen(Ink, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(12, 12), 9, 9);
    painter.setPen(QPen(Accent, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(12, 12, 12, 6);
    painter.drawLine(12, 12, 16, 14);
}

void sheet(QPainter &painter, QRect area)
{
    painter.setPen(QPen(Ink, 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(area);
    painter.setPen(QPen(Accent, 1));
    for (int y = area.top() + 4; y < area.bottom() - 2; y += 3)
        painter.drawLine(area.left() + 3, y, area.right() - 3, y);
}

void drawCopy(QPainter &painter)
{
    sheet(painter, QRect(3, 2, 12, 15));
    sheet(painter, QRect(9, 7, 12, 15));
}

void drawPrint(QPainter &painter)
{
    sheet(painter, QRect(7, 2, 10, 8));
    painter.setPen(QPen(Ink, 1.5));
    painter.setBrush(QColor(150, 150, 150));
    painter.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
    painter.setPen(QPen(Accent, 1));
    painter.drawPoint(18, 12);
    sheet(painter, QRect(7, 15, 10, 7));
}

} // namespace

QIcon chartToolIcon(ChartTool tool)
{
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (tool) {
    case ChartTool::Settings:
        drawSettings(painter);
        break;
    case ChartTool::Period:
        drawPeriod(painter);
        break;
    case ChartTool::Copy:
        drawCopy(painter);
        break;
    case ChartTool::Print:
        drawPrint(painter);
        break;
    }
    return QIcon(picture);
}
