// The demonstration history read back by the client's own code, and the command-line tools on the
// demonstration files as programs: their CSV, pictures, pages, text and exit statuses.
#include "core/history/chartrecordfile.h"
#include "core/history/historyencoder.h"
#include "core/history/trendseries.h"
#include "core/plant/demonstrationplant.h"
#include "core/services/datafolder.h"
#include "demoplant/demohistory.h"
#include "demoplant/demoplantmap.h"
#include "tests/support/serverprocess.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace {

using namespace Qt::StringLiterals;

const char *const History = SKLADAR_HISTORY_BINARY;
const char *const Report = SKLADAR_REPORT_BINARY;
const char *const Snapshot = SKLADAR_SNAPSHOT_BINARY;

// A folder with the demonstration plant map and history (its last sample at 1 March 2024 14:37:21)
// and a home of the tools' own (settings, built-in server's store).
class ToolsTest : public testing::Test
{
protected:
    ToolsTest()
    {
        EXPECT_EQ(writeDemoHistory(dir.path(), plant.tanks, QDateTime(QDate(2024, 3, 1), QTime(14, 37, 21))), std::nullopt);
        EXPECT_EQ(writePlantMap(dir.path(), plant.tanks), std::nullopt);
    }

    // Runs the tool in the folder. The arguments are parted at blanks; an underscore stands for a
    // blank inside one.
    int run(const char *tool, const QString &arguments)
    {
        QStringList parts = arguments.split(u' ', Qt::SkipEmptyParts);
        for (QString &part : parts)
            part.replace(u'_', u' ');
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.insert(QString::fromLatin1(name), home.path());
        const ProgramRun run = runProgram(QString::fromUtf8(tool), parts, dir.path(), environment);
        out = run.out;
        err = run.err;
        return run.status;
    }

    PlantModel plant = [] { PlantModel demo; loadDemonstrationPlant(demo); return demo; }();
    QTemporaryDir dir;
    QTemporaryDir home;
    QString out; // of the last run
    QString err;
};

TEST_F(ToolsTest, HistoryWritesTheSamplesOldestFirstWithinTheRangeTheChartAndItsPageAndTellsWhatFailed)
{
    ASSERT_EQ(run(History, u"--tank 86"_s), 0) << err.toStdString();
    EXPECT_EQ(out.count(u'\n'), 1 + DemoSampleCount);
    EXPECT_TRUE(out.section(u'\n', 1, 1).startsWith(u"8641,2024-01-01,14:37,"_s)) << "oldest first";
    ASSERT_EQ(run(History, u"--tank 86 --ratio 1/2 --from 2024-02-29 --to 2024-02-29"_s), 0);
    EXPECT_EQ(out.count(u'\n'), 1 + 72);

    ASSERT_EQ(run(History, u"--tank 74 --mouse 400,300 --scroll 5000 --out chart.png"_s), 0);
    EXPECT_EQ(QImage(dir.filePath(u"chart.png"_s)).size(), QSize(800, 580));
    QFile page(dir.filePath(u"chart.pdf"_s));
    ASSERT_EQ(run(History, u"--tank 74 --out chart.pdf"_s), 0);
    EXPECT_TRUE(page.open(QIODevice::ReadOnly) && page.read(5) == "%PDF-");

    for (const QString &bad : {u""_s, u"--tank 76"_s, u"--tank 74 --ratio 3/1"_s, u"--tank 74 --out x.txt"_s, u"--tank 74 --to 2024-02-30"_s, u"--tank 74 --tls-ca x.crt"_s})
        EXPECT_EQ(run(History, bad), 2) << bad.toStdString();
    EXPECT_EQ(run(History, u"--tank 74 --login nobody"_s), 3);
    EXPECT_EQ(run(History, u"--tank 96 --login oper"_s), 4);
    EXPECT_EQ(run(History, u"--tank 74 --dir nowhere"_s), 1) << "no Report.rez there";

    QFile history(dir.filePath(u"REPORT.STG"_s));
    ASSERT_TRUE(history.resize(history.size() - 1));
    EXPECT_EQ(run(History, u"--tank 75"_s), 0);
    EXPECT_TRUE(err.contains(u"nepotpunim blokom"_s)) << err.toStdString();
    ASSERT_TRUE(history.remove());
    EXPECT_EQ(run(History, u"--tank 75"_s), 1);
    EXPECT_EQ(run(Report, u"--at 2024-03-01_09:00"_s), 1);
    EXPECT_TRUE(err.contains(u"REPORT.STG"_s)) << err.toStdString();
}

