// A canvas with the Windows drawing model over any QPainter.
#include "core/drawing/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QLine>
#include <QPen>
#include <QTransform>

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

// The longest span across or down, and the widest pen, of a wide line drawn from a stamp.
constexpr int MaxStampSpan = 64;
constexpr int MaxStampPenWidth = 32;
constexpr qsizetype MaxStamps = 1024;

// The pixels of a Windows rectangle, normalised.
QRect windowsRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// Appends Bresenham's line from `from` up to, but not including, `to`. Step k moves one pixel along
// the longer axis and floor((2k x shorter + longer) / (2 x longer)) pixels along the shorter one.
// Only the steps that land in `visible` are walked, however far beyond it the line begins or ends;
// the first of them is found by one division without overflow for any int coordinates, the rest
// by carrying the remainder.
void appendThinLine(QPolygon &points, QPoint from, QPoint to, const QRect &visible)
{
    const qint64 dx = std::abs(qint64{to.x()} - from.x());
    const qint64 dy = std::abs(qint64{to.y()} - from.y());
    const bool xMajor = dx >= dy;
    const qint64 longer = xMajor ? dx : dy;
    const qint64 shorter = xMajor ? dy : dx;
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
    const int start = xMajor ? from.x() : from.y();
    const int step = xMajor ? sx : sy;
    const qint64 low = xMajor ? visible.left() : visible.top();
    const qint64 high = xMajor ? visible.right() : visible.bottom();
    const qint64 first = std::max<qint64>(0, step > 0 ? low - start : start - high);
    const qint64 last = std::min(longer - 1, step > 0 ? high - start : start - low);
    if (first > last)
        return;
    const auto product = static_cast<quint64>(first) * static_cast<quint64>(shorter);
    qint64 across = static_cast<qint64>(product / static_cast<quint64>(longer));
    // The remainder of (2k x shorter + longer) over 2 x longer.
    qint64 remainder = 2 * static_cast<qint64>(product % static_cast<quint64>(longer)) + longer;
    const qint64 acrossStart = xMajor ? from.y() : from.x();
    const int acrossStep = xMajor ? sy : sx;
    for (qint64 k = first;; ++k) {
        if (remainder >= 2 * longer) {
            ++across;
            remainder -= 2 * longer;
        }
        const auto along = static_cast<int>(start + step * k);
        const auto side = static_cast<int>(acrossStart + acrossStep * across);
        points.append(xMajor ? QPoint(along, side) : QPoint(side, along));
        if (k == last)
            break;
        remainder += 2 * shorter;
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
    , m_strokesLines(painter.paintEngine() != nullptr && painter.paintEngine()->type() != QPaintEngine::Raster)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void Canvas::moveTo(int x, int y) { m_state.penPosition = QPoint(x, y); }

void Canvas::lineTo(int x, int y)
{
    const QPoint from = m_state.penPosition;
    const QPoint to(x, y);
    m_state.penPosition = to;
    const CanvasPen &pen = m_state.pen;
    if (pen.style == PenStyle::Null || from == to)
        return;
    if (walksPixels()) {
        drawThinLine(from, to);
        return;
    }
    if (stampsWideLines() && std::abs(to.x() - from.x()) <= MaxStampSpan
        && std::abs(to.y() - from.y()) <= MaxStampSpan) {
        drawWideLine(from, to);
        return;
    }
    m_painter.setPen(qtPen());
    m_painter.drawLine(from, to);
}

// Qt's raster engine strokes a wide round-capped line by filling its outline without antialiasing,
// which sets the same pixels wherever the line is moved by whole pixels. A short wide line, as a
// trend draws hundreds of, is therefore stroked once per span and width into a stamp of pixel runs,
// and the stamp filled at each place: the same pixels at a tenth of the cost.
bool Canvas::stampsWideLines() const
{
    return m_state.pen.width > 1 && m_state.pen.width <= MaxStampPenWidth && fillsExactly();
}

// True when a filled rectangle in the pen colour sets device pixels exactly as a stroke would.
bool Canvas::fillsExactly() const
{
    return !m_strokesLines && m_painter.combinedTransform().type() == QTransform::TxNone && m_painter.opacity() == 1.0
           && m_painter.compositionMode() == QPainter::CompositionMode_SourceOver
           && !m_painter.testRenderHint(QPainter::Antialiasing);
}

void Canvas::drawWideLine(QPoint from, QPoint to)
{
    const QColor colour = toQColor(m_state.pen.colour);
    for (const QRect &run : wideLineStamp(to - from))
        m_painter.fillRect(run.translated(from), colour);
}

const QList<QRect> &Canvas::wideLineStamp(QPoint span)
{
    const int width = m_state.pen.width;
    const auto key = static_cast<quint32>((span.x() + MaxStampSpan) | (span.y() + MaxStampSpan) << 8 | width << 16);
    const auto found = m_wideLineStamps.constFind(key);
    if (found != m_wideLineStamps.cend())
        return *found;
    // The line is stroked from `origin` in a picture with room around it for its caps.
    const int margin = width + 2;
    const QPoint origin(margin + std::max(0, -span.x()), margin + std::max(0, -span.y()));
    QImage scratch(std::abs(span.x()) + 2 * margin + 1, std::abs(span.y()) + 2 * margin + 1, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(origin, origin + span);
    painter.end();
    // A canvas that draws lines of ever new spans keeps a bounded number of stamps.
    if (m_wideLineStamps.size() >= MaxStamps)
        m_wideLineStamps.clear();
    QList<QRect> runs;
    for (int row = 0; row < scratch.height(); ++row) {
        const auto *pixels = reinterpret_cast<const QRgb *>(scratch.constScanLine(row));
        for (int column = 0; column < scratch.width();) {
            if (pixels[column] == qRgb(255, 255, 255)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < scratch.width() && pixels[column] != qRgb(255, 255, 255))
                ++column;
            runs.append(QRect(first - origin.x(), row - origin.y(), column - first, 1));
        }
    }
    return *m_wideLineStamps.insert(key, runs);
}

bool Canvas::walksPixels() const
{
    const CanvasPen &pen = m_state.pen;
    const bool styled = pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame;
    return !m_strokesLines && pen.width <= 1 && !styled;
}

// Windows draws wide pens solid with round ends, and patterns only on one-pixel pens. On paper a
// one-pixel pen is one device pixel wide, and a pattern keeps the size it has on a 96 dpi screen at
// any pen width, so that a dotted line stays visibly dotted.
QPen Canvas::qtPen() const
{
    const CanvasPen &pen = m_state.pen;
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    const bool styled = pen.style != PenStyle::Solid && pen.style != PenStyle::InsideFrame;
    if (pen.width > 1 && !(styled && m_strokesLines))
        return QPen(toQColor(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen qtPen(toQColor(pen.colour), pen.width > 1 ? pen.width : 0, toQtPenStyle(pen.style), Qt::FlatCap);
    if (styled && m_strokesLines) {
        const double stretch = m_pixelsPerInch / 96.0 / std::max(1, pen.width);
        QList<qreal> pattern = qtPen.dashPattern();
        for (qreal &length : pattern)
            length *= stretch;
        qtPen.setDashPattern(pattern);
    }
    return qtPen;
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

void Canvas::drawImage(int x, int y, const QImage &image) { m_painter.drawImage(QPoint(x, y), image); }

void Canvas::drawThinLine(QPoint from, QPoint to)
{
    m_points.clear();
    appendThinLine(m_points, from, to, visibleArea());
    // A level or upright line's pixels are one run, which a fill sets as the points would.
    if ((from.x() == to.x() || from.y() == to.y()) && fillsExactly()) {
        if (m_points.isEmpty())
            return;
        const QPoint a = m_points.front();
        const QPoint b = m_points.back();
        m_painter.fillRect(QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y()))),
                           toQColor(m_state.pen.colour));
        return;
    }
    m_painter.setPen(QPen(toQColor(m_state.pen.colour), 0));
    m_painter.drawPoints(m_points);
}

void Canvas::lines(std::span<const QLine> segments)
{
    if (segments.empty())
        return;
    m_state.penPosition = segments.back().p2();
    if (m_state.pen.style == PenStyle::Null)
        return;
    if (walksPixels()) {
        m_points.clear();
        const QRect visible = visibleArea();
        for (const QLine &segment : segments)
            appendThinLine(m_points, segment.p1(), segment.p2(), visible);
        m_painter.setPen(QPen(toQColor(m_state.pen.colour), 0));
        m_painter.drawPoints(m_points);
        return;
    }
    m_painter.setPen(qtPen());
    if (m_strokesLines) {
        strokeJoined(segments);
        return;
    }
    for (const QLine &segment : segments) {
        if (segment.p1() != segment.p2())
            m_painter.drawLine(segment);
    }
}

// Segments that meet end to start are stroked as one polyline, which keeps a printed curve small.
void Canvas::strokeJoined(std::span<const QLine> segments)
{
    m_points.clear();
    for (const QLine &segment : segments) {
        if (segment.p1() == segment.p2())
            continue;
        if (!m_points.isEmpty() && m_points.back() != segment.p1()) {
            m_painter.drawPolyline(m_points);
            m_points.clear();
        }
        if (m_points.isEmpty())
            m_points.append(segment.p1());
        m_points.append(segment.p2());
    }
    if (!m_points.isEmpty())
        m_painter.drawPolyline(m_points);
}

// The logical pixels that land on the paint device, one pixel of margin around them.
QRect Canvas::visibleArea() const
{
    const QPaintDevice *device = m_painter.device();
    bool invertible = false;
    const QTransform toLogical = m_painter.combinedTransform().inverted(&invertible);
    if (!invertible)
        return {};
    return toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect().adjusted(-1, -1, 1, 1);
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

int Canvas::textWidth(const QString &text) const { return QFontMetrics(qtFont()).horizontalAdvance(text); }

void Canvas::textOut(int x, int y, const QString &text)
{
    const QFont font = qtFont();
    const QFontMetrics metrics(font);
    const unsigned horizontal = m_state.textAlign & TextAlign::HorizontalMask;
    // Measuring shapes the text once more than drawing it, so only a text that needs its width is measured.
    const bool measured = horizontal != TextAlign::Left || !m_state.transparentText;
    const int width = measured ? metrics.horizontalAdvance(text) : 0;
    const unsigned vertical = m_state.textAlign & TextAlign::VerticalMask;
    const int left = horizontal == TextAlign::Center ? x - width / 2 : horizontal == TextAlign::Right ? x - width : x;
    const int baseline = vertical == TextAlign::Baseline ? y
                         : vertical == TextAlign::Bottom ? y - metrics.descent()
                                                         : y + metrics.ascent();
    if (!m_state.transparentText)
        m_painter.fillRect(left, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent(),
                           toQColor(m_state.textBackground));
    m_painter.setFont(font);
    m_painter.setPen(toQColor(m_state.font.colour));
    m_painter.drawText(QPoint(left, baseline), text);
}
