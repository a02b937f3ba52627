// Plant-map elements drawn into an image: bar zones, flags, ticks, grid, trend, bitmaps and carried-over state.
#include "core/elementdrawing.h"

#include "tests/support/fixedclock.h"
#include "tests/support/imageink.h"
#include "tests/support/recordingdialogs.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

constexpr WinColour Red = 0x0000FF;
constexpr WinColour Green = 0x00FF00;
constexpr WinColour Blue = 0xFF0000;
constexpr WinColour Yellow = 0x00FFFF;
const QRgb White = qRgb(255, 255, 255);

QRgb rgb(WinColour colour)
{
    return toQColor(colour).rgb();
}

// The rows of the parameter tables print as their names.
template <typename Case>
    requires requires(const Case &c) { c.name; }
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

bool near(const QColor &a, WinColour b)
{
    const QColor c = toQColor(b);
    return std::abs(a.red() - c.red()) < 90 && std::abs(a.green() - c.green()) < 90 && std::abs(a.blue() - c.blue()) < 90;
}

DisplayElement shownElement(qint32 x = 0, qint32 y = 0)
{
    DisplayElement e;
    e.shown = 1;
    e.originX = x;
    e.originY = y;
    return e;
}

std::array<bool, PartCount> allFlags()
{
    std::array<bool, PartCount> flags;
    flags.fill(true);
    return flags;
}

class ElementDrawingTest : public testing::Test
{
protected:
    ElementDrawingTest()
        : image(blank())
        , painter(std::make_unique<QPainter>(&image))
        , canvas(std::make_unique<Canvas>(*painter))
        , context{clock, dialogs, QLocale::c(), [this] { ++messageRounds; }, DataFolder(dir.path()), bitmaps}
    {
    }

    static QImage blank()
    {
        QImage picture(400, 240, QImage::Format_RGB32);
        picture.fill(Qt::white);
        return picture;
    }

    void draw(const DisplayElement &e, const std::array<bool, PartCount> &flags = allFlags(),
              const TrendHistory &history = {})
    {
        DrawElement(*canvas, e, flags, history, context);
    }

    // The element alone on a fresh image and canvas.
    QImage drawAlone(const DisplayElement &e, const std::array<bool, PartCount> &flags = allFlags(),
                     const TrendHistory &history = {})
    {
        QImage picture = blank();
        QPainter own(&picture);
        Canvas fresh(own);
        DrawElement(fresh, e, flags, history, context);
        return picture;
    }

    const QImage &finished()
    {
        painter->end();
        return image;
    }

    // A 4 x 4 red bitmap whose top-left pixel has the key colour green.
    void writeBitmap(const QString &name)
    {
        QImage bitmap(4, 4, QImage::Format_RGB32);
        bitmap.fill(Qt::red);
        bitmap.setPixel(0, 0, rgb(Green));
        ASSERT_TRUE(bitmap.save(dir.filePath(name), "BMP"));
    }

    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<Canvas> canvas;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2024, 1, 7), QTime(9, 5))};
    QTemporaryDir dir;
    ElementBitmapHolder bitmaps;
    int messageRounds = 0;
    ElementDrawingContext context;
};

// Rows counted from the bar's top, last row included.
struct Band
{
    int first, last;
    WinColour colour;
};

struct BarCase
{
    const char *name;
    bool solid;
    qint32 high, low, value;
    std::vector<Band> bands;
};

class BarTest : public ElementDrawingTest, public testing::WithParamInterface<BarCase>
{
};

TEST_P(BarTest, FillsItsZonesUpToTheValue)
{
    const BarCase &c = GetParam();
    DisplayElement e = shownElement(30, 40);
    e.bar1On = 1;
    e.bar1Solid = c.solid ? 1 : 0;
    e.bar1X = 10;
    e.bar1Y = 20;
    e.bar1Width = 8;
    e.bar1Height = 100;
    e.highLimit = c.high;
    e.lowLimit = c.low;
    e.scaledValue = c.value;
    e.highColour = Red;
    e.midColour = Green;
    e.lowColour = Blue;
    std::array<bool, PartCount> bar1Only{};
    bar1Only[1] = true;
    const QImage picture = drawAlone(e, bar1Only);
    for (int row = -20; row < 120; ++row) {
        QRgb expected = White;
        for (const Band &band : c.bands)
            if (row >= band.first && row <= band.last)
                expected = rgb(band.colour);
        ASSERT_EQ(picture.pixel(44, 60 + row), expected) << "row " << row;
    }
    const QRect ink = inkBounds(picture, picture.rect());
    EXPECT_TRUE(c.bands.empty() ? ink.isNull() : ink.left() == 40 && ink.right() == 47) << ink.left() << ".." << ink.right();
}

