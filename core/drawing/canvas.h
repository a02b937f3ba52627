// A canvas with the Windows drawing model over any QPainter: pen, font (with its own colour),
// brush, text background and alignment persist between calls and are translated to Qt at the
// moment of drawing.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

#include <QHash>
#include <QList>

#include <span>

class QImage;
class QPainter;
class QLine;
class QPen;

// A Windows colour value: 0x00BBGGRR.
using WinColour = quint32;
inline constexpr WinColour WinBlack = 0x000000;
inline constexpr WinColour WinWhite = 0xFFFFFF;

QColor toQColor(WinColour colour);

// Windows pen styles 0..6.
enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };

// Windows text-alignment flags: the reference point of a text is its left, right or centre, and
// its top, bottom or baseline.
namespace TextAlign {
inline constexpr unsigned Left = 0, Right = 2, Center = 6, HorizontalMask = 6;
inline constexpr unsigned Top = 0, Bottom = 8, Baseline = 24, VerticalMask = 24;
} // namespace TextAlign

struct CanvasPen
{
    WinColour colour = WinBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
};

struct CanvasFont
{
    QString face = QStringLiteral("MS Sans Serif");
    int size = 8;                // points
    WinColour colour = WinBlack; // the colour of text, independent of the pen's
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixedPitch = false;
};

struct CanvasState
{
    CanvasPen pen;
    CanvasFont font;
    WinColour brushColour = WinWhite;
    bool brushClear = false;
    bool transparentText = false; // text drawn without filling its cell with textBackground
    WinColour textBackground = WinWhite;
    unsigned textAlign = TextAlign::Left | TextAlign::Top;
    QPoint penPosition;
};

class Canvas
{
public:
    // Draws through painter, which must stay active while the canvas is used. Font sizes are in
    // points at pixelsPerInch (96 on the screen). On a picture, thin lines are the pixels Windows
    // would set; on a printer or PDF writer they are strokes one device pixel wide.
    explicit Canvas(QPainter &painter, int pixelsPerInch = 96);

    CanvasState &state() { return m_state; }
    const CanvasState &state() const { return m_state; }
    QPainter &painter() { return m_painter; }

    void moveTo(int x, int y);
    // A line from the pen position to (x, y) that, like Windows, leaves out its last pixel; the pen
    // position becomes (x, y).
    void lineTo(int x, int y);
    // Each segment as moveTo(p1) and lineTo(p2) would draw it, in one paint call (a curve of many
    // short segments); the pen position becomes the last segment's end.
    void lines(std::span<const QLine> segments);
    // The text with the current font and alignment, reference point (x, y).
    void textOut(int x, int y, const QString &text);
    // The width of the text in the current font.
    int textWidth(const QString &text) const;

    // Rectangles are Windows rectangles (left, top, right, bottom) over columns left to right - 1
    // and rows top to bottom - 1. One given the wrong way round (right < left or bottom < top)
    // covers the pixels of its normalised form; one with right = left or bottom = top covers none.
    // The rectangle in the brush colour; nothing with a clear brush.
    void fillRect(int left, int top, int right, int bottom);
    // A one-pixel border along the inside of the rectangle in the brush colour; nothing with a clear brush.
    void frameRect(int left, int top, int right, int bottom);
    // The polygon filled with the brush and outlined with the pen.
    void polygon(const QPolygon &points);
    // The ellipse inscribed in the rectangle, filled with the brush and outlined with the pen.
    void ellipse(int left, int top, int right, int bottom);
    // The image with its top-left corner at (x, y); transparent pixels leave the canvas as it was.
    void drawImage(int x, int y, const QImage &image);

    // The Qt font for the current font state.
    QFont qtFont() const;

private:
    bool walksPixels() const;
    void drawThinLine(QPoint from, QPoint to);
    bool fillsExactly() const;
    bool stampsWideLines() const;
    void drawWideLine(QPoint from, QPoint to);
    const QList<QRect> &wideLineStamp(QPoint span);
    void strokeJoined(std::span<const QLine> segments);
    QRect visibleArea() const;
    QPen qtPen() const;
    void selectShapePenAndBrush();

    QPainter &m_painter;
    int m_pixelsPerInch;
    bool m_strokesLines; // a vector or printer device
    CanvasState m_state;
    QPolygon m_points; // the pixels of thin lines or a polyline's points, reused to allocate nothing
    // The pixel runs Qt sets for a short wide line from (0, 0), by the line's span and pen width.
    QHash<quint32, QList<QRect>> m_wideLineStamps;
};
