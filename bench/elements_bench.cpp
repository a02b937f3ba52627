// Time to draw a full plant map: 120 typical elements on the 800 x 560 picture.
#include "core/services/clock.h"
#include "core/plantmap/elementdrawing.h"
#include "bench/silentdialogs.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace Qt::StringLiterals;

// A tank as the plant map shows it: zoned level bar with markers, a scale with labels, the lamp and
// name, level and temperature texts, a hot-spot box and a trend line.
DisplayElement tankElement(int index)
{
    return DisplayElement{.shown = 1,
                          .bar2On = 1,
                          .markersOn = 1,
                          .axisOn = 1,
                          .majorOn = 1,
                          .majorLabelsOn = 1,
                          .minorOn = 1,
                          .textOn = {1, 1, 1},
                          .boxFill = {0, 0, 0, 0, 0, 0, 0, 1},
                          .trendOn = 1,
                          .originX = (index % 12) * 66,
                          .originY = (index / 12) * 56,
                          .bar2X = 4,
                          .bar2Y = 4,
                          .bar2Width = 10,
                          .bar2Height = 44,
                          .scaledValue = (index * 37) % 1000,
                          .markerDx = 11,
                          .markerLength = 5,
                          .markerHalfHeight = 3,
                          .highLimit = 850,
                          .lowLimit = 150,
                          .axisX = 18,
                          .axisY = 4,
                          .axisLength = 44,
                          .axisPenWidth = 1,
                          .majorLength = 4,
                          .majorFirst = 0,
                          .majorStep = 22,
                          .majorCount = 3,
                          .majorDx = 4,
                          .majorPenWidth = 1,
                          .majorFontSize = 6,
                          .majorLabelDx = 2,
                          .minorLength = 2,
                          .minorFirst = 0,
                          .minorStep = 11,
                          .minorCount = 5,
                          .minorDx = 4,
                          .minorPenWidth = 1,
                          .textSize = {8, 8, 8},
                          .textX = {24, 24, 24},
                          .textY = {14, 26, 38},
                          .labelStart = 10,
                          .labelStep = -5,
                          .boxWidth = {0, 0, 0, 0, 0, 0, 0, 64},
                          .boxHeight = {0, 0, 0, 0, 0, 0, 0, 2},
                          .lampX = 28,
                          .lampY = 6,
                          .lampRadius = 3,
                          .trendX = 24,
                          .trendY = 42,
                          .trendPoints = 40,
                          .trendHeight = 10,
                          .trendPenWidth = 1,
                          .trendReady = 1,
                          .name = u"R %1"_s.arg(index),
                          .majorFont = u"Arial"_s,
                          .labelFormat = u"%.0f"_s,
                          .textFont = {u"Arial"_s, u"Arial"_s, u"Arial"_s},
                          .text = {u"7.25 m"_s, u"41.5 \u00B0C"_s, u"812.3 t"_s},
                          .highColour = 0x0000FF,
                          .midColour = 0x00C000,
                          .lowColour = 0xFF8000,
                          .highMarkerColour = 0x0000FF,
                          .lowMarkerColour = 0xFF8000,
                          .accentColour = 0x00FFFF};
}

void drawPlantMap(benchmark::State &state)
{
    std::vector<DisplayElement> elements;
    for (int k = 0; k < ElementCount; ++k)
        elements.push_back(tankElement(k));
    TrendHistory history;
    for (std::size_t i = 0; i < history.size(); ++i)
        history[i] = static_cast<qint32>((i * 13) % 1000);
    std::array<bool, PartCount> flags;
    flags.fill(true);
    const SystemClock clock;
    SilentDialogs dialogs;
    ElementBitmapHolder bitmaps;
    ElementDrawingContext context{clock, dialogs, QLocale::c(), {}, DataFolder::workingDirectory(), bitmaps};
    QImage picture(800, 560, QImage::Format_RGB32);
    for (auto _ : state) {
        picture.fill(Qt::white);
        QPainter painter(&picture);
        Canvas canvas(painter);
        for (const DisplayElement &element : elements)
            DrawElement(canvas, element, flags, history, context);
    }
    state.SetItemsProcessed(state.iterations() * ElementCount);
}
BENCHMARK(drawPlantMap)->Unit(benchmark::kMillisecond);

} // namespace