// Wall-time stamps every 10 minutes over the day the clock jumps forward (29 March 2026, 02:00 ->
// 03:00) and the day it goes back (25 October 2026, 03:00 -> 02:00), as a recording server writes
// them; tank 74's level rises by 0.01 m a sample from 1 m.
QByteArray clockChangeHistory()
{
    std::vector<HistoryStamp> stamps;
    const auto day = [&stamps](PackedDate date, int fromMinute, int toMinute) {
        for (int minute = fromMinute; minute < toMinute; minute += 10)
            stamps.push_back({date, static_cast<quint32>(minute) * 60'000u});
    };
    day(packDate(2026, 3, 29), 0, 120);
    day(packDate(2026, 3, 29), 180, 1440);
    day(packDate(2026, 10, 25), 0, 180);
    day(packDate(2026, 10, 25), 120, 1440);
    std::vector<HistorySample> samples(stamps.size());
    std::optional<HistoryBlockBuilder> builder;
    QByteArray blocks;
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        samples[i].stamp = stamps[i];
        samples[i].channels[static_cast<std::size_t>(demoLevelChannel(1))] = channelRaw(1.0 + 0.01 * static_cast<double>(i)).raw;
        const HistoryStamp last = i > 0 ? stamps[i - 1] : HistoryStamp{};
        if (builder && builder->append(DiffSeconds(stamps[i].date, stamps[i].timeMs, last.date, last.timeMs).seconds, samples[i]))
            continue;
        if (builder)
            blocks.prepend(QByteArray(builder->bytes().data(), HistoryBlockSize));
        builder.emplace(samples[i]);
    }
    blocks.prepend(QByteArray(builder->bytes().data(), HistoryBlockSize));
    return QByteArray(HistoryHeaderSize, '\0') + blocks;
}

TEST_F(ToolsTest, TheChartTheReportAndTheHistoryCopeWithTheClockChangingAcrossWholeDays)
{
    QFile file(dir.filePath(u"REPORT.STG"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(clockChangeHistory()) > 0);
    file.close();
    const auto series = std::make_unique<TrendSeries>();
    const ChartRecordsRead charts = readChartRecords(DataFolder(dir.path()));
    EXPECT_EQ(LoadTrend(*series, DataFolder(dir.path()), charts.records[1], plant.tanks.slot(1), {}).problem, TrendProblem::None);
    EXPECT_EQ(series->sampleCount, 138 + 150);
    for (const auto &[date, rows] : {std::pair{u"2026-03-29"_s, 138}, {u"2026-10-25"_s, 150}}) {
        ASSERT_EQ(run(History, u"--tank 74 --from %1 --to %1"_s.arg(date)), 0) << err.toStdString();
        const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts).mid(1);
        ASSERT_EQ(lines.size(), rows) << date.toStdString();
        for (qsizetype i = 1; i < lines.size(); ++i)
            ASSERT_LT(lines[i - 1].section(u',', 3, 3).toDouble(), lines[i].section(u',', 3, 3).toDouble()) << "file order";
    }
    // A moment the clock skipped, and one it passed twice: a sample of the ten minutes around it.
    for (const auto &[moment, levels] : {std::pair{u"2026-03-29_02:30"_s, QStringList{u"1.110"_s, u"1.120"_s}},
                                         {u"2026-10-25_02:30"_s, QStringList{u"2.530"_s, u"2.540"_s, u"2.590"_s, u"2.600"_s}}}) {
        ASSERT_EQ(run(Report, u"--at %1 --out r.csv"_s.arg(moment)), 0) << err.toStdString();
        QFile csv(dir.filePath(u"r.csv"_s));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(csv.readAll());
        const qsizetype row = text.indexOf(u",R 74,"_s);
        ASSERT_GE(row, 0);
        EXPECT_TRUE(levels.contains(text.mid(row).section(u',', 4, 4))) << text.mid(row, 80).toStdString();
    }
}

TEST_F(ToolsTest, SnapshotWritesTheComposedViewAndTellsBadArgumentsFromBadFiles)
{
    EXPECT_EQ(run(Snapshot, u"--view 3 --out view.png"_s), 0) << err.toStdString();
    EXPECT_EQ(QImage(dir.filePath(u"view.png"_s)).size(), QSize(800, 560));
    for (const QString &bad : {u"--dir ."_s, u"--view 26 --out view.png"_s, u"--refreshes x --out view.png"_s})
        EXPECT_EQ(run(Snapshot, bad), 2) << bad.toStdString();
    ASSERT_TRUE(QFile(dir.filePath(ElementFile)).resize(1488 * 119));
    EXPECT_EQ(run(Snapshot, u"--out view.png"_s), 1);
    ASSERT_TRUE(QFile::remove(dir.filePath(OverviewPictureFile)));
    EXPECT_EQ(run(Snapshot, u"--out view.png"_s), 1);
    EXPECT_EQ(err, u"skladar-snapshot: %1: Fajl ne postoji.\n"_s.arg(dir.filePath(OverviewPictureFile)));
}

// The sums and differences are the library's; the tool shows that --group and --stock reach them.
TEST_F(ToolsTest, ReportWritesCsvTextPictureAndPageAndTellsWhatFailed)
{
    ASSERT_EQ(run(Report, u"--at 2024-03-01_09:00 --group sifra --stock 8=1000 --out r.csv"_s), 0) << err.toStdString();
    QFile csv(dir.filePath(u"r.csv"_s));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 15 + 8) << "a Zbir line for each of the 8 groups";
    EXPECT_EQ(lines[0], u"group,tank,kind,sifra,level_m,temperature_c,volume_m3,mass_t,stock_t,difference_t,data_time"_s);
    EXPECT_TRUE(lines[1].startsWith(u"1,R 74,Beljeno suncokretovo ulje,RBD SU,"_s)) << lines[1].toStdString();
    for (const QString &line : lines.mid(1)) {
        const QStringList cells = line.split(u',');
        ASSERT_EQ(cells.size(), 11) << line.toStdString();
        EXPECT_EQ(cells[10], u"2024-03-01 09:07"_s) << "the sample taken for 09:00";
        EXPECT_EQ(cells[3], cells[3].trimmed()) << line.toStdString();
        const bool stocked = cells[0] == u"8"_s && cells[1] == u"Zbir"_s;
        EXPECT_EQ(cells[8].isEmpty() && cells[9].isEmpty(), !stocked) << line.toStdString();
    }
    const QStringList fats = lines[20].split(u',');
    ASSERT_EQ(fats[1], u"Zbir"_s);
    EXPECT_EQ(fats[8], u"1000.000"_s);
    EXPECT_NEAR(fats[9].toDouble(), fats[7].toDouble() - 1000, 0.0005);
    EXPECT_TRUE(lines[7].startsWith(u"4,Zbir,,,,,,"_s + lines[6].section(u',', 7, 7) + u',') && lines[6].section(u',', 3, 3) == u"MK"_s)
        << "a one-tank group has its Zbir too: " << lines[6].toStdString() << " / " << lines[7].toStdString();

    ASSERT_EQ(run(Report, u"--at 2024-03-01_09:00"_s), 0);
    EXPECT_TRUE(out.startsWith(u"Izvestaj o kolicini"_s));
    EXPECT_EQ(out.count(u"Zbir"_s), 3);
    ASSERT_EQ(run(Report, u"--at 2024-03-01_09:00 --out r.png"_s), 0);
    EXPECT_EQ(QImage(dir.filePath(u"r.png"_s)).size(), QSize(800, 1180));
    ASSERT_EQ(run(Report, u"--at 2024-03-01_09:00 --out r.pdf"_s), 0);
    EXPECT_GT(QFileInfo(dir.filePath(u"r.pdf"_s)).size(), 1000);

    const std::tuple<QString, int, QString> cases[] = {
        {u"--at 2024-02-30_10:00"_s, 2, u"Neispravno unesen datum."_s},
        {u"--at 2024-03-01_09:00 --group Broj"_s, 2, u"--group"_s},
        {u"--at 2023-12-05_07:00"_s, 4, u"no history block"_s},
        {u"--at 2024-03-01_09:00 --max-age -1"_s, 2, u"--max-age"_s},
        {u"--at 2024-03-01_09:00 --login oper --server 127.0.0.1:1"_s, 5, u"skladar-report: 127.0.0.1:1: "_s},
        {u"--at 2024-03-01_09:00 --dir nowhere"_s, 1, u"nowhere/Report.rez: Fajl ne postoji."_s}};
    for (const auto &[arguments, status, message] : cases) {
        EXPECT_EQ(run(Report, arguments), status) << arguments.toStdString();
        EXPECT_TRUE(err.contains(message)) << err.toStdString();
    }
    ASSERT_TRUE(QFile::remove(dir.filePath(u"Report.rez"_s)));
    EXPECT_EQ(run(Report, u"--at 2024-03-01_09:00"_s), 1);
    EXPECT_TRUE(err.contains(u"Fajl ne postoji."_s)) << err.toStdString();
}

// The newest sample is 14:37:21; a moment more than --max-age minutes later is stale, the report is
// written for the sample's moment all the same.
TEST_F(ToolsTest, ReportTellsStaleDataAndNamesTheMomentTheDataBelongTo)
{
    const std::tuple<QString, int> cases[] = {
        {u"--at 2024-03-01_15:37"_s, 0}, // 59 min 39 s
        {u"--at 2024-03-01_15:38"_s, 6},
        {u"--at 2024-03-01_15:37 --max-age 59"_s, 6},
        {u"--at 2030-01-01_06:00"_s, 6},
    };
    for (const auto &[arguments, status] : cases) {
        EXPECT_EQ(run(Report, arguments), status) << arguments.toStdString() << err.toStdString();
        EXPECT_TRUE(out.startsWith(u"Izvestaj o kolicini sirovina u skladarma za : 01. 03. 2024.    14 : 37\n"_s)) << out.toStdString();
        EXPECT_EQ(err.isEmpty(), status == 0) << err.toStdString();
        EXPECT_TRUE(status == 0 || err.contains(u"REPORT.STG: poslednji uzorak pre trazenog trenutka je od 01.03.2024. 14:37"_s)) << err.toStdString();
    }
}

} // namespace
