// A canvas with the Windows drawing model over any QPainter.
#include "core/canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {

// Windows' MulDiv for the point-to-pixel conversion: rounds halves away from zero.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

Qt::PenStyle toQtPenStyle(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    case PenStyle::Null:
        return Qt::NoPen;
    case PenStyle::Solid:
    case PenStyle::InsideFrame:
        break;
    }
    return Qt::SolidLine;
}

} // namespace

QColor toQColor(WinColour colour)
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

Canvas::Canvas(QPainter &painter, int pixelsPerInch)
    : m_painter(painter)
    , m_pixelsPerInch(pixelsPerInch)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void Canvas::moveTo(int x, int y)
{
    m_state.penPosition = QPoint(x, y);
}

void Canvas::lineTo(int x, int y)
{
    const QPoint from = m_state.penPosition;
    const QPoint to(x, y);
    m_state.penPosition = to;
    const CanvasPen &pen = m_state.pen;
    if (pen.style == PenStyle::Null || from == to)
        return;
    const bool styled = pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame;
    if (pen.width <= 1 && !styled) {
        drawThinLine(from, to);
        return;
    }
    // Windows draws wide pens solid with round ends, and patterns only on one-pixel pens.
    const QPen qtPen = pen.width > 1
        ? QPen(toQColor(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
        : QPen(toQColor(pen.colour), 0, toQtPenStyle(pen.style), Qt::FlatCap);
    m_painter.setPen(qtPen);
    m_painter.drawLine(from, to);
}

// Bresenham's line from `from` up to, but not including, `to`.
void Canvas::drawThinLine(QPoint from, QPoint to)
{
    const QColor colour = toQColor(m_state.pen.colour);
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    if (dy == 0) {
        const int left = to.x() > from.x() ? from.x() : to.x() + 1;
        m_painter.fillRect(left, from.y(), dx, 1, colour);
        return;
    }
    if (dx == 0) {
        const int top = to.y() > from.y() ? from.y() : to.y() + 1;
        m_painter.fillRect(from.x(), top, 1, dy, colour);
        return;
    }
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
    QPolygon points;
    points.reserve(std::max(dx, dy));
    int error = dx - dy;
    for (QPoint p = from; p != to;) {
        points.append(p);
        const int twice = 2 * error;
        if (twice >= -dy) {
            error -= dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
    m_painter.setPen(QPen(colour, 0));
    m_painter.drawPoints(points);
}

QFont Canvas::qtFont() const
{
    const CanvasFont &f = m_state.font;
    QFont font(f.face);
    font.setPixelSize(std::max(1, mulDiv(f.size, m_pixelsPerInch, 72)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setFixedPitch(f.fixedPitch);
    return font;
}

int Canvas::textWidth(const QString &text) const
{
    return QFontMetrics(qtFont()).horizontalAdvance(text);
}

void Canvas::textOut(int x, int y, const QString &text)
{
    const QFont font = qtFont();
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    const unsigned horizontal = m_state.textAlign & TextAlign::HorizontalMask;
    const unsigned vertical = m_state.textAlign & TextAlign::VerticalMask;
    const int left = horizontal == TextAlign::Center ? x - width / 2 : horizontal == TextAlign::Right ? x - width : x;
    const int baseline = vertical == TextAlign::Baseline ? y
        : vertical == TextAlign::Bottom                  ? y - metrics.descent()
                                                         : y + metrics.ascent();
    if (!m_state.transparentText)
        m_painter.fillRect(left, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent(),
                           toQColor(m_state.textBackground));
    m_painter.setFont(font);
    m_painter.setPen(toQColor(m_state.font.colour));
    m_painter.drawText(QPoint(left, baseline), text);
}