INSTANTIATE_TEST_SUITE_P(
    Zones, BarTest,
    testing::Values(BarCase{"Zoned900", false, 800, 200, 900, {{10, 19, Red}, {20, 79, Green}, {80, 99, Blue}}},
                    BarCase{"Zoned500MiddleOverRow79", false, 800, 200, 500, {{50, 79, Green}, {80, 99, Blue}}},
                    BarCase{"Zoned100", false, 800, 200, 100, {{90, 99, Blue}}},
                    BarCase{"ZonedAbove1000", false, 800, 200, 1100, {{-10, 19, Red}, {20, 79, Green}, {80, 99, Blue}}},
                    BarCase{"ZonedLowLimit1000", false, 800, 1000, 500, {}},
                    BarCase{"ZonedBothLimits1000", false, 1000, 1000, 1000, {}},
                    BarCase{"Solid200", true, 800, 200, 200, {{80, 99, Blue}}},
                    BarCase{"Solid800", true, 800, 200, 800, {{20, 99, Red}}},
                    BarCase{"Solid500", true, 800, 200, 500, {{50, 99, Green}}},
                    BarCase{"SolidBelowZeroHangsUnderTheBar", true, 800, 200, -100, {{100, 109, Blue}}}),
    [](const testing::TestParamInfo<BarCase> &info) { return std::string(info.param.name); });

// One part of an element switched on, with the part flag that gates it.
struct PartCase
{
    const char *name;
    std::size_t flag;
    void (*setUp)(DisplayElement &);
};

const PartCase PartCases[] = {
    {"Bar2", 0, [](DisplayElement &e) { e.bar2On = 1; e.bar2Width = 10; e.bar2Height = 50; e.scaledValue = 500; }},
    {"Markers", 0, [](DisplayElement &e) { e.markersOn = 1; e.bar2Height = 50; e.markerLength = 10; e.markerHalfHeight = 5; }},
    {"Axis", 0, [](DisplayElement &e) { e.axisOn = 1; e.axisX = 20; e.axisLength = 40; }},
    {"Ticks", 0, [](DisplayElement &e) { e.majorOn = 1; e.majorCount = 2; e.majorStep = 10; e.majorLength = 5; }},
    {"VerticalGrid", 0, [](DisplayElement &e) { e.vGridOn = 1; e.chartWidth = 50; e.chartHeight = 50; e.vGridStep = 10; }},
    {"HorizontalGrid", 0, [](DisplayElement &e) { e.hGridOn = 1; e.chartWidth = 50; e.chartHeight = 50; e.hGridStep = 10; }},
    {"DateLine", 0, [](DisplayElement &e) { e.clockOn = 1; e.boxX[5] = 20; e.boxY[5] = 20; }},
    {"Trend", 0, [](DisplayElement &e) { e.trendOn = 1; e.trendReady = 1; e.trendPoints = 50; e.trendHeight = 40; }},
    {"Bar1", 1, [](DisplayElement &e) { e.bar1On = 1; e.bar1Width = 10; e.bar1Height = 50; e.scaledValue = 500; }},
    {"Box1", 2, [](DisplayElement &e) { e.boxFill[0] = 1; e.boxWidth[0] = 10; e.boxHeight[0] = 10; }},
    {"Box6", 7, [](DisplayElement &e) { e.boxFill[5] = 1; e.boxWidth[5] = 10; e.boxHeight[5] = 10; }},
    {"Box7", 8, [](DisplayElement &e) { e.boxFill[6] = 1; e.boxWidth[6] = 10; e.boxHeight[6] = 10; }},
    {"Box8", 9, [](DisplayElement &e) { e.boxFill[7] = 1; e.boxWidth[7] = 10; e.boxHeight[7] = 10; }},
    {"Lamp", 10, [](DisplayElement &e) { e.textOn[0] = 1; e.lampX = 30; e.lampY = 30; e.lampRadius = 8; }},
    {"Text5", 15, [](DisplayElement &e) { e.textOn[5] = 1; e.textSize[5] = 10; e.text[5] = u"Nivo"_s; }},
    {"Bitmap", 16, [](DisplayElement &e) { e.bitmapOn = 1; e.bitmapFile = u"lamp.bmp"_s; }},
};

