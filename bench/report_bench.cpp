// The report's hot paths: the moment search in a 60 000-sample history and the drawing of the table.
#include "core/history/historyencoder.h"
#include "core/services/datafolder.h"
#include "report/momentsearch.h"
#include "report/reportdrawing.h"
#include "report/reportsettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int Samples = 60'000;
constexpr qint32 Step = 600; // s

// A history of 60 000 samples, ten minutes apart, ending on 5 December 2026: blocks filled as the
// acquisition side fills them, written newest first after the header.
class HistoryFolder
{
public:
    HistoryFolder()
    {
        QDateTime at = QDateTime(QDate(2026, 12, 5), QTime(0, 0)).addSecs(-qint64(Samples) * Step);
        oldest = at.addSecs(Step / 2);
        std::vector<HistorySample> samples(Samples);
        samples[0] = {stampOf(momentAt(at)), {}, {}};
        samples[0].channels.fill(-12000);
        for (std::size_t i = 1; i < samples.size(); ++i) {
            at = at.addSecs(Step);
            HistorySample &sample = samples[i] = samples[i - 1];
            sample.stamp = stampOf(momentAt(at));
            sample.channels[i % ChannelCount] += i % 2 == 0 ? 3 : -2;
        }
        QFile file(m_dir.filePath(QStringLiteral("REPORT.STG")));
        if (file.open(QIODevice::WriteOnly))
            file.write(encodeHistoryFile(samples, Step));
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
    const ReportMoment target = momentAt(at);
    TankChartRecords records{};
    TankTable tanks;
    TankQuantities quantities{};
    for (auto _ : state) {
        const MomentSearch search = FindMoment(history.folder(), target, records, tanks, quantities);
        if (search.outcome != SearchOutcome::Computed)
            state.SkipWithError("the moment was not found");
    }
}

void findOldestMoment(benchmark::State &state) { findMoment(state, {}); }
BENCHMARK(findOldestMoment)->Unit(benchmark::kMicrosecond);

void findNewestMoment(benchmark::State &state) { findMoment(state, QDateTime(QDate(2026, 12, 5), QTime(23, 0))); }
BENCHMARK(findNewestMoment)->Unit(benchmark::kMicrosecond);

// Fifteen groups of one tank each, in the stock view, by material code or from the settings.
void renderReport(benchmark::State &state, SortMode mode)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("settings.reg")));
    OperatorGroups groups;
    TankTable tanks;
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankRecord &tank = tanks.slot(slot);
        tank.name = tankDisplayName(slot);
        tank.materialKind = QStringLiteral("Jestivo suncokretovo ulje");
        tank.materialSifra = QStringLiteral("S %1").arg(slot);
        groups.tankGroup[slot] = slot;
        groups.shown[slot] = true;
    }
    if (!StoreOperatorGroups(store, groups).ok())
        state.SkipWithError("the settings could not be written");
    QuantityReport report;
    report.rows = BuildReportRows(tanks);
    report.mode = mode;
    report.stockView = true;
    QImage picture;
    for (auto _ : state) {
        const TableExtent extent
            = RenderReport(picture, ContentOf(report, tanks, GroupsToAssign(store, mode)), QLocale::c());
        benchmark::DoNotOptimize(extent.lastRow);
    }
}

void renderFifteenGroupsBySifra(benchmark::State &state) { renderReport(state, SortMode::Sifra); }
BENCHMARK(renderFifteenGroupsBySifra)->Unit(benchmark::kMillisecond);

void renderFifteenGroupsByTankNumber(benchmark::State &state) { renderReport(state, SortMode::Broj); }
BENCHMARK(renderFifteenGroupsByTankNumber)->Unit(benchmark::kMillisecond);

} // namespace
