// Where and in which colour something was drawn on a white test image.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

inline bool isInk(QRgb pixel)
{
    return pixel != qRgb(255, 255, 255);
}

// The smallest rectangle holding every non-white pixel inside area.
inline QRect inkBounds(const QImage &image, QRect area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The darkest pixel inside area: the core of a glyph, where its colour shows best.
inline QColor darkest(const QImage &image, QRect area)
{
    QColor best = Qt::white;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() + c.green() + c.blue() < best.red() + best.green() + best.blue())
                best = c;
        }
    return best;
}