class PartTest : public ElementDrawingTest, public testing::WithParamInterface<PartCase>
{
};

TEST_P(PartTest, DrawnOnlyWithItsOwnFlag)
{
    writeBitmap(u"lamp.bmp"_s);
    DisplayElement e = shownElement(20, 20);
    GetParam().setUp(e);
    std::array<bool, PartCount> others = allFlags();
    others[GetParam().flag] = false;
    std::array<bool, PartCount> own{};
    own[GetParam().flag] = true;
    EXPECT_TRUE(inkBounds(drawAlone(e, others), image.rect()).isNull());
    EXPECT_FALSE(inkBounds(drawAlone(e, own), image.rect()).isNull());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Parts, PartTest, testing::ValuesIn(PartCases),
                         [](const testing::TestParamInfo<PartCase> &info) { return std::string(info.param.name); });

TEST_F(ElementDrawingTest, WithoutFlagsNothingIsDrawnButMessagesAreProcessed)
{
    writeBitmap(u"lamp.bmp"_s);
    DisplayElement e = shownElement(20, 20);
    for (const PartCase &part : PartCases)
        part.setUp(e);
    EXPECT_TRUE(inkBounds(drawAlone(e, {}), image.rect()).isNull());
    EXPECT_EQ(messageRounds, 1);
    e.shown = 0;
    EXPECT_TRUE(inkBounds(drawAlone(e), image.rect()).isNull());
    EXPECT_EQ(messageRounds, 1);
}

TEST_F(ElementDrawingTest, MarkersPointAtTheLimitsBesideBar2)
{
    DisplayElement e = shownElement(20, 20);
    e.markersOn = 1;
    e.bar2Height = 100;
    e.markerDx = 12;
    e.markerLength = 8;
    e.markerHalfHeight = 4;
    e.highLimit = 800;
    e.lowLimit = 200;
    e.highMarkerColour = Red;
    e.lowMarkerColour = Blue;
    const QImage picture = drawAlone(e);
    EXPECT_EQ(picture.pixel(38, 40), rgb(Red));
    EXPECT_EQ(picture.pixel(38, 100), rgb(Blue));
    EXPECT_NEAR(inkBounds(picture, QRect(0, 30, 400, 20)).left(), 32, 1) << "the tip";
    EXPECT_EQ(inkBounds(picture, QRect(0, 30, 400, 20)).right(), 39);
}

TEST_F(ElementDrawingTest, CoincidingTicksDrawOnlyTheMinorOneAndShareTheLabelValue)
{
    DisplayElement e = shownElement(20, 10);
    e.axisX = 30; e.axisY = 10;
    e.majorOn = e.minorOn = e.majorLabelsOn = e.minorLabelsOn = 1;
    e.majorFirst = 0; e.majorStep = 40; e.majorCount = 3; e.majorLength = 12; e.majorColour = Red;
    e.minorFirst = 0; e.minorStep = 20; e.minorCount = 3; e.minorLength = 5; e.minorColour = Blue;
    e.majorLabelDx = e.minorLabelDx = 10;
    e.majorFontSize = e.minorFontSize = 8;
    e.majorFont = e.minorFont = u"Arial"_s;
    e.labelFormat = u"%.0f"_s;
    e.labelStart = 8;
    e.labelStep = 80; // 8, 88, 168, 248
    const QImage picture = drawAlone(e);
    for (const int row : {20, 40, 60}) {
        EXPECT_EQ(picture.pixel(46, row), rgb(Blue)) << row;
        EXPECT_EQ(picture.pixel(42, row), White) << row;
    }
    EXPECT_EQ(picture.pixel(42, 100), rgb(Red));
    EXPECT_TRUE(inkBounds(picture, QRect(0, 120, 400, 120)).isNull()) << "the third major tick was consumed";
    const auto labelWidth = [&](int row) { return inkBounds(picture, QRect(55, row, 100, 15)).width(); };
    EXPECT_LT(labelWidth(20), labelWidth(40));
    EXPECT_LT(labelWidth(40), labelWidth(60));
    EXPECT_NEAR(labelWidth(100), labelWidth(60), 2);
}

