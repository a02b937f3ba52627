// Drawing of the demonstration map's background pictures: antialiased shapes on whole pixels, and
// texts through the Canvas so that they look like the texts the elements draw over them.
#include "demoplant/demopictures.h"

#include "core/drawing/canvas.h"
#include "demoplant/demolayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

using namespace Qt::StringLiterals;
namespace Palette = DemoPalette;
namespace Screen = TankScreen;

// Colours of the pictures alone, 0x00BBGGRR like the elements'.
constexpr WinColour Page = 0xF0EBE6;
constexpr WinColour PanelFill = 0xFCFAF8;
constexpr WinColour PanelBorder = 0xD8CDC3;
constexpr WinColour BandTop = 0x6B4426;
constexpr WinColour BandLine = 0xA8703C;
constexpr WinColour Caption = 0xD3BDA9; // captions on the title bands
constexpr WinColour DatePanelFill = 0xF8F4F1;
constexpr WinColour SteelEdge = 0x9A8B7E;
constexpr WinColour SteelLight = 0xF7F4F1;
constexpr WinColour SteelMid = 0xD6CCC3;
constexpr WinColour Outline = 0x68574A;
constexpr WinColour PipeEdge = 0x7A6555;
constexpr WinColour PipeCore = 0xCEC0B4;
constexpr WinColour CardBorder = 0xC4B6A9;
constexpr WinColour BoxBorder = 0xCDC1B5;
constexpr WinColour HighTint = 0xE2E4FB;
constexpr WinColour LowTint = 0xD6F4FD;
constexpr WinColour Muted = 0x9A8878; // hints and secondary captions on panels
constexpr int ShadowAlpha = 0x38;

// Text sizes of the pictures in points, besides the shared ones.
constexpr int SmallSize = 8;
constexpr int HeadingSize = 10;
constexpr int TitleSize = 14;

constexpr unsigned LeftBottom = TextAlign::Left | TextAlign::Bottom;
constexpr unsigned CentreBottom = TextAlign::Center | TextAlign::Bottom;

constexpr int PipeWidth = 5;
constexpr int PipeCoreWidth = 3;
constexpr int ValveSize = 4;   // half the length of a valve
constexpr int CardHeader = 15; // height of a card's name strip
constexpr int PumpRadius = 11;
constexpr int PerMille = 1000;
constexpr int CoursePixels = 22; // height of a shell course on the overview
constexpr int ScreenCourses = 8; // courses of the tank screen's shell

QColor colour(WinColour c, int alpha = 255)
{
    QColor q = toQColor(c);
    q.setAlpha(alpha);
    return q;
}

// One line of text with the Canvas's fonts, sizes and alignment flags.
void text(Canvas &canvas, QPoint at, const QString &line, int size, WinColour textColour, unsigned align,
          bool bold = false)
{
    CanvasState &state = canvas.state();
    state.font.face = DemoFont;
    state.font.size = size;
    state.font.colour = textColour;
    state.font.bold = bold;
    state.textAlign = align;
    state.transparentText = true;
    canvas.textOut(at.x(), at.y(), line);
}

// A pixel rectangle as a shape whose one-pixel outline covers exactly its border pixels.
QRectF outlineOf(const QRect &area) { return QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5); }

void panel(QPainter &p, const QRect &area, WinColour fill, WinColour border, qreal radius = 4)
{
    p.setPen(QPen(colour(border), 1));
    p.setBrush(colour(fill));
    p.drawRoundedRect(outlineOf(area), radius, radius);
}

void titleBand(QPainter &p, const QRect &band)
{
    QLinearGradient shade(band.topLeft(), band.bottomLeft());
    shade.setColorAt(0, colour(BandTop));
    shade.setColorAt(1, colour(Palette::Navy));
    p.fillRect(band, shade);
    p.fillRect(QRect(band.left(), band.bottom() - 1, band.width(), 2), colour(BandLine));
}

QLinearGradient steel(qreal left, qreal right, WinColour light)
{
    QLinearGradient shade(left, 0, right, 0);
    shade.setColorAt(0, colour(SteelEdge));
    shade.setColorAt(0.32, colour(light));
    shade.setColorAt(0.7, colour(SteelMid));
    shade.setColorAt(1, colour(SteelEdge));
    return shade;
}

