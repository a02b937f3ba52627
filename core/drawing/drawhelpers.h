// Lines and Arial text on any canvas (screen picture or printer page), for printouts and charts.
#pragma once

#include "core/drawing/canvas.h"

#include <QString>

// Every helper that writes text selects "Arial" with fixed pitch at `size` points, neither bold,
// italic nor underlined, with a transparent text background, and places the text's top-left corner
// at the stated point. Where a helper measures a text, it measures with the font the canvas had
// when the helper was entered, before it selects its own. The state the helpers set (pen, font,
// text background) stays on the canvas afterwards.

// Black solid pen of the given width; a line from (x1, y1) to (x2, y2).
void DrawLine(Canvas &canvas, int x1, int y1, int x2, int y2, int width);

// Black text at (x + dx, y).
void DrawText(Canvas &canvas, int x, int y, const QString &text, int size, int dx);

// Black text ending gap pixels left of x: at (x - W - gap, y), W the text's width.
void DrawTextRight(Canvas &canvas, int x, int y, const QString &text, int size, int gap);

// Black text centred on x: at (x - W / 2, y + dy), the half width truncated.
void DrawTextCentered(Canvas &canvas, int x, int y, const QString &text, int size, int dy);

// A tick from (x, y) to (x - len, y) in a black pen of width 1 (the canvas's pen style kept), with
// the black texts textA and textB ending left of it: textB at (x - gap - WB - len, y + dy), textA at
// (x - WB - gap - WA - len, y + dy), where WA is the width of textA followed by one blank.
void DrawTickLeft(Canvas &canvas, int x, int y, const QString &textA, const QString &textB, int size, int gap, int dy,
                  int len);

// A tick from (x, y) to (x + len, y) in a black pen of width 1, with textA at (x + gap + len, y + dy)
// and textB at (x + gap + WA + len, y + dy); the texts keep the canvas's font colour.
void DrawTickRight(Canvas &canvas, int x, int y, const QString &textA, const QString &textB, int size, int gap, int dy,
                   int len);

// A legend: a solid line of width 1 in the colour from (x, y) to (x + len, y), then four blanks and
// the text in the same colour at (x + len, y + dy).
void DrawLegendLine(Canvas &canvas, WinColour colour, int x, int y, const QString &text, int size, int dy, int len);