TEST_F(ElementDrawingTest, BoxesTakeTheirColoursAndBox8IsFramed)
{
    DisplayElement e = shownElement(10, 10);
    e.boxFill[0] = e.boxFill[7] = 1;
    e.boxWidth[0] = e.boxWidth[7] = 20;
    e.boxHeight[0] = e.boxHeight[7] = 10;
    e.boxX[7] = 30;
    e.boxColour[0] = Green;
    e.accentColour = Yellow;
    const QImage picture = drawAlone(e);
    EXPECT_EQ(inkBounds(picture, QRect(0, 0, 35, 40)), QRect(10, 10, 20, 10));
    EXPECT_EQ(picture.pixel(15, 15), rgb(Green));
    EXPECT_EQ(picture.pixel(40, 10), rgb(WinBlack));
    EXPECT_EQ(picture.pixel(59, 19), rgb(WinBlack));
    EXPECT_EQ(picture.pixel(45, 15), rgb(Yellow));
    EXPECT_EQ(inkBounds(picture, QRect(35, 0, 100, 40)), QRect(40, 10, 20, 10));
}

struct FontColourCase
{
    const char *name;
    qint32 bitmapSlot;
    bool textItem2;
    WinColour nameColour;
};

class FontColourTest : public ElementDrawingTest, public testing::WithParamInterface<FontColourCase>
{
};

TEST_P(FontColourTest, TheLampNameTakesTheFontColourLeftByEarlierElements)
{
    DisplayElement earlier = shownElement();
    earlier.bitmapSlot = GetParam().bitmapSlot;
    earlier.textOn[2] = GetParam().textItem2 ? 1 : 0;
    earlier.textColour[2] = Blue;
    draw(earlier);
    DisplayElement lamp = shownElement(100, 100);
    lamp.textOn[0] = 1;
    lamp.lampRadius = 5;
    lamp.accentColour = Yellow;
    lamp.name = u"RRRR"_s;
    draw(lamp);
    EXPECT_TRUE(near(darkest(finished(), QRect(111, 100, 120, 30)), GetParam().nameColour));
}

INSTANTIATE_TEST_SUITE_P(Carried, FontColourTest,
                         testing::Values(FontColourCase{"Slot26TurnsItRed", 26, false, Red},
                                         FontColourCase{"OtherSlotsLeaveItBlack", 25, false, WinBlack},
                                         FontColourCase{"TextItem2SetsItsOwn", 26, true, Blue}),
                         [](const testing::TestParamInfo<FontColourCase> &info) { return std::string(info.param.name); });

TEST_F(ElementDrawingTest, TheLampOutlineTakesThePenStyleLeftBefore)
{
    DisplayElement lamp = shownElement(100, 100);
    lamp.textOn[0] = 1;
    lamp.lampRadius = 10;
    lamp.accentColour = Yellow;
    draw(lamp);
    DisplayElement markers = shownElement(20, 150);
    markers.markersOn = 1;
    markers.markerLength = 8;
    markers.markerHalfHeight = 4;
    draw(markers);
    lamp.originX = 200;
    draw(lamp);
    const QImage &picture = finished();
    EXPECT_TRUE(near(darkest(picture, QRect(90, 90, 21, 21)), WinBlack));
    EXPECT_EQ(darkest(picture, QRect(190, 90, 21, 21)).rgb(), rgb(Yellow));
}

struct GridCase
{
    const char *name;
    bool vertical;
    qint32 first, step;
    std::vector<int> lines; // picture columns (vertical) or rows (horizontal)
};

class GridTest : public ElementDrawingTest, public testing::WithParamInterface<GridCase>
{
};

TEST_P(GridTest, LinesFromTheChartEdgeOnAndNoneWithoutAPositiveStep)
{
    const GridCase &c = GetParam();
    DisplayElement e = shownElement(10, 5);
    e.chartX = 20; e.chartY = 30; e.chartWidth = 50; e.chartHeight = 40; e.trendHeight = 100;
    e.gridColour = Green;
    (c.vertical ? e.vGridOn : e.hGridOn) = 1;
    (c.vertical ? e.vGridFirst : e.hGridFirst) = c.first;
    (c.vertical ? e.vGridStep : e.hGridStep) = c.step;
    const QImage picture = drawAlone(e);
    std::vector<int> lines;
    for (int at = 0; at < 200; ++at)
        if ((c.vertical ? picture.pixel(at, 40) : picture.pixel(35, at)) == rgb(Green))
            lines.push_back(at);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Steps, GridTest,
                         testing::Values(GridCase{"VerticalFromBeforeTheChart", true, -10, 15, {35, 50, 65}},
                                         GridCase{"VerticalStepZero", true, 0, 0, {}},
                                         GridCase{"VerticalStepNegative", true, 0, -5, {}},
                                         GridCase{"HorizontalFromInside", false, 5, 12, {40, 52, 64}},
                                         GridCase{"HorizontalStepZero", false, 5, 0, {}}),
                         [](const testing::TestParamInfo<GridCase> &info) { return std::string(info.param.name); });

