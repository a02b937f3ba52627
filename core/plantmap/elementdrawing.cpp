// Drawing of one plant-map element, step by step, on integer pixels.
#include "core/plantmap/elementdrawing.h"

#include "core/services/clock.h"
#include "core/services/dialogs.h"
#include "core/text/numberformat.h"
#include "core/plantmap/valueformat.h"

#include <QPolygon>

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t LastPlainBox = 6; // boxes 1 to 6 come before the lamp, 7 and 8 after it
constexpr std::size_t Box7 = 6;         // indices of boxes 7 and 8
constexpr std::size_t Box8 = 7;
constexpr std::size_t RedFontTextItem = 2;

constexpr qint64 PerMille = 1000;
// Far enough beyond any picture that pinning changes nothing visible, near enough for Qt's raster engine.
constexpr qint64 PixelLimit = 1 << 20;
// The most lines one tick series or one grid direction draws: more than the 800 x 560 picture has
// pixels across, while a corrupt count of two thousand million would hold the window for minutes.
constexpr qint64 MaxSeriesLines = 2048;
constexpr qint32 RedFontSlot = 26;
constexpr WinColour WinRed = 0x0000FF;
constexpr int CaptionFontSize = 10; // the lamp's name, the time labels and the date line
constexpr int LampNameDx = 10;
constexpr int LampNameDy = 3;
constexpr int TimeLabelDy = 35;
constexpr quint8 LastPenStyle = 6;

// The time labels: hours back from now, and x relative to trendPoints.
constexpr std::array<std::pair<int, int>, 4> TimeLabels{{{2, 10}, {4, -50}, {6, -110}, {8, -170}}};

QString arial() { return QStringLiteral("Arial"); }

bool on(quint8 flag) { return flag != 0; }

int pixel(qint64 coordinate) { return static_cast<int>(std::clamp(coordinate, -PixelLimit, PixelLimit)); }

// Pen style codes outside 0 to 6 draw solid.
PenStyle penStyle(quint8 code) { return code <= LastPenStyle ? static_cast<PenStyle>(code) : PenStyle::Solid; }

void selectPen(Canvas &canvas, quint8 style, WinColour colour, qint32 width)
{
    canvas.state().pen = CanvasPen{colour, width, penStyle(style)};
}

void selectFont(Canvas &canvas, const QString &face, qint32 size)
{
    canvas.state().font.face = face;
    canvas.state().font.size = size;
}

void line(Canvas &canvas, qint64 x1, qint64 y1, qint64 x2, qint64 y2)
{
    canvas.moveTo(pixel(x1), pixel(y1));
    canvas.lineTo(pixel(x2), pixel(y2));
}

void fill(Canvas &canvas, WinColour colour, qint64 left, qint64 top, qint64 right, qint64 bottom)
{
    canvas.state().brushColour = colour;
    canvas.fillRect(pixel(left), pixel(top), pixel(right), pixel(bottom));
}

void textAt(Canvas &canvas, qint64 x, qint64 y, const QString &text) { canvas.textOut(pixel(x), pixel(y), text); }

// True when the element bitmap counts as loaded, already or by loading it into the holder now;
// a failed load is told to the operator.
bool bitmapReady(const DisplayElement &e, ElementDrawingContext &context)
{
    if (e.bitmapLoaded != 0)
        return true;
    if (e.bitmapFile.isEmpty())
        return false;
    if (context.bitmaps.load(context.folder.filePath(e.bitmapFile), e.bitmapKeyColour))
        return true;
    context.dialogs.message(QStringLiteral("Bitmap not found"), QStringLiteral("File Error"));
    return false;
}

// One bar, filled up to scaledValue, in one colour or zone by zone.
void drawBar(Canvas &canvas, const DisplayElement &e, qint64 left, qint64 top, qint64 width, qint64 height, bool solid)
{
    const qint64 v = e.scaledValue;
    const qint64 hi = e.highLimit;
    const qint64 lo = e.lowLimit;
    const qint64 right = left + width;
    const qint64 bottom = top + height;
    const auto rowOf = [height](qint64 level) { return height - height * level / PerMille; };
    if (solid) {
        const WinColour colour = v <= lo ? e.lowColour : v >= hi ? e.highColour : e.midColour;
        fill(canvas, colour, left, top + rowOf(v), right, bottom);
        return;
    }
    const qint64 yh = rowOf(hi);
    const qint64 yl = rowOf(lo);
    const qint64 yv = rowOf(v);
    if (hi <= v) {
        if (yh > 0)
            fill(canvas, e.highColour, left, top + yv, right, top + yh);
        if (yl > 0)
            fill(canvas, e.lowColour, left, top + yl, right, bottom);
        fill(canvas, e.midColour, left, top + yh, right, top + yl);
    } else if (lo < v) {
        if (yl > 0)
            fill(canvas, e.lowColour, left, top + yl - 1, right, bottom);
        fill(canvas, e.midColour, left, top + yv, right, top + yl);
    } else if (yl > 0) {
        fill(canvas, e.lowColour, left, top + yv, right, bottom);
    }
}

