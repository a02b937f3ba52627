// The report's hot paths: the moment search in a 60 000-sample history and the drawing of the table.
#include "bench/silentdialogs.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/services/tw.h"
#include "report/momentsearch.h"
#include "report/reportdrawing.h"
#include "report/reportsettings.h"
#include "tests/support/historybytes.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Samples = 60'000;
constexpr int DeltasPerBlock = 54; // 72 bytes each: as many as fit a block's stream
constexpr qint32 Step = 600;        // s
constexpr int SamplesPerBlock = DeltasPerBlock + 1;
constexpr int Blocks = (Samples + SamplesPerBlock - 1) / SamplesPerBlock;

// A history of 60 000 samples, ten minutes apart, newest block first, ending on 5 December 2026.
class HistoryFolder
{
public:
    HistoryFolder()
    {
        QList<std::array<char, HistoryBlockSize>> blocks;
        QList<DeltaSample> deltas;
        for (int j = 0; j < DeltasPerBlock; ++j)
            deltas.append({Step, j % 2 == 0 ? 3 : -2, j % 3 == 0 ? 1 : 0});
        qint64 begins = QDateTime(QDate(2026, 12, 5), QTime(0, 0)).toSecsSinceEpoch();
        for (int b = 0; b < Blocks; ++b) {
            begins -= qint64(SamplesPerBlock) * Step;
            const QDateTime at = QDateTime::fromSecsSinceEpoch(begins);
            const HistoryStamp stamp{packDate(at.date().year(), at.date().month(), at.date().day()),
                                     static_cast<quint32>(at.time().msecsSinceStartOfDay())};
            blocks.append(historyBlock(stamp, static_cast<qint16>(-12000 + b % 500), -5000, deltas));
            if (b == Blocks - 1)
                oldest = at.addSecs(Step / 2);
        }
        writeHistoryFile(m_dir.filePath(QStringLiteral("REPORT.STG")), blocks);
    }

    DataFolder folder() const { return DataFolder(m_dir.path()); }
    QDateTime oldest; // inside the oldest block

private:
    QTemporaryDir m_dir;
};

void findMoment(benchmark::State &state, const QDateTime &moment)
{
    static const HistoryFolder history;
    const QDateTime at = moment.isValid() ? moment : history.oldest;
    const ReportMoment target{at.date().day(), at.date().month(), at.date().year(), at.time().hour(), at.time().minute()};
    TankChartRecords records{};
    TankTable tanks;
    TankQuantities quantities{};
    for (auto _ : state) {
        const MomentSearch search = FindMoment(history.folder(), target, records, tanks, quantities);
        if (search.outcome != SearchOutcome::Computed)
            state.SkipWithError("the moment was not found");
    }
}

void findOldestMoment(benchmark::State &state)
{
    findMoment(state, {});
}
BENCHMARK(findOldestMoment)->Unit(benchmark::kMicrosecond);

void findNewestMoment(benchmark::State &state)
{
    findMoment(state, QDateTime(QDate(2026, 12, 5), QTime(23, 0)));
}
BENCHMARK(findNewestMoment)->Unit(benchmark::kMicrosecond);

// Fifteen groups of one tank each, in the stock view, by material code or from the settings.
void renderReport(benchmark::State &state, SortMode mode)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("settings.reg")));
    SilentDialogs dialogs;
    const SystemClock clock;
    const Tw w(store, dialogs, clock, QLocale::c());
    OperatorGroups groups;
    TankTable tanks;
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankRecord &tank = tanks.slot(slot);
        tank.name = tankDisplayName(slot);
        tank.materialKind = QStringLiteral("Jestivo suncokretovo ulje");
        tank.materialSifra = QStringLiteral("S %1").arg(slot);
        groups.tankGroup[static_cast<std::size_t>(slot - 1)] = slot;
        groups.shown[static_cast<std::size_t>(slot - 1)] = true;
    }
    if (!StoreOperatorGroups(w, groups).ok())
        state.SkipWithError("the settings could not be written");
    QuantityReport report;
    report.rows = BuildReportRows(tanks);
    report.mode = mode;
    report.stockView = true;
    QImage picture;
    for (auto _ : state) {
        const TableExtent extent = RenderReport(picture, ContentOf(report, tanks, w), w);
        benchmark::DoNotOptimize(extent.lastRow);
    }
}

void renderFifteenGroupsBySifra(benchmark::State &state)
{
    renderReport(state, SortMode::Sifra);
}
BENCHMARK(renderFifteenGroupsBySifra)->Unit(benchmark::kMillisecond);

void renderFifteenGroupsByTankNumber(benchmark::State &state)
{
    renderReport(state, SortMode::Broj);
}
BENCHMARK(renderFifteenGroupsByTankNumber)->Unit(benchmark::kMillisecond);

} // namespace

// Text needs a GUI application; without a display it runs on the offscreen platform.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
