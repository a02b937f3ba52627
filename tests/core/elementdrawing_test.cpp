// Plant-map elements drawn into an image: bar zones, flags, ticks, grid, trend, bitmaps and carried-over state.
#include "core/plantmap/elementdrawing.h"

#include "tests/support/namedcases.h"
#include "tests/support/fixedclock.h"
#include "tests/support/imageink.h"
#include "tests/support/recordingdialogs.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

constexpr WinColour Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, Yellow = 0x00FFFF, White = 0xFFFFFF;

QRgb rgb(WinColour colour) { return toQColor(colour).rgb(); }

// Every part flag set to `others`, part `flipped` (if any) to the opposite.
std::array<bool, PartCount> partFlags(bool others, std::size_t flipped = PartCount)
{
    std::array<bool, PartCount> flags;
    flags.fill(others);
    if (flipped < PartCount)
        flags[flipped] = !others;
    return flags;
}

// Holds "lamp.bmp", a 4 x 4 red bitmap whose top-left pixel has the key colour green, and a trend
// history of 500 whose newest value is 5000 and oldest -700.
class ElementDrawingTest : public testing::Test
{
protected:
    ElementDrawingTest()
    {
        QImage bitmap(4, 4, QImage::Format_RGB32);
        bitmap.fill(Qt::red);
        bitmap.setPixel(0, 0, rgb(Green));
        EXPECT_TRUE(bitmap.save(dir.filePath(u"lamp.bmp"_s), "BMP"));
        history.fill(500);
        history.front() = 5000;
        history.back() = -700;
    }

    // The elements drawn in order on one fresh canvas over a white 400 x 240 picture.
    QImage render(const std::vector<DisplayElement> &elements, const std::array<bool, PartCount> &flags = partFlags(true))
    {
        QImage picture(400, 240, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        Canvas canvas(painter);
        for (const DisplayElement &e : elements)
            DrawElement(canvas, e, flags, history, context);
        painter.end();
        return picture;
    }

    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2024, 1, 7), QTime(9, 5))};
    QTemporaryDir dir;
    ElementBitmapHolder bitmaps;
    TrendHistory history;
    int messageRounds = 0;
    ElementDrawingContext context{clock, dialogs, QLocale::c(), [this] { ++messageRounds; }, DataFolder(dir.path()), bitmaps};
};

struct Band { int first, last; WinColour colour; }; // rows from the bar's top, both included
struct BarCase { const char *name; quint8 solid; qint32 high, low, value; std::vector<Band> bands; };

class BarTest : public ElementDrawingTest, public testing::WithParamInterface<BarCase> {};

TEST_P(BarTest, FillsItsZonesUpToTheValue)
{
    const BarCase &c = GetParam();
    const DisplayElement e{.shown = 1, .bar1On = 1, .bar1Solid = c.solid, .originX = 30, .originY = 40, .bar1X = 10,
                           .bar1Y = 20, .bar1Width = 8, .bar1Height = 100, .scaledValue = c.value, .highLimit = c.high,
                           .lowLimit = c.low, .highColour = Red, .midColour = Green, .lowColour = Blue};
    const QImage picture = render({e}, partFlags(false, 1));
    for (int row = -20; row < 120; ++row) {
        WinColour expected = White;
        for (const Band &band : c.bands)
            if (row >= band.first && row <= band.last)
                expected = band.colour;
        ASSERT_EQ(picture.pixel(44, 60 + row), rgb(expected)) << "row " << row;
    }
    const QRect ink = inkBounds(picture, picture.rect());
    EXPECT_TRUE(c.bands.empty() ? ink.isNull() : ink.left() == 40 && ink.right() == 47);
}