TEST_F(ElementDrawingTest, TrendDrawsAtMostTheHistoryAndClampsItsPoints)
{
    DisplayElement e = shownElement(10, 10);
    e.trendOn = 1; e.trendReady = 1; e.trendPoints = 400; e.trendHeight = 100; e.accentColour = Red;
    TrendHistory history;
    history.fill(500);
    history.front() = 5000;
    history.back() = -700;
    const QImage picture = drawAlone(e, allFlags(), history);
    EXPECT_EQ(inkBounds(picture, picture.rect()), QRect(10, 9, 301, 101));
    EXPECT_EQ(picture.pixel(10, 9), rgb(Red));
    EXPECT_EQ(picture.pixel(150, 59), rgb(Red));
    EXPECT_EQ(picture.pixel(310, 109), rgb(Red));
    e.trendPoints = -5;
    EXPECT_TRUE(inkBounds(drawAlone(e, allFlags(), history), picture.rect()).isNull());
    e.trendPoints = 10;
    e.trendReady = 0;
    EXPECT_TRUE(inkBounds(drawAlone(e, allFlags(), history), picture.rect()).isNull());
}

TEST_F(ElementDrawingTest, BitmapsPassThroughTheSharedHolder)
{
    writeBitmap(u"lamp.bmp"_s);
    const auto bitmapElement = [](const QString &file, qint32 x, qint32 loaded) {
        DisplayElement e = shownElement(x, 7);
        e.bitmapOn = 1; e.bitmapFile = file; e.bitmapLoaded = loaded; e.bitmapKeyColour = Green;
        e.bitmapDx = 2; e.bitmapDy = 3;
        return e;
    };
    const DisplayElement missing = bitmapElement(u"missing.bmp"_s, 58, 0);
    for (const DisplayElement &e : {bitmapElement(u"lamp.bmp"_s, 8, 0), missing, missing,
                                    bitmapElement(u"missing.bmp"_s, 108, 1), bitmapElement(QString(), 158, 0)})
        draw(e);
    const QImage &picture = finished();
    EXPECT_EQ(picture.pixel(10, 10), White) << "the key colour is transparent";
    EXPECT_EQ(inkBounds(picture, QRect(0, 0, 50, 50)), QRect(10, 10, 4, 4));
    EXPECT_EQ(picture.pixel(11, 10), qRgb(255, 0, 0));
    EXPECT_TRUE(inkBounds(picture, QRect(50, 0, 50, 50)).isNull());
    EXPECT_EQ(inkBounds(picture, QRect(100, 0, 50, 50)), QRect(110, 10, 4, 4)) << "drawn from the holder";
    EXPECT_TRUE(inkBounds(picture, QRect(150, 0, 50, 50)).isNull());
    const RecordingDialogs::Call notFound{RecordingDialogs::Kind::Message, u"Bitmap not found"_s, u"File Error"_s};
    EXPECT_EQ(dialogs.calls, (QList<RecordingDialogs::Call>{notFound, notFound}));
    EXPECT_EQ(bitmaps.keyColour(), Green);
}

TEST_F(ElementDrawingTest, TheDateLineIgnoresTheOrigin)
{
    DisplayElement e = shownElement(200, 150);
    e.clockOn = 1; e.boxX[5] = 10; e.boxY[5] = 20;
    const QRect ink = inkBounds(drawAlone(e), image.rect());
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 13);
    EXPECT_GE(ink.top(), 20);
    EXPECT_LE(ink.bottom(), 40);
}

TEST(ElementTexts, TimeLabelsWrapThroughMidnightAndTheDateLineKeepsItsBlanks)
{
    EXPECT_EQ(ElementTimeLabel(QTime(1, 30), 2), u"23 : 30"_s);
    EXPECT_EQ(ElementTimeLabel(QTime(9, 5), 8), u"01 : 05"_s);
    EXPECT_EQ(ElementTimeLabel(QTime(0, 0), 6), u"18 : 00"_s);
    const FixedClock clock(QDateTime(QDate(2024, 1, 7), QTime(9, 5, 59)));
    EXPECT_EQ(ElementDateLine(clock), u"Nedelja  07. Januar  2024.      09 : 05"_s);
}

} // namespace
