// The stock buttons' glyph.
#include "report/stockglyph.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int GlyphSize = 15;

struct GlyphColours
{
    QColor sheet;
    QColor rule;
    QColor pencil;
    QColor outline;
};

// The sheet with three ruled lines and a pencil lying across its lower right corner.
QPixmap drawGlyph(const GlyphColours &colours, QPoint shift)
{
    QPixmap pixmap(GlyphSize, GlyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.translate(shift);
    painter.setPen(colours.outline);
    painter.setBrush(colours.sheet);
    painter.drawRect(1, 0, 9, 12);
    painter.setPen(colours.rule);
    for (int y = 3; y <= 9; y += 3)
        painter.drawLine(3, y, 8, y);
    painter.setPen(QPen(colours.pencil, 2));
    painter.drawLine(7, 13, 13, 7);
    painter.setPen(colours.outline);
    painter.drawPoint(6, 14);
    return pixmap;
}

} // namespace

QIcon stockButtonGlyph()
{
    QIcon icon;
    icon.addPixmap(drawGlyph({Qt::white, QColor(0x1F, 0x3A, 0x68), QColor(0xE0, 0x9A, 0x20), Qt::black}, {}),
                   QIcon::Normal);
    QPixmap disabled = drawGlyph({Qt::white, Qt::white, Qt::white, Qt::white}, {1, 1});
    QPainter painter(&disabled);
    painter.drawPixmap(0, 0, drawGlyph({QColor(0xC0, 0xC0, 0xC0), Qt::gray, Qt::gray, Qt::gray}, {}));
    painter.end();
    icon.addPixmap(disabled, QIcon::Disabled);
    return icon;
}
