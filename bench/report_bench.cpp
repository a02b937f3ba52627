// The report's hot paths: the moment search in a 60 000-sample history and the drawing of the table.
#include "bench/silentdialogs.h"
#include "core/history/historyencoder.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/services/tw.h"
#include "report/momentsearch.h"
#include "report/reportdrawing.h"
#include "report/reportsettings.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Samples = 60'000;
constexpr qint32 Step = 600; // s

HistoryStamp stampOf(const QDateTime &at)
{
    return {packDate(at.date().year(), at.date().month(), at.date().day()), static_cast<quint32>(at.time().msecsSinceStartOfDay())};
}

// A history of 60 000 samples, ten minutes apart, ending on 5 December 2026: blocks filled as the
// acquisition side fills them, written newest first after the header.
class HistoryFolder
{
public:
    HistoryFolder()
    {
        QDateTime at = QDateTime(QDate(2026, 12, 5), QTime(0, 0)).addSecs(-qint64(Samples) * Step);
        oldest = at.addSecs(Step / 2);
        HistorySample sample{stampOf(at), {}, {}};
        sample.channels.fill(-12000);
        QList<QByteArray> blocks;
        std::optional<HistoryBlockBuilder> builder(sample);
        for (int i = 1; i < Samples; ++i) {
            at = at.addSecs(Step);
            sample.stamp = stampOf(at);
            sample.channels[static_cast<std::size_t>(i % ChannelCount)] += i % 2 == 0 ? 3 : -2;
            if (!builder->append(Step, sample)) {
                blocks.prepend(blockBytes(*builder));
                builder.emplace(sample);
            }
        }
        blocks.prepend(blockBytes(*builder));
        QFile file(m_dir.filePath(QStringLiteral("REPORT.STG")));
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray(HistoryHeaderSize, '\0') + blocks.join());
    }

    DataFolder folder() const { return DataFolder(m_dir.path()); }
    QDateTime oldest; // inside the oldest block

private:
    static QByteArray blockBytes(const HistoryBlockBuilder &builder)
    {
        const std::array<char, HistoryBlockSize> bytes = builder.bytes();
        return QByteArray(bytes.data(), bytes.size());
    }

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