// A threshold marker: a triangle pointing left at the limit's height beside bar 2.
void drawMarker(Canvas &canvas, const DisplayElement &e, qint64 x, qint64 y, qint32 limit, WinColour colour)
{
    canvas.state().pen.colour = colour;
    canvas.state().brushColour = colour;
    const qint64 tipX = x + e.bar2X + e.markerDx;
    const qint64 tipY = y + e.bar2Y + e.bar2Height - qint64{e.bar2Height} * limit / PerMille;
    const int baseX = pixel(tipX + e.markerLength);
    canvas.polygon(QPolygon({QPoint(pixel(tipX), pixel(tipY)), QPoint(baseX, pixel(tipY - e.markerHalfHeight)),
                             QPoint(baseX, pixel(tipY + e.markerHalfHeight))}));
}

// The fields of the major or the minor ticks.
struct TickSeries
{
    bool on;
    bool labelsOn;
    qint32 length, first, step, count, dx, penWidth, fontSize, labelDx, labelDy, labelAlign;
    quint8 penStyle;
    WinColour colour;
    WinColour labelColour;
    const QString &font;
};

TickSeries majorTicks(const DisplayElement &e)
{
    return {on(e.majorOn),   on(e.majorLabelsOn), e.majorLength,      e.majorFirst,   e.majorStep,    e.majorCount,
            e.majorDx,       e.majorPenWidth,     e.majorFontSize,    e.majorLabelDx, e.majorLabelDy, e.majorLabelAlign,
            e.majorPenStyle, e.majorColour,       e.majorLabelColour, e.majorFont};
}

TickSeries minorTicks(const DisplayElement &e)
{
    return {on(e.minorOn),   on(e.minorLabelsOn), e.minorLength,      e.minorFirst,   e.minorStep,    e.minorCount,
            e.minorDx,       e.minorPenWidth,     e.minorFontSize,    e.minorLabelDx, e.minorLabelDy, e.minorLabelAlign,
            e.minorPenStyle, e.minorColour,       e.minorLabelColour, e.minorFont};
}

// One tick at y, ending on its right at axisX + dx; a drawn label advances the label value.
void drawTick(Canvas &canvas, const TickSeries &series, qint64 axisX, qint64 y, const DisplayElement &e, double &label,
              const QLocale &locale)
{
    selectPen(canvas, series.penStyle, series.colour, series.penWidth);
    const qint64 right = axisX + series.dx;
    line(canvas, right, y, right - series.length, y);
    if (!series.labelsOn)
        return;
    selectFont(canvas, series.font, series.fontSize);
    canvas.state().font.colour = series.labelColour;
    canvas.state().textAlign = static_cast<unsigned>(series.labelAlign);
    textAt(canvas, right + series.labelDx, y + series.labelDy, formatValue(e.labelFormat, label, locale));
    label += e.labelStep;
}

// The minor and major ticks merged by position; at a shared position only the minor one is drawn.
void drawTicks(Canvas &canvas, const DisplayElement &e, qint64 x, qint64 y, const QLocale &locale)
{
    const TickSeries major = majorTicks(e);
    const TickSeries minor = minorTicks(e);
    qint64 pm = minor.first;
    qint64 cm = minor.on ? std::min<qint64>(minor.count, MaxSeriesLines) : 0;
    qint64 pM = major.first;
    qint64 cM = major.on ? std::min<qint64>(major.count, MaxSeriesLines) : 0;
    double label = e.labelStart;
    canvas.state().transparentText = true;
    while (cm > 0 || cM > 0) {
        if ((pM < pm && major.on && cM >= 1) || !(minor.on && cm > 0)) {
            drawTick(canvas, major, x + e.axisX, y + e.axisY + pM, e, label, locale);
            pM += major.step;
            --cM;
        } else {
            drawTick(canvas, minor, x + e.axisX, y + e.axisY + pm, e, label, locale);
            if (pM == pm) {
                pM += major.step;
                --cM;
            }
            pm += minor.step;
            --cm;
        }
    }
}

// The box at index filled with a solid brush.
void fillBox(Canvas &canvas, const DisplayElement &e, qint64 x, qint64 y, std::size_t box, WinColour colour)
{
    canvas.state().brushClear = false;
    const qint64 left = x + e.boxX[box];
    const qint64 top = y + e.boxY[box];
    fill(canvas, colour, left, top, left + e.boxWidth[box], top + e.boxHeight[box]);
}