INSTANTIATE_TEST_SUITE_P(Zones, BarTest, testing::Values(
    BarCase{"Zoned900", 0, 800, 200, 900, {{10, 19, Red}, {20, 79, Green}, {80, 99, Blue}}},
    BarCase{"Zoned500MiddleOverRow79", 0, 800, 200, 500, {{50, 79, Green}, {80, 99, Blue}}},
    BarCase{"Zoned205LowZoneFromRow79WithNoMiddle", 0, 800, 200, 205, {{79, 99, Blue}}},
    BarCase{"ZonedAbove1000", 0, 800, 200, 1100, {{-10, 19, Red}, {20, 79, Green}, {80, 99, Blue}}},
    BarCase{"ZonedLowLimit1000", 0, 800, 1000, 500, {}},
    BarCase{"Solid200", 1, 800, 200, 200, {{80, 99, Blue}}}, BarCase{"Solid800", 1, 800, 200, 800, {{20, 99, Red}}},
    BarCase{"Solid500", 1, 800, 200, 500, {{50, 99, Green}}},
    BarCase{"SolidBelowZeroHangsUnderTheBar", 1, 800, 200, -100, {{100, 109, Blue}}}), caseName<BarCase>);

// One part of an element switched on, and the part flag that gates it.
struct PartCase { const char *name; std::size_t flag; DisplayElement element; };

const PartCase PartCases[] = {
    {"Bar2", 0, {.bar2On = 1, .bar2Width = 10, .bar2Height = 50, .scaledValue = 500}},
    {"Markers", 0, {.markersOn = 1, .bar2Height = 50, .markerLength = 10, .markerHalfHeight = 5}},
    {"Axis", 0, {.axisOn = 1, .axisX = 20, .axisLength = 40}},
    {"Ticks", 0, {.majorOn = 1, .majorLength = 5, .majorStep = 10, .majorCount = 2}},
    {"VerticalGrid", 0, {.vGridOn = 1, .chartWidth = 50, .chartHeight = 50, .vGridStep = 10}},
    {"HorizontalGrid", 0, {.hGridOn = 1, .chartWidth = 50, .chartHeight = 50, .hGridStep = 10}},
    {"DateLine", 0, {.boxX = {0, 0, 0, 0, 0, 20}, .boxY = {0, 0, 0, 0, 0, 20}, .clockOn = 1}},
    {"Trend", 0, {.trendOn = 1, .trendPoints = 50, .trendHeight = 40, .trendReady = 1}},
    {"Bar1", 1, {.bar1On = 1, .bar1Width = 10, .bar1Height = 50, .scaledValue = 500}},
    {"Box1", 2, {.boxFill = {1}, .boxWidth = {10}, .boxHeight = {10}}},
    {"Box8", 9, {.boxFill = {0, 0, 0, 0, 0, 0, 0, 1}, .boxWidth = {0, 0, 0, 0, 0, 0, 0, 10}, .boxHeight = {0, 0, 0, 0, 0, 0, 0, 10}}},
    {"Lamp", 10, {.textOn = {1}, .lampX = 30, .lampY = 30, .lampRadius = 8}},
    {"Text5", 15, {.textOn = {0, 0, 0, 0, 0, 1}, .textSize = {0, 0, 0, 0, 0, 10}, .text = {{{}, {}, {}, {}, {}, u"Nivo"_s}}}},
    {"Bitmap", 16, {.bitmapOn = 1, .bitmapFile = u"lamp.bmp"_s}},
};

class PartTest : public ElementDrawingTest, public testing::WithParamInterface<PartCase> {};

TEST_P(PartTest, DrawnOnlyWithItsOwnFlagWhileMessagesAreProcessedAnyway)
{
    const auto blank = [](const QImage &picture) { return inkBounds(picture, picture.rect()).isNull(); };
    DisplayElement e = GetParam().element;
    e.shown = 1;
    e.originX = e.originY = 20;
    EXPECT_TRUE(blank(render({e}, partFlags(true, GetParam().flag))));
    EXPECT_FALSE(blank(render({e}, partFlags(false, GetParam().flag))));
    EXPECT_EQ(messageRounds, 2);
    e.shown = 0;
    EXPECT_TRUE(blank(render({e})));
    EXPECT_TRUE(messageRounds == 2 && dialogs.calls.isEmpty()) << messageRounds;
}

INSTANTIATE_TEST_SUITE_P(Parts, PartTest, testing::ValuesIn(PartCases), caseName<PartCase>);

