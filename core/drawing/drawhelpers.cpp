// Lines and Arial text on any canvas.
#include "core/drawing/drawhelpers.h"

namespace {

const QString Blank = QStringLiteral(" ");

// Selects the helpers' font: Arial, fixed pitch, plain, the given size, transparent background.
void selectArial(Canvas &canvas, int size)
{
    CanvasState &state = canvas.state();
    state.font.face = QStringLiteral("Arial");
    state.font.fixedPitch = true;
    state.font.size = size;
    state.font.bold = state.font.italic = state.font.underline = false;
    state.transparentText = true;
}

void selectBlackArial(Canvas &canvas, int size)
{
    selectArial(canvas, size);
    canvas.state().font.colour = WinBlack;
}

// The helpers' texts are placed by their top-left corner whatever alignment the canvas holds.
void textAt(Canvas &canvas, int x, int y, const QString &text)
{
    CanvasState &state = canvas.state();
    const unsigned align = state.textAlign;
    state.textAlign = TextAlign::Left | TextAlign::Top;
    canvas.textOut(x, y, text);
    state.textAlign = align;
}

// Ticks keep the canvas's pen style and take a black pen of width 1.
void selectTickPen(Canvas &canvas)
{
    canvas.state().pen.width = 1;
    canvas.state().pen.colour = WinBlack;
}

void line(Canvas &canvas, int x1, int y1, int x2, int y2)
{
    canvas.moveTo(x1, y1);
    canvas.lineTo(x2, y2);
}

} // namespace

void DrawLine(Canvas &canvas, int x1, int y1, int x2, int y2, int width)
{
    canvas.state().pen = CanvasPen{WinBlack, width, PenStyle::Solid};
    line(canvas, x1, y1, x2, y2);
}

void DrawText(Canvas &canvas, int x, int y, const QString &text, int size, int dx)
{
    selectBlackArial(canvas, size);
    textAt(canvas, x + dx, y, text);
}

void DrawTextRight(Canvas &canvas, int x, int y, const QString &text, int size, int gap)
{
    const int width = canvas.textWidth(text);
    selectBlackArial(canvas, size);
    textAt(canvas, x - width - gap, y, text);
}

void DrawTextCentered(Canvas &canvas, int x, int y, const QString &text, int size, int dy)
{
    const int width = canvas.textWidth(text);
    selectBlackArial(canvas, size);
    textAt(canvas, x - width / 2, y + dy, text);
}

void DrawTickLeft(Canvas &canvas, int x, int y, const QString &textA, const QString &textB, int size, int gap, int dy,
                  int len)
{
    selectTickPen(canvas);
    line(canvas, x, y, x - len, y);
    const int widthB = canvas.textWidth(textB);
    const int widthA = canvas.textWidth(textA + Blank);
    selectBlackArial(canvas, size);
    textAt(canvas, x - gap - widthB - len, y + dy, textB);
    textAt(canvas, x - widthB - gap - widthA - len, y + dy, textA);
}

void DrawTickRight(Canvas &canvas, int x, int y, const QString &textA, const QString &textB, int size, int gap, int dy,
                   int len)
{
    selectTickPen(canvas);
    line(canvas, x, y, x + len, y);
    const int widthA = canvas.textWidth(textA + Blank);
    selectArial(canvas, size);
    textAt(canvas, x + gap + widthA + len, y + dy, textB);
    textAt(canvas, x + gap + len, y + dy, textA);
}

void DrawLegendLine(Canvas &canvas, WinColour colour, int x, int y, const QString &text, int size, int dy, int len)
{
    canvas.state().pen = CanvasPen{colour, 1, PenStyle::Solid};
    line(canvas, x, y, x + len, y);
    selectArial(canvas, size);
    canvas.state().font.colour = colour;
    textAt(canvas, x + len, y + dy, QStringLiteral("    ") + text);
}