bool boxShown(const DisplayElement &e, const std::array<bool, PartCount> &partFlags, std::size_t box)
{
    return on(e.boxFill[box]) && partFlags[FirstBoxPart + box];
}

// The lamp, outlined with the pen style and width left on the canvas, and the name beside it.
void drawLamp(Canvas &canvas, const DisplayElement &e, qint64 x, qint64 y)
{
    selectFont(canvas, arial(), CaptionFontSize);
    canvas.state().pen.colour = WinBlack;
    canvas.state().brushColour = e.accentColour;
    const qint64 cx = x + e.lampX;
    const qint64 cy = y + e.lampY;
    const qint64 r = e.lampRadius;
    canvas.ellipse(pixel(cx - r), pixel(cy - r), pixel(cx + r), pixel(cy + r));
    canvas.state().transparentText = true;
    textAt(canvas, cx + LampNameDx + canvas.textWidth(e.name), cy + r + LampNameDy, e.name);
}

// The six text items; between items 1 and 2 bitmap slot 26 turns the font red.
void drawTextItems(Canvas &canvas, const DisplayElement &e, const std::array<bool, PartCount> &partFlags, qint64 x,
                   qint64 y)
{
    for (std::size_t n = 0; n < TextItemCount; ++n) {
        if (n == RedFontTextItem && e.bitmapSlot == RedFontSlot)
            canvas.state().font.colour = WinRed;
        if (!on(e.textOn[n]) || !partFlags[FirstTextPart + n])
            continue;
        selectFont(canvas, e.textFont[n], e.textSize[n]);
        canvas.state().font.colour = e.textColour[n];
        canvas.state().textAlign = static_cast<unsigned>(e.textAlign[n]);
        canvas.state().transparentText = true;
        textAt(canvas, x + e.textX[n], y + e.textY[n], e.text[n]);
    }
}

// Grid positions first, first + step, ... below end, drawn from start on (the positions before
// start are stepped over at once), at most MaxSeriesLines of them.
template <typename DrawLine> void gridLines(qint64 start, qint64 first, qint64 step, qint64 end, DrawLine drawLine)
{
    if (step <= 0)
        return;
    qint64 at = first < start ? first + (start - first + step - 1) / step * step : first;
    for (qint64 drawn = 0; at < end && drawn < MaxSeriesLines; at += step, ++drawn)
        drawLine(at);
}

void drawTimeLabels(Canvas &canvas, const DisplayElement &e, qint64 x, qint64 y, const Clock &clock)
{
    selectFont(canvas, arial(), CaptionFontSize);
    const QTime now = clock.now().time();
    const qint64 labelY = y + e.hGridFirst + e.trendHeight + TimeLabelDy;
    for (const auto &[hoursBefore, dx] : TimeLabels)
        textAt(canvas, x + e.trendPoints + dx, labelY, ElementTimeLabel(now, hoursBefore));
}

// One point per history entry, one pixel apart, each also drawn one pixel to the right; entries
// without a reading break the line.
void drawTrend(Canvas &canvas, const DisplayElement &e, const TrendHistory &history, qint64 x, qint64 y)
{
    selectPen(canvas, e.trendPenStyle, e.accentColour, e.trendPenWidth);
    const qint64 height = e.trendHeight;
    const qint64 count = std::min<qint64>(e.trendPoints, TrendHistorySize);
    bool drawing = false;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 entry = history[static_cast<std::size_t>(i)];
        if (entry == NoTrendEntry) {
            drawing = false;
            continue;
        }
        const qint64 scaled = entry * height / PerMille;
        const qint64 clamped = scaled > height ? PerMille : scaled < 0 ? 0 : entry;
        const int px = pixel(x + e.trendX + i);
        const int py = pixel(y + e.trendY + height - 1 - clamped * height / PerMille);
        if (!drawing)
            canvas.moveTo(px, py);
        else
            canvas.lineTo(px, py);
        canvas.lineTo(px + 1, py);
        canvas.moveTo(px, py);
        drawing = true;
    }
}

} // namespace

bool ElementBitmapHolder::load(const QString &filePath, WinColour keyColour)
{
    QImage image;
    if (!image.load(filePath))
        return false;
    image.convertTo(QImage::Format_ARGB32);
    const QRgb key = toQColor(keyColour).rgb() & RGB_MASK;
    for (int row = 0; row < image.height(); ++row) {
        auto *pixels = reinterpret_cast<QRgb *>(image.scanLine(row));
        std::replace_if(
            pixels, pixels + image.width(), [key](QRgb p) { return (p & RGB_MASK) == key; }, QRgb{0});
    }
    m_picture = std::move(image);
    m_keyColour = keyColour;
    return true;
}