constexpr qint32 Huge = std::numeric_limits<qint32>::max();

// Minor ticks at 0, 20 and 40; majors at 0 and 40 give way, the one at 80 is drawn; labels 8, 88, 168, 248.
const DisplayElement Ticks{.shown = 1, .majorOn = 1, .majorLabelsOn = 1, .minorOn = 1, .minorLabelsOn = 1, .originX = 20,
    .originY = 10, .axisX = 30, .axisY = 10, .majorLength = 12, .majorFirst = 0, .majorStep = 40, .majorCount = 3,
    .majorFontSize = 8, .majorLabelDx = 10, .minorLength = 5, .minorFirst = 0, .minorStep = 20, .minorCount = 3,
    .minorFontSize = 8, .minorLabelDx = 10, .labelStart = 8, .labelStep = 80, .majorFont = u"Arial"_s,
    .minorFont = u"Arial"_s, .labelFormat = u"%.0f"_s, .majorColour = Red, .minorColour = Blue};
const DisplayElement Lamp{.shown = 1, .textOn = {1}, .originX = 100, .originY = 100, .lampRadius = 10, .name = u"RRRR"_s,
                          .accentColour = Yellow};
const QRect LampName(116, 100, 120, 30), LampOutline(90, 90, 21, 21);

DisplayElement bitmap(const QString &file, qint32 x, qint32 loaded = 0)
{
    return {.shown = 1, .bitmapOn = 1, .originX = x, .originY = 7, .bitmapDx = 2, .bitmapDy = 3, .bitmapLoaded = loaded,
            .bitmapFile = file, .bitmapKeyColour = Green};
}

constexpr QRect px(int x, int y) { return {x, y, 1, 1}; }

// darkest: areas whose darkest pixel has the colour (white: nothing drawn there); notFound: the
// "Bitmap not found" messages told.
struct PixelCase { const char *name; std::vector<DisplayElement> elements; std::vector<std::pair<QRect, WinColour>> darkest; int notFound = 0; };

