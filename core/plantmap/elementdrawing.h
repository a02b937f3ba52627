// Drawing of one plant-map element on the canvas of the plant picture.
#pragma once

#include "core/drawing/canvas.h"
#include "core/services/datafolder.h"
#include "core/plantmap/displayelement.h"

#include <QImage>
#include <QLocale>
#include <QString>
#include <QTime>

#include <functional>

class Clock;
class Dialogs;

// The one picture through which every element bitmap passes, shared by all elements of the map.
class ElementBitmapHolder
{
public:
    // Loads the image file and makes keyColour its transparent colour. False, with the picture
    // and its key colour as they were, when the file is missing or not an image.
    bool load(const QString &filePath, WinColour keyColour);

    // The picture as drawn: its pixels of the key colour transparent. Null before the first load.
    const QImage &picture() const { return m_picture; }
    WinColour keyColour() const { return m_keyColour; }

private:
    QImage m_picture;
    WinColour m_keyColour = WinBlack;
};

// What the drawing of elements needs from outside. The references must outlive the drawing.
struct ElementDrawingContext
{
    const Clock &clock;                    // the date line and the time labels
    Dialogs &dialogs;                      // "Bitmap not found"
    QLocale locale;                        // decimal point of the tick labels
    std::function<void()> processMessages; // handles the waiting window messages; may be empty
    DataFolder folder;                     // where element bitmaps are loaded from
    ElementBitmapHolder &bitmaps;
};

// Draws the element with the part flags of the current view (PartFlags) and its trend history.
// Nothing at all when `shown` is 0; otherwise, in this order: the bitmap, one call of
// processMessages (also when no part is drawn), bar 1 and bar 2, the threshold markers, the axis,
// the ticks and their labels, boxes 1 to 6, the lamp and name, boxes 7 and 8, the text items, the
// vertical grid with the time labels, the horizontal grid, the date-and-time line and the trend line.
// The element is a copy: a bitmap switched off by a failed load stays on in the caller's record, so
// the failure is reported at every drawing.
// Each step sets only the canvas state it names; pen style and width, font colour, text alignment,
// text background and brush style otherwise carry over from whatever was drawn before, also from
// earlier elements. Arithmetic is on integers with division truncating toward zero; values outside
// their ranges are drawn as computed (only the trend line clamps its points to 0..1000 per mille).
// A grid step of 0 or less draws no lines in that direction; a tick series and a grid direction draw
// at most their first 2048 lines (a corrupt count cannot hold the window); the trend line draws at most the
// TrendHistorySize entries of the history (none for a negative count). Coordinates beyond
// +-1048576 pixels are pinned there.
void DrawElement(Canvas &canvas, DisplayElement element, const std::array<bool, PartCount> &partFlags,
                 const TrendHistory &history, ElementDrawingContext &context);

// The label of the time-labels row: the time of day hoursBefore hours before now, wrapping
// through midnight, as "hh : mm".
QString ElementTimeLabel(const QTime &now, int hoursBefore);

// The date-and-time line: day name, "  ", day, ". ", month name, "  ", year, ".      ", "hh : mm".
QString ElementDateLine(const Clock &clock);