void DrawElement(Canvas &canvas, DisplayElement element, const std::array<bool, PartCount> &partFlags,
                 const TrendHistory &history, ElementDrawingContext &context)
{
    const DisplayElement &e = element;
    if (!on(e.shown))
        return;
    const qint64 x = e.originX;
    const qint64 y = e.originY;
    const bool scale = partFlags[ScalePart];

    if (on(e.bitmapOn) && partFlags[BitmapPart] && bitmapReady(e, context))
        canvas.drawImage(pixel(x + e.bitmapDx), pixel(y + e.bitmapDy), context.bitmaps.picture());

    if (context.processMessages)
        context.processMessages();

    if (on(e.bar1On) && partFlags[Bar1Part])
        drawBar(canvas, e, x + e.bar1X, y + e.bar1Y, e.bar1Width, e.bar1Height, on(e.bar1Solid));
    if (on(e.bar2On) && scale)
        drawBar(canvas, e, x + e.bar2X, y + e.bar2Y, e.bar2Width, e.bar2Height, on(e.bar2Solid));

    if (on(e.markersOn) && scale) {
        canvas.state().pen.style = PenStyle::Null;
        drawMarker(canvas, e, x, y, e.highLimit, e.highMarkerColour);
        drawMarker(canvas, e, x, y, e.lowLimit, e.lowMarkerColour);
    }

    if (on(e.axisOn) && scale) {
        selectPen(canvas, e.axisPenStyle, e.axisColour, e.axisPenWidth);
        line(canvas, x + e.axisX, y + e.axisY, x + e.axisX, y + e.axisY + e.axisLength);
    }

    if ((on(e.majorOn) || on(e.minorOn)) && scale)
        drawTicks(canvas, e, x, y, context.locale);

    for (std::size_t box = 0; box < LastPlainBox; ++box)
        if (boxShown(e, partFlags, box))
            fillBox(canvas, e, x, y, box, e.boxColour[box]);

    if (on(e.textOn[0]) && partFlags[FirstTextPart])
        drawLamp(canvas, e, x, y);

    if (boxShown(e, partFlags, Box7))
        fillBox(canvas, e, x, y, Box7, e.boxColour[Box7]);
    if (boxShown(e, partFlags, Box8)) {
        fillBox(canvas, e, x, y, Box8, e.accentColour);
        canvas.state().brushColour = WinBlack;
        const qint64 left = x + e.boxX[Box8];
        const qint64 top = y + e.boxY[Box8];
        canvas.frameRect(pixel(left), pixel(top), pixel(left + e.boxWidth[Box8]), pixel(top + e.boxHeight[Box8]));
    }

    drawTextItems(canvas, e, partFlags, x, y);

    if (on(e.vGridOn) && scale) {
        selectPen(canvas, e.gridPenStyle, e.gridColour, e.gridPenWidth);
        const qint64 top = y + e.chartY;
        gridLines(e.chartX, qint64{e.chartX} + e.vGridFirst, e.vGridStep, qint64{e.chartX} + e.chartWidth,
                  [&](qint64 at) { line(canvas, x + at, top, x + at, top + e.chartHeight); });
        drawTimeLabels(canvas, e, x, y, context.clock);
    }

    if (on(e.hGridOn) && scale) {
        selectPen(canvas, e.gridPenStyle, e.gridColour, e.gridPenWidth);
        const qint64 left = x + e.chartX;
        gridLines(e.chartY, qint64{e.chartY} + e.hGridFirst, e.hGridStep, qint64{e.chartY} + e.chartHeight,
                  [&](qint64 at) { line(canvas, left, y + at, left + e.chartWidth, y + at); });
    }

    if (on(e.clockOn) && scale) {
        selectFont(canvas, arial(), CaptionFontSize);
        canvas.state().font.colour = WinBlack;
        canvas.state().transparentText = true;
        textAt(canvas, e.boxX[DateLineBox], e.boxY[DateLineBox], ElementDateLine(context.clock));
    }

    if (on(e.trendOn) && e.trendReady != 0 && scale)
        drawTrend(canvas, e, history, x, y);
}

QString ElementTimeLabel(const QTime &now, int hoursBefore)
{
    constexpr int SecondsPerHour = 3600;
    const QTime then = now.addSecs(-SecondsPerHour * hoursBefore);
    return TwoDigits(static_cast<quint16>(then.hour())) + QStringLiteral(" : ")
           + TwoDigits(static_cast<quint16>(then.minute()));
}

QString ElementDateLine(const Clock &clock)
{
    const QDateTime now = clock.now();
    QString month;
    MonthName(now.date().month(), month);
    // A day number outside 1 to 7 names today.
    return DayName(0, now.date()) + QStringLiteral("  ") + TwoDigits(static_cast<quint16>(now.date().day()))
           + QStringLiteral(". ") + month + QStringLiteral("  ") + FormatInteger(now.date().year())
           + QStringLiteral(".      ") + ElementTimeLabel(now.time(), 0);
}