const PixelCase PixelCases[] = {
    {"MarkersPointAtTheLimitsBesideBar2", {{.shown = 1, .markersOn = 1, .originX = 20, .originY = 20, .bar2Height = 100,
        .markerDx = 12, .markerLength = 8, .markerHalfHeight = 4, .highLimit = 800, .lowLimit = 200,
        .highMarkerColour = Red, .lowMarkerColour = Blue}}, {{px(38, 40), Red}, {px(38, 100), Blue}, {QRect(40, 30, 360, 20), White}}},
    {"CoincidingTicksDrawOnlyTheMinorOne", {Ticks}, {{px(46, 20), Blue}, {px(42, 20), White}, {px(46, 40), Blue},
        {px(42, 40), White}, {px(46, 60), Blue}, {px(42, 60), White}, {px(42, 100), Red}, {QRect(0, 120, 400, 120), White}}},
    {"BoxesTakeTheirColoursAndBox8IsFramed", {{.shown = 1, .boxFill = {1, 0, 0, 0, 0, 0, 0, 1}, .originX = 10,
        .originY = 10, .boxX = {0, 0, 0, 0, 0, 0, 0, 30}, .boxWidth = {20, 0, 0, 0, 0, 0, 0, 20},
        .boxHeight = {10, 0, 0, 0, 0, 0, 0, 10}, .boxColour = {Green}, .accentColour = Yellow}},
     {{px(10, 10), Green}, {px(29, 19), Green}, {px(30, 15), White}, {px(40, 10), WinBlack}, {px(59, 19), WinBlack},
      {px(45, 15), Yellow}, {QRect(0, 0, 400, 10), White}, {QRect(0, 20, 400, 10), White}, {QRect(60, 0, 10, 30), White}}},
    {"LampNameInTheFontOfSlot26", {{.shown = 1, .bitmapSlot = 26}, Lamp}, {{LampName, Red}}},
    {"LampNameBlackAfterSlot25", {{.shown = 1, .bitmapSlot = 25}, Lamp}, {{LampName, WinBlack}}},
    {"LampNameInTextColour2", {{.shown = 1, .textOn = {0, 0, 1}, .bitmapSlot = 26, .textColour = {0, 0, Blue}}, Lamp},
     {{LampName, Blue}}},
    {"LampOutlineBlack", {Lamp}, {{LampOutline, WinBlack}}},
    {"NoLampOutlineAfterNullPenMarkers", {{.shown = 1, .markersOn = 1, .originY = 150, .markerLength = 8}, Lamp},
     {{LampOutline, Yellow}}},
    // Counts and extents of two thousand million, as a corrupt "Bgd.rez" may hold, draw their first
    // lines and come back instead of looping for minutes.
    {"CorruptTickCounts", {{.shown = 1, .majorOn = 1, .minorOn = 1, .originX = 50, .originY = 50, .majorLength = 10,
        .majorStep = 0, .majorCount = Huge, .minorLength = 5, .minorFirst = 7, .minorStep = 1, .minorCount = Huge,
        .majorColour = Red, .minorColour = Blue}}, {{px(45, 50), Red}, {px(47, 239), Blue}}},
    {"CorruptGridExtents", {{.shown = 1, .vGridOn = 1, .hGridOn = 1, .chartX = 100, .chartY = 10, .chartWidth = Huge,
        .chartHeight = Huge, .vGridStep = 1, .hGridStep = 3, .vGridFirst = -Huge, .hGridFirst = -Huge,
        .gridColour = Green}}, {{px(99, 20), White}, {px(100, 20), Green}, {px(399, 239), Green}}},
    {"TrendDrawsAtMostTheHistoryAndClampsItsPoints", {{.shown = 1, .trendOn = 1, .originX = 10,
        .originY = 10, .trendPoints = 400, .trendHeight = 100, .trendReady = 1, .accentColour = Red}}, {{px(10, 9), Red}, {px(150, 59), Red},
        {px(310, 109), Red}, {QRect(0, 0, 400, 9), White}, {QRect(0, 110, 400, 9), White}, {QRect(311, 0, 9, 240), White}}},
    {"TrendOfNegativePointsIsBlank", {{.shown = 1, .trendOn = 1, .trendPoints = -5, .trendHeight = 100, .trendReady = 1}}, {{QRect(0, 0, 400, 240), White}}},
    // The key colour is transparent; a loaded bitmap is drawn from the shared holder; each failure is told.
    {"BitmapsPassThroughTheSharedHolder", {bitmap(u"lamp.bmp"_s, 8), bitmap(u"missing.bmp"_s, 58),
        bitmap(u"missing.bmp"_s, 58), bitmap(u"missing.bmp"_s, 108, 1), bitmap(QString(), 158)},
     {{px(10, 10), White}, {px(11, 10), Red}, {px(13, 13), Red}, {px(113, 13), Red}, {QRect(0, 0, 400, 10), White},
      {QRect(0, 14, 400, 226), White}, {QRect(0, 0, 10, 240), White}, {QRect(14, 0, 96, 240), White},
      {QRect(114, 0, 286, 240), White}}, 2},
};

class PixelTest : public ElementDrawingTest, public testing::WithParamInterface<PixelCase> {};

TEST_P(PixelTest, DrawsTheColoursWhereExpected)
{
    const PixelCase &c = GetParam();
    const QImage picture = render(c.elements);
    for (const auto &[area, colour] : c.darkest)
        EXPECT_EQ(darkest(picture, area).rgb(), rgb(colour)) << area.x() << "," << area.y();
    const RecordingDialogs::Call notFound{RecordingDialogs::Kind::Message, u"Bitmap not found"_s, u"File Error"_s};
    EXPECT_EQ(dialogs.calls, QList<RecordingDialogs::Call>(c.notFound, notFound));
}

INSTANTIATE_TEST_SUITE_P(Pictures, PixelTest, testing::ValuesIn(PixelCases), caseName<PixelCase>);

