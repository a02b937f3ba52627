// Time of one trend chart frame as a pointer move draws it: four curves, the cross-hair and the
// read-out, over a long and a short history (the cost must not grow with the history); and of a
// month's chart page printed to a PDF file, with the file's size (goals: 200 ms, 300 KB).
#include "core/history/trendseries.h"
#include "trend/chartframe.h"
#include "trend/chartgeometry.h"
#include "trend/chartpage.h"

#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// samples positions, ten minutes apart, every quantity moving within its 0..10 scale.
std::unique_ptr<TrendSeries> series(int samples)
{
    auto filled = std::make_unique<TrendSeries>();
    filled->sampleCount = filled->loadedCount = samples;
    for (int p = 1; p <= samples; ++p) {
        const auto i = static_cast<std::size_t>(p);
        filled->level[i] = 5 + 4 * std::sin(p / 97.0L);
        filled->temperature[i] = 5 + 3 * std::cos(p / 41.0L);
        filled->mass[i] = 4 + 3 * std::sin(p / 131.0L);
        filled->volume[i] = 6 + 3 * std::sin(p / 131.0L);
        const int minutes = 10 * (samples - p);
        filled->times[i] = SampleTime{1 + minutes / 1440 % 28, 3, 2001, minutes / 60 % 24, minutes % 60};
    }
    return filled;
}

TankChartRecord chartRecord()
{
    TankChartRecord record;
    record.chartTitle = QStringLiteral("Rezervoar 86");
    const std::array<WinColour, QuantityCount> colours{0x0000FF, 0x008000, 0x800080, 0x808000};
    for (const Quantity quantity : AllQuantities) {
        record.settings(quantity)
            = ChartSettings{10, 0, 1, 0, 2, QStringLiteral("m"), colours[static_cast<std::size_t>(quantity)], 0};
        record.legend(quantity) = QStringLiteral("Legenda");
    }
    record.level.axisSide = 1;
    record.temperature.axisSide = 2;
    return record;
}

// Tank 86 with every right, scrolled to the newest positions.
ChartInput chartInput(const TrendSeries &history, const TankChartRecord &record)
{
    return {history,
            record,
            QStringLiteral("Suncokretovo ulje"),
            TankRights{86, 1, 1, 1, 1, 1},
            chartScrollRange(history.sampleCount, 1).position,
            QLocale::c()};
}

void chartFrame(benchmark::State &state)
{
    const std::unique_ptr<TrendSeries> history = series(static_cast<int>(state.range(0)));
    const TankChartRecord record = chartRecord();
    const ChartInput input = chartInput(*history, record);
    QImage picture;
    int x = 200;
    for (auto _ : state) {
        x = x == 600 ? 200 : x + 1; // the pointer moves across the plot
        const ReadOut readOut = RenderChartFrame(picture, input, QPoint(x, 300));
        benchmark::DoNotOptimize(readOut.active);
    }
}
BENCHMARK(chartFrame)->Arg(60000)->Arg(600)->Unit(benchmark::kMicrosecond);

// A month at the period "mesec" (one position for seven ten-minute samples) fills the plot: the
// page draws its 577 positions over the sheet's width at 1200 dpi, with the read-out's cross-hair.
void chartPagePdf(benchmark::State &state)
{
    const std::unique_ptr<TrendSeries> history = series(30 * 144 / 7);
    const TankChartRecord record = chartRecord();
    const ChartInput input = chartInput(*history, record);
    ReadOut readOut;
    readOut.active = true;
    readOut.mouse = QPoint(400, 275);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(path);
        benchmark::DoNotOptimize(PrintChartPage(printer, input, readOut, QDateTime(QDate(2001, 3, 28), QTime(9, 5))));
    }
    state.counters["pdf_kB"] = static_cast<double>(QFileInfo(path).size()) / 1024;
}
BENCHMARK(chartPagePdf)->Unit(benchmark::kMillisecond);

} // namespace
