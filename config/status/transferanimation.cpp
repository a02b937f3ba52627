// The copy animation, drawn frame by frame.
#include "config/status/transferanimation.h"

#include <QPainter>

namespace {

void drawFolder(QPainter &painter, const QRect &box)
{
    painter.setPen(QColor(0x80, 0x60, 0x00));
    painter.setBrush(QColor(0xF0, 0xC8, 0x40));
    painter.drawRect(box.adjusted(0, 6, 0, 0));
    painter.drawRect(QRect(box.left(), box.top() + 2, box.width() / 3, 6));
}

} // namespace

TransferAnimation::TransferAnimation(QWidget *parent)
    : QWidget(parent)
{
    m_timer.setInterval(60);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % Frames;
        update();
    });
}

void TransferAnimation::start()
{
    m_frame = 0;
    m_timer.start();
}

void TransferAnimation::stop() { m_timer.stop(); }

void TransferAnimation::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int folderWidth = 36;
    drawFolder(painter, QRect(4, height() - 34, folderWidth, 30));
    drawFolder(painter, QRect(width() - folderWidth - 4, height() - 34, folderWidth, 30));

    // The sheet rises from the left folder and drops into the right one along an arc.
    const double t = static_cast<double>(m_frame) / (Frames - 1);
    const int travel = width() - 2 * folderWidth - 8 + folderWidth / 2;
    const int x = 4 + folderWidth / 4 + static_cast<int>(t * travel);
    const int y = height() - 40 - static_cast<int>(4 * t * (1 - t) * (height() - 48));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(x, y, 16, 20));
    for (int line = 0; line < 3; ++line)
        painter.drawLine(x + 3, y + 5 + 5 * line, x + 12, y + 5 + 5 * line);
}
