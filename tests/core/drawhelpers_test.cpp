// Geometry and colours of the drawing helpers and the canvas, checked on the pixels of an image.
#include "core/drawing/drawhelpers.h"

#include "tests/support/imageink.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class DrawingTest : public testing::Test
{
protected:
    QImage &finished()
    {
        painter.end();
        return image;
    }

    void useArial(int size) { canvas.state().font = {QStringLiteral("Arial"), size}; }

    QImage image = [] {
        QImage white(320, 160, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }();
    QPainter painter{&image};
    Canvas canvas{painter};
};

} // namespace

// Lines from far beyond the picture walk only the part on it, with the steps the whole line would take
// there: the shallow line steps down at its middle, x = 160; the steep one, from near the int limits, at y = 0.
TEST_F(DrawingTest, ThinLinesLeaveOutTheirLastPixelAndKeepTheirStepsFromFarBeyondThePicture)
{
    for (const QLine &l : {QLine(10, 10, 20, 10), QLine(20, 14, 10, 14), QLine(40, 10, 40, 20), QLine(60, 10, 65, 15),
                           QLine(-1000000, 50, 1000320, 51), QLine(100, -2000000000, 101, 2000000000)})
        DrawLine(canvas, l.x1(), l.y1(), l.x2(), l.y2(), 1);
    const QImage &img = finished();
    const std::pair<QRect, QRect> areas[] = {{{0, 9, 30, 3}, {10, 10, 10, 1}}, {{0, 13, 30, 3}, {11, 14, 10, 1}},
        {{35, 0, 10, 30}, {40, 10, 1, 10}}, {{0, 40, 100, 20}, {0, 50, 100, 1}}, {{102, 40, 58, 20}, {102, 50, 58, 1}},
        {{160, 40, 160, 20}, {160, 51, 160, 1}}, {{95, 0, 10, 40}, {101, 0, 1, 40}}};
    for (const auto &[area, ink] : areas)
        EXPECT_EQ(inkBounds(img, area), ink) << area.x() << "," << area.y();
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(img.pixel(60 + i, 10 + i), qRgb(0, 0, 0)) << i;
    EXPECT_EQ(img.pixel(65, 15), qRgb(255, 255, 255));
}

TEST_F(DrawingTest, WideLinesAreSolidAndBlackAndThePenStays)
{
    canvas.state().pen = CanvasPen{0x0000FF, 1, PenStyle::Dash};
    DrawLine(canvas, 10, 30, 50, 30, 5);
    EXPECT_TRUE(canvas.state().pen.width == 5 && canvas.state().pen.style == PenStyle::Solid);
    const QImage &img = finished();
    for (int x = 12; x < 48; ++x)
        for (int y = 28; y <= 32; ++y)
            ASSERT_EQ(img.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
}

TEST_F(DrawingTest, TextRightIsMeasuredWithTheFontTheCanvasHadBefore)
{
    useArial(30);
    const int entryWidth = canvas.textWidth(QStringLiteral("88"));
    useArial(8);
    const int ownWidth = canvas.textWidth(QStringLiteral("88"));
    ASSERT_GT(entryWidth, 2 * ownWidth);
    useArial(30);

    DrawTextRight(canvas, 250, 40, QStringLiteral("88"), 8, 5);
    const QRect ink = inkBounds(finished(), image.rect());
    const int left = 250 - entryWidth - 5;
    EXPECT_NEAR(ink.left(), left + 1, 1);
    EXPECT_LE(ink.right(), left + ownWidth);
    EXPECT_NEAR(ink.top(), 41.5, 1.5);
}

TEST_F(DrawingTest, TickRightKeepsTheFontColourWhileOtherTextsAreBlack)
{
    canvas.state().font.colour = 0x0000FF; // red
    DrawTickRight(canvas, 20, 30, QStringLiteral("88"), QStringLiteral("m"), 10, 3, -8, 6);
    DrawText(canvas, 20, 80, QStringLiteral("888"), 10, 0);
    const QImage &img = finished();
    EXPECT_EQ(inkBounds(img, QRect(15, 30, 14, 1)), QRect(20, 30, 6, 1)) << "the texts start at 29";
    EXPECT_EQ(img.pixel(22, 30), qRgb(0, 0, 0));
    const QColor tickText = darkest(img, QRect(28, 15, 80, 14));
    EXPECT_TRUE(tickText.red() > 200 && tickText.green() < 80) << tickText.name().toStdString();
    EXPECT_LT(darkest(img, QRect(15, 78, 80, 20)).red(), 60);
}

TEST_F(DrawingTest, LegendLineDrawsLineAndTextInItsColour)
{
    useArial(10);
    DrawLegendLine(canvas, 0xFF0000, 10, 100, QStringLiteral("Nivo"), 10, -7, 30);
    useArial(10);
    const int blanks = canvas.textWidth(QStringLiteral("    "));
    const QImage &img = finished();
    EXPECT_EQ(inkBounds(img, QRect(0, 100, 40 + blanks, 1)), QRect(10, 100, 30, 1));
    EXPECT_EQ(img.pixel(10, 100), qRgb(0, 0, 255));
    const QRect text = inkBounds(img, QRect(40, 85, 200, 14));
    EXPECT_GE(text.left(), 40 + blanks);
    EXPECT_TRUE(darkest(img, text).blue() > 200 && darkest(img, text).red() < 80);
}

TEST_F(DrawingTest, TextAlignmentAndBackgroundCarryOverOnTheCanvas)
{
    useArial(10);
    canvas.state().transparentText = false;
    canvas.state().textBackground = 0x00FF00;
    canvas.textOut(10, 130, QStringLiteral("i"));
    canvas.state().transparentText = true;
    canvas.state().textAlign = TextAlign::Right | TextAlign::Bottom;
    canvas.textOut(200, 100, QStringLiteral("Skladar"));
    canvas.state().textAlign = TextAlign::Center | TextAlign::Top;
    canvas.textOut(100, 20, QStringLiteral("Skladar"));
    canvas.state().textAlign = TextAlign::Left | TextAlign::Top;
    useArial(8);
    DrawTextCentered(canvas, 260, 120, QStringLiteral("WWWWWW"), 8, 10);
    const QImage &img = finished();
    const QRect centred = inkBounds(img, QRect(210, 121, 110, 39)), rightBottom = inkBounds(img, QRect(100, 60, 200, 60)),
                centreTop = inkBounds(img, QRect(0, 0, 200, 50));
    EXPECT_NEAR((centred.left() + centred.right()) / 2.0, 260.0, 2.0) << "DrawTextCentered halves the width on x";
    EXPECT_NEAR(centred.top(), 131.5, 1.5);
    EXPECT_TRUE(std::abs(rightBottom.right() - 198) <= 2 && rightBottom.bottom() <= 100) << rightBottom.right();
    EXPECT_NEAR((centreTop.left() + centreTop.right()) / 2.0, 100.0, 2.0);
    EXPECT_GE(centreTop.top(), 20);
    EXPECT_EQ(std::pair(img.pixel(10, 130), img.pixel(9, 130)), std::pair(qRgb(0, 255, 0), qRgb(255, 255, 255))) << "opaque text fills its cell";
}