TEST_F(ElementDrawingTest, TickLabelsShareTheValueOfTheirPosition)
{
    const QImage picture = render({Ticks});
    const auto labelWidth = [&](int row) { return inkBounds(picture, QRect(55, row, 100, 15)).width(); };
    EXPECT_TRUE(labelWidth(20) < labelWidth(40) && labelWidth(40) < labelWidth(60)) << labelWidth(20) << "," << labelWidth(40);
    EXPECT_NEAR(labelWidth(100), labelWidth(60), 2);
}

TEST_F(ElementDrawingTest, GridLinesFromTheChartEdgeOnAndNoneWithoutAPositiveStep)
{
    // lines: picture columns (vertical) or rows (horizontal)
    const struct { bool vertical; qint32 first, step; std::vector<int> lines; } cases[] = {
        {true, -10, 15, {35, 50, 65}}, {true, 0, 0, {}}, {true, 0, -5, {}}, {false, 5, 12, {40, 52, 64}}, {false, 5, 0, {}}};
    for (const auto &c : cases) {
        DisplayElement e{.shown = 1, .originX = 10, .originY = 5, .chartX = 20, .chartY = 30, .chartWidth = 50,
                         .chartHeight = 40, .trendHeight = 100, .gridColour = Green};
        (c.vertical ? e.vGridOn : e.hGridOn) = 1;
        (c.vertical ? e.vGridFirst : e.hGridFirst) = c.first;
        (c.vertical ? e.vGridStep : e.hGridStep) = c.step;
        const QImage picture = render({e});
        std::vector<int> lines;
        for (int at = 0; at < 200; ++at)
            if ((c.vertical ? picture.pixel(at, 40) : picture.pixel(35, at)) == rgb(Green))
                lines.push_back(at);
        EXPECT_EQ(lines, c.lines) << (c.vertical ? "vertical, step " : "horizontal, step ") << c.step;
    }
}

TEST_F(ElementDrawingTest, TimeTextsWrapThroughMidnightAndTheDateLineIgnoresTheOrigin)
{
    EXPECT_EQ(std::pair(ElementTimeLabel(QTime(1, 30), 2), ElementTimeLabel(QTime(9, 5), 8)), std::pair(u"23 : 30"_s, u"01 : 05"_s));
    EXPECT_EQ(ElementDateLine(FixedClock(QDateTime(QDate(2024, 1, 7), QTime(9, 5, 59)))),
              u"Nedelja  07. Januar  2024.      09 : 05"_s);
    const QImage picture = render({{.shown = 1, .originX = 200, .originY = 150, .boxX = {0, 0, 0, 0, 0, 10},
                                    .boxY = {0, 0, 0, 0, 0, 20}, .clockOn = 1}});
    const QRect ink = inkBounds(picture, picture.rect());
    EXPECT_TRUE(std::abs(ink.left() - 11) <= 2 && std::abs(ink.top() - 22) <= 3) << ink.left() << "," << ink.top();
    // A date line placed at the end of the int range is pinned far above the picture, with no overflow.
    const QImage farAbove = render({{.shown = 1, .boxY = {0, 0, 0, 0, 0, std::numeric_limits<qint32>::min()}, .clockOn = 1}});
    EXPECT_TRUE(inkBounds(farAbove, farAbove.rect()).isNull());
}

} // namespace

TEST_F(ElementDrawingTest, TrendEntriesWithoutAReadingBreakTheLine)
{
    std::fill_n(history.begin(), 100, NoTrendEntry);
    std::fill(history.begin() + 150, history.begin() + 160, NoTrendEntry);
    const QImage picture = render({{.shown = 1, .trendOn = 1, .originX = 10, .originY = 10, .trendPoints = 300,
                                    .trendHeight = 100, .trendReady = 1, .accentColour = Red}});
    EXPECT_EQ(inkBounds(picture, QRect(0, 0, 110, 240)), QRect()) << "nothing left of the first reading";
    EXPECT_EQ(inkBounds(picture, QRect(161, 0, 8, 240)), QRect()) << "the gap";
    EXPECT_EQ(darkest(picture, QRect(110, 0, 50, 240)).rgb(), rgb(Red));
    EXPECT_EQ(darkest(picture, QRect(170, 0, 50, 240)).rgb(), rgb(Red));
}
