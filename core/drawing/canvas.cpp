// A canvas with the Windows drawing model over any QPainter.
#include "core/drawing/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QLine>
#include <QPen>

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

// The pixels of a Windows rectangle, normalised.
QRect windowsRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// Bresenham's line from `from` up to, but not including, `to`, appended to points.
void appendThinLine(QPolygon &points, QPoint from, QPoint to)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
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
    m_painter.setPen(qtPen());
    m_painter.drawLine(from, to);
}

// Windows draws wide pens solid with round ends, and patterns only on one-pixel pens.
QPen Canvas::qtPen() const
{
    const CanvasPen &pen = m_state.pen;
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    if (pen.width > 1)
        return QPen(toQColor(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return QPen(toQColor(pen.colour), 0, toQtPenStyle(pen.style), Qt::FlatCap);
}

void Canvas::selectShapePenAndBrush()
{
    m_painter.setPen(qtPen());
    m_painter.setBrush(m_state.brushClear ? QBrush(Qt::NoBrush) : QBrush(toQColor(m_state.brushColour)));
}

void Canvas::fillRect(int left, int top, int right, int bottom)
{
    const QRect area = windowsRect(left, top, right, bottom);
    if (!m_state.brushClear && !area.isEmpty())
        m_painter.fillRect(area, toQColor(m_state.brushColour));
}

void Canvas::frameRect(int left, int top, int right, int bottom)
{
    const QRect area = windowsRect(left, top, right, bottom);
    if (m_state.brushClear || area.isEmpty())
        return;
    const QColor colour = toQColor(m_state.brushColour);
    m_painter.fillRect(QRect(area.topLeft(), QSize(area.width(), 1)), colour);
    m_painter.fillRect(QRect(area.bottomLeft(), QSize(area.width(), 1)), colour);
    m_painter.fillRect(QRect(area.topLeft(), QSize(1, area.height())), colour);
    m_painter.fillRect(QRect(area.topRight(), QSize(1, area.height())), colour);
}

void Canvas::polygon(const QPolygon &points)
{
    selectShapePenAndBrush();
    m_painter.drawPolygon(points);
}

void Canvas::ellipse(int left, int top, int right, int bottom)
{
    const QRect area = windowsRect(left, top, right, bottom);
    if (area.isEmpty())
        return;
    selectShapePenAndBrush();
    // Qt strokes a rectangle's outline one pixel beyond its right and bottom edges.
    m_painter.drawEllipse(area.adjusted(0, 0, -1, -1));
}

void Canvas::drawImage(int x, int y, const QImage &image)
{
    m_painter.drawImage(QPoint(x, y), image);
}

void Canvas::drawThinLine(QPoint from, QPoint to)
{
    const QColor colour = toQColor(m_state.pen.colour);
    if (from.y() == to.y()) {
        const int left = to.x() > from.x() ? from.x() : to.x() + 1;
        m_painter.fillRect(left, from.y(), std::abs(to.x() - from.x()), 1, colour);
        return;
    }
    if (from.x() == to.x()) {
        const int top = to.y() > from.y() ? from.y() : to.y() + 1;
        m_painter.fillRect(from.x(), top, 1, std::abs(to.y() - from.y()), colour);
        return;
    }
    m_points.clear();
    appendThinLine(m_points, from, to);
    m_painter.setPen(QPen(colour, 0));
    m_painter.drawPoints(m_points);
}

void Canvas::lines(std::span<const QLine> segments)
{
    if (segments.empty())
        return;
    m_state.penPosition = segments.back().p2();
    const CanvasPen &pen = m_state.pen;
    if (pen.style == PenStyle::Null)
        return;
    const bool styled = pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame;
    if (pen.width <= 1 && !styled) {
        m_points.clear();
        for (const QLine &segment : segments)
            appendThinLine(m_points, segment.p1(), segment.p2());
        m_painter.setPen(QPen(toQColor(pen.colour), 0));
        m_painter.drawPoints(m_points);
        return;
    }
    m_painter.setPen(qtPen());
    for (const QLine &segment : segments) {
        if (segment.p1() != segment.p2())
            m_painter.drawLine(segment);
    }
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