// A vertical steel tank: the shell down to its lowest point, the bottom rim as half an ellipse
// rim pixels high, the dome roof above, rings between the courses and a shadow on the ground.
void drawTank(QPainter &p, const QRect &shell, int roof, int rim, int courses)
{
    const QRectF s = outlineOf(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(colour(Palette::Navy, ShadowAlpha));
    p.drawEllipse(QRectF(s.left() - 6, s.bottom() - rim - 2, s.width() + 12, 2 * rim + 6));

    QPainterPath body;
    body.moveTo(s.left(), s.top());
    body.lineTo(s.left(), s.bottom() - rim);
    body.arcTo(QRectF(s.left(), s.bottom() - 2 * rim, s.width(), 2 * rim), 180, 180);
    body.lineTo(s.right(), s.top());
    body.closeSubpath();
    p.setPen(QPen(colour(Outline), 1));
    p.setBrush(steel(s.left(), s.right(), SteelLight));
    p.drawPath(body);

    p.setPen(QPen(colour(Outline, 0x50), 1));
    for (int course = 1; course < courses; ++course) {
        const qreal y = std::floor(s.top() + (s.height() - rim) * course / courses) + 0.5;
        p.drawLine(QPointF(s.left() + 1, y), QPointF(s.right() - 1, y));
    }

    QPainterPath dome;
    dome.moveTo(s.left(), s.top());
    dome.arcTo(QRectF(s.left(), s.top() - roof, s.width(), 2 * roof), 180, -180);
    dome.closeSubpath();
    p.setPen(QPen(colour(Outline), 1));
    p.setBrush(steel(s.left(), s.right(), WinWhite));
    p.drawPath(dome);
}

// The empty gauge around a bar: a frame one pixel outside the bar and the glass on the bar's own pixels.
void drawGauge(QPainter &p, const QRect &bar)
{
    p.fillRect(bar.adjusted(-2, -2, 2, 2), colour(WinWhite));
    p.fillRect(bar.adjusted(-1, -1, 1, 1), colour(Palette::GaugeFrame));
    p.fillRect(bar, colour(Palette::GaugeGlass));
}

// Marks of the two thresholds right of a gauge's frame, at the rows where a bar reaches them.
void drawThresholdMarks(QPainter &p, const QRect &bar)
{
    const std::pair<int, WinColour> marks[] = {{HighLimit, Palette::High}, {LowLimit, Palette::LowMarker}};
    for (const auto &[limit, markColour] : marks) {
        const int y = bar.top() + bar.height() - bar.height() * limit / PerMille;
        p.fillRect(QRect(bar.right() + 3, y - 1, 4, 2), colour(markColour));
    }
}

// A pipe along the pixel centres of the run: odd widths keep its edges on whole pixels.
void pipe(QPainter &p, const QPolygon &run)
{
    const QPolygonF centres = QPolygonF(run).translated(0.5, 0.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour(PipeEdge), PipeWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(centres);
    p.setPen(QPen(colour(PipeCore), PipeCoreWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(centres);
}

// A gate valve drawn as two triangles meeting at centre, along a vertical or horizontal pipe.
void valve(QPainter &p, QPointF centre, bool vertical)
{
    const qreal a = ValveSize;
    const QPointF along = vertical ? QPointF(0, a) : QPointF(a, 0);
    const QPointF across = vertical ? QPointF(a, 0) : QPointF(0, a);
    p.setPen(QPen(colour(Outline), 1));
    p.setBrush(colour(WinWhite));
    p.drawPolygon(QPolygonF({centre, centre - along - across, centre - along + across}));
    p.drawPolygon(QPolygonF({centre, centre + along - across, centre + along + across}));
}

// A flow arrow: a filled triangle pointing in direction (unit steps).
void arrow(QPainter &p, QPointF tip, QPointF direction)
{
    const QPointF back = tip - direction * 7;
    const QPointF side(-direction.y() * 4, direction.x() * 4);
    p.setPen(Qt::NoPen);
    p.setBrush(colour(PipeEdge));
    p.drawPolygon(QPolygonF({tip, back + side, back - side}));
}

void pump(QPainter &p, Canvas &canvas, QPoint centre, const QString &name)
{
    p.setPen(QPen(colour(Outline), 1.5));
    p.setBrush(colour(WinWhite));
    p.drawEllipse(QPointF(centre) + QPointF(0.5, 0.5), PumpRadius, PumpRadius);
    const QPointF c = QPointF(centre) + QPointF(0.5, 0.5);
    p.setBrush(colour(Palette::Normal));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({c + QPointF(-6, 0), c + QPointF(4, -5), c + QPointF(4, 5)}));
    text(canvas, centre + QPoint(0, PumpRadius + 14), name, SmallSize, Palette::Label, CentreBottom, true);
}

// The card under a tank: its name on the header strip and the letters of its two values.
void drawCard(QPainter &p, Canvas &canvas, const OverviewTank &tank, const QString &name)
{
    const QRect card = tank.card;
    QPainterPath shape;
    shape.addRoundedRect(outlineOf(card), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(colour(WinWhite));
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRect(card.left(), card.top(), card.width(), CardHeader), colour(Palette::Navy));
    p.restore();
    p.setPen(QPen(colour(CardBorder), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    text(canvas, {card.left() + card.width() / 2, card.top() + CardHeader - 2}, name, SmallSize, Palette::TitleText,
         CentreBottom, true);
    const int letterX = card.left() + 5;
    text(canvas, {letterX, tank.levelText.y()}, u"N"_s, DemoFontSize::CardValue, Muted, LeftBottom);
    text(canvas, {letterX, tank.temperatureText.y()}, u"T"_s, DemoFontSize::CardValue, Muted, LeftBottom);
}

// The header pipes of both rows and the collector down to the pump station, with every tank's
// outlet and valve.
void drawPipes(QPainter &p, const SlotArray<OverviewTank> &tanks, int stationInlet)
{
    const int collectorTop = tanks[1].pipeY;
    pipe(p, QPolygon({QPoint(Overview::CollectorX, collectorTop), QPoint(Overview::CollectorX, stationInlet)}));
    // A row's header starts at its first tank.
    for (int slot = 1; slot <= TankCount; ++slot) {
        const int y = tanks[slot].pipeY;
        if (slot > 1 && tanks[slot - 1].pipeY == y)
            continue;
        pipe(p, QPolygon({QPoint(tanks[slot].shell.center().x(), y), QPoint(Overview::CollectorX, y)}));
        arrow(p, QPointF(Overview::CollectorX - 8, y + 0.5), QPointF(1, 0));
    }
    arrow(p, QPointF(Overview::CollectorX + 0.5, stationInlet - 10), QPointF(0, 1));
    for (const OverviewTank &tank : tanks) {
        const int x = tank.shell.center().x();
        pipe(p, QPolygon({QPoint(x, tank.shell.bottom()), QPoint(x, tank.pipeY)}));
        valve(p, QPointF(x + 0.5, (tank.shell.bottom() + tank.pipeY) / 2.0 + 1), true);
    }
}

void drawLegend(QPainter &p, Canvas &canvas)
{
    const QRect area = Overview::Legend;
    panel(p, area, PanelFill, PanelBorder);
    const int left = area.left() + 12;
    const int headingRow = area.top() + 20;
    text(canvas, {left, headingRow}, u"Legenda"_s, HeadingSize, Palette::Navy, LeftBottom, true);
    text(canvas, {area.right() - 11, headingRow - 1}, u"Dva puta kliknite na rezervoar za detaljan prikaz."_s,
         SmallSize, Muted, TextAlign::Right | TextAlign::Bottom);

    constexpr int Column = 182;
    const std::pair<WinColour, QString> zones[]
        = {{Palette::High, u"Visok nivo (%1 % i vise)"_s.arg(HighLimit * 100 / PerMille)},
           {Palette::Normal, u"Normalan nivo"_s},
           {Palette::Low, u"Nizak nivo (%1 % i manje)"_s.arg(LowLimit * 100 / PerMille)}};
    int x = left;
    const int zoneRow = area.top() + 41;
    for (const auto &[zoneColour, label] : zones) {
        p.fillRect(QRect(x, zoneRow - 10, 16, 10), colour(zoneColour));
        text(canvas, {x + 22, zoneRow + 1}, label, SmallSize, Palette::Label, LeftBottom);
        x += Column;
    }

    const int symbolRow = area.top() + 61;
    pipe(p, QPolygon({QPoint(left, symbolRow - 5), QPoint(left + 16, symbolRow - 5)}));
    text(canvas, {left + 22, symbolRow + 1}, u"Cevovod"_s, SmallSize, Palette::Label, LeftBottom);
    pipe(p, QPolygon({QPoint(left + Column, symbolRow - 5), QPoint(left + Column + 16, symbolRow - 5)}));
    valve(p, QPointF(left + Column + 8.5, symbolRow - 4.5), false);
    text(canvas, {left + Column + 22, symbolRow + 1}, u"Ventil"_s, SmallSize, Palette::Label, LeftBottom);
    text(canvas, {left + 2 * Column, symbolRow + 1}, u"N  nivo [m]    T  temperatura [\u00B0C]"_s, SmallSize,
         Palette::Label, LeftBottom);
}

void drawPumpStation(QPainter &p, Canvas &canvas)
{
    const QRect area = Overview::PumpStation;
    panel(p, area, PanelFill, PanelBorder);
    const int left = area.left() + 12;
    text(canvas, {left, area.top() + 20}, u"Pumpna stanica"_s, HeadingSize, Palette::Navy, LeftBottom, true);
    const int y = area.top() + 40;
    pipe(p,
         QPolygon({QPoint(Overview::CollectorX, area.top()), QPoint(Overview::CollectorX, y), QPoint(left + 10, y)}));
    arrow(p, QPointF(left + 2, y + 0.5), QPointF(-1, 0));
    pump(p, canvas, {left + 150, y}, u"P1"_s);
    pump(p, canvas, {left + 104, y}, u"P2"_s);
    text(canvas, {left, area.bottom() - 7}, u"prema utovaru"_s, SmallSize, Muted, LeftBottom);
}

} // namespace

QImage drawOverviewPicture(const TankTable &tanks)
{
    QImage picture(MapWidth, MapHeight, QImage::Format_RGB32);
    picture.fill(colour(Page));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    Canvas canvas(p);

    titleBand(p, Overview::TitleBand);
    text(canvas, {16, 25}, u"Skladar - rezervoarski park"_s, TitleSize, Palette::TitleText, LeftBottom, true);
    text(canvas, {16, 40}, u"Fabrika jestivog ulja  |  nivo i temperatura u 15 rezervoara"_s, SmallSize, Caption,
         LeftBottom);
    panel(p, Overview::DatePanel, DatePanelFill, BandLine, 3);

    const SlotArray<OverviewTank> places = overviewTanks(tanks);
    drawPipes(p, places, Overview::PumpStation.top());
    for (int slot = 1; slot <= TankCount; ++slot) {
        const OverviewTank &tank = places[slot];
        const int rim = tank.roofHeight / 2;
        const int courses = std::max(2, tank.shell.height() / CoursePixels);
        drawTank(p, tank.shell, tank.roofHeight, rim, courses);
        drawGauge(p, tank.levelBar);
        drawThresholdMarks(p, tank.levelBar);
        drawCard(p, canvas, tank, tanks.slot(slot).name);
    }
    drawLegend(p, canvas);
    drawPumpStation(p, canvas);
    p.end();
    return picture;
}

namespace {

void drawTankPanel(QPainter &p, Canvas &canvas)
{
    panel(p, Screen::TankPanel, PanelFill, PanelBorder);
    drawTank(p, Screen::Shell, Screen::RoofHeight, Screen::RoofHeight / 2, ScreenCourses);
    panel(p, Screen::GaugeBoard, WinWhite, CardBorder, 3);
    drawGauge(p, Screen::GaugeSlot);
    const int axisX = Screen::GaugeSlot.left() - Screen::AxisGap;
    text(canvas, {axisX - 13, Screen::GaugeSlot.top() - 2}, u"m"_s, DemoFontSize::Scale, Palette::Label,
         TextAlign::Right | TextAlign::Bottom);
    panel(p, Screen::Nameplate, WinWhite, CardBorder, 3);

    const int rule = Screen::MaxLevelBottom - 24;
    p.fillRect(QRect(Screen::TankPanel.left() + 12, rule, Screen::TankPanel.width() - 24, 1), colour(PanelBorder));
}

void drawChartPanel(QPainter &p, Canvas &canvas)
{
    const QRect area = Screen::ChartPanel;
    const QRect chart = Screen::Chart;
    panel(p, area, PanelFill, PanelBorder);
    text(canvas, {area.left() + 12, area.top() + 24}, u"Trend nivoa"_s, HeadingSize, Palette::Navy, LeftBottom, true);
    text(canvas, {area.right() - 11, area.top() + 24}, u"u % maksimalne visine"_s, SmallSize, Muted,
         TextAlign::Right | TextAlign::Bottom);

    // The chart's own pixels run from its left and top line to its right and bottom line, both
    // included; the client draws the grid from the left and top and stops short of the last lines.
    const QRect plot(chart.topLeft(), QSize(chart.width() + 1, chart.height() + 1));
    const int highRow = plot.bottom() - chart.height() * HighLimit / PerMille;
    const int lowRow = plot.bottom() - chart.height() * LowLimit / PerMille;
    p.fillRect(plot, colour(WinWhite));
    p.fillRect(QRect(plot.left(), plot.top(), plot.width(), highRow - plot.top()), colour(HighTint));
    p.fillRect(QRect(plot.left(), lowRow + 1, plot.width(), plot.bottom() - lowRow), colour(LowTint));
    p.fillRect(QRect(plot.right(), plot.top(), 1, plot.height()), colour(Palette::Grid));
    p.fillRect(QRect(plot.left(), plot.bottom(), plot.width(), 1), colour(Palette::Grid));
    p.setPen(QPen(colour(Outline), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outlineOf(plot.adjusted(-1, -1, 1, 1)));

    for (int percent = 0; percent <= 100; percent += 20) {
        const int y = plot.bottom() - chart.height() * percent / 100;
        text(canvas, {chart.left() - 7, y + 7}, u"%1 %"_s.arg(percent), SmallSize, Palette::Label,
             TextAlign::Right | TextAlign::Bottom);
    }
    const int limitX = plot.right() + 7;
    text(canvas, {limitX, highRow + 6}, u"visok"_s, SmallSize, Palette::High, LeftBottom);
    text(canvas, {limitX, lowRow + 6}, u"nizak"_s, SmallSize, Palette::LowMarker, LeftBottom);
    text(canvas, {plot.right(), Screen::TimeLabelBottom}, u"sada"_s, HeadingSize, Palette::Label, CentreBottom);
}

void drawValuePanel(QPainter &p, Canvas &canvas)
{
    using Screen::ValueRow;
    const QRect area = Screen::ValuePanel;
    panel(p, area, PanelFill, PanelBorder);
    text(canvas, {area.left() + 12, area.top() + 22}, u"Trenutne vrednosti"_s, HeadingSize, Palette::Navy, LeftBottom,
         true);
    // The remaining volume's label is an element text.
    const std::pair<ValueRow, QString> rows[] = {{ValueRow::Level, u"Nivo"_s},
                                                 {ValueRow::Temperature, u"Temperatura"_s},
                                                 {ValueRow::Volume, u"Zapremina"_s},
                                                 {ValueRow::Remaining, QString()},
                                                 {ValueRow::Mass, u"Masa"_s}};
    for (const auto &[row, label] : rows) {
        panel(p, Screen::valueBox(row), WinWhite, BoxBorder, 3);
        text(canvas, Screen::valueLabel(row), label, DemoFontSize::Label, Palette::Label, ValueAlign);
    }
}

} // namespace

QImage drawTankScreenPicture()
{
    QImage picture(MapWidth, MapHeight, QImage::Format_RGB32);
    picture.fill(colour(Page));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    Canvas canvas(p);

    titleBand(p, Screen::TitleBand);
    text(canvas, {Screen::SifraText.x(), 22}, u"Materijal"_s, SmallSize, Caption, LeftBottom);
    text(canvas, {Screen::KindText.x(), 22}, u"Vrsta materijala"_s, SmallSize, Caption, LeftBottom);
    const int right = MapWidth - 16;
    text(canvas, {right, 24}, u"Skladar - detaljni prikaz rezervoara"_s, SmallSize, Caption,
         TextAlign::Right | TextAlign::Bottom, true);
    text(canvas, {right, 42}, u"Povratak na pregled: Rezervoar > Skladar"_s, SmallSize, Caption,
         TextAlign::Right | TextAlign::Bottom);

    drawTankPanel(p, canvas);
    drawChartPanel(p, canvas);
    drawValuePanel(p, canvas);
    p.end();
    return picture;
}
