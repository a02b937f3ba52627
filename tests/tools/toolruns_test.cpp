// skladar-history as a program: its CSV, chart picture and page, and its exit statuses.
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "tests/tools/toolprocess.h"
#include "tools/demohistory.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

class HistoryToolTest : public testing::Test
{
protected:
    HistoryToolTest()
    {
        PlantModel plant;
        loadDemonstrationPlant(plant);
        EXPECT_EQ(writeDemoHistory(dir.path(), plant.tanks, QDateTime(QDate(2024, 3, 1), QTime(14, 37))), std::nullopt);
    }

    int run(const QString &arguments)
    {
        last = runTool(QStringLiteral(SKLADAR_HISTORY_BINARY), arguments.split(u' ', Qt::SkipEmptyParts), dir.path(), home.path());
        return last.status;
    }

    QTemporaryDir dir;
    QTemporaryDir home;
    ToolRun last;
};

TEST_F(HistoryToolTest, WritesTheSamplesOldestFirstWithinTheRangeTheChartAndItsPage)
{
    ASSERT_EQ(run(u"--tank 86"_s), 0) << last.err.toStdString();
    EXPECT_EQ(last.out.count(u'\n'), 1 + DemoSampleCount);
    EXPECT_TRUE(last.out.section(u'\n', 1, 1).startsWith(u"8641,2024-01-01,14:37,"_s)) << "oldest first";
    ASSERT_EQ(run(u"--tank 86 --ratio 1/2 --from 2024-02-29 --to 2024-02-29"_s), 0);
    EXPECT_EQ(last.out.count(u'\n'), 1 + 72);

    ASSERT_EQ(run(u"--tank 74 --mouse 400,300 --scroll 5000 --out chart.png"_s), 0);
    EXPECT_EQ(QImage(dir.filePath(u"chart.png"_s)).size(), QSize(800, 580));
    QFile page(dir.filePath(u"chart.pdf"_s));
    ASSERT_EQ(run(u"--tank 74 --out chart.pdf"_s), 0);
    EXPECT_TRUE(page.open(QIODevice::ReadOnly) && page.read(5) == "%PDF-");
}

TEST_F(HistoryToolTest, ExitStatusTellsWhatFailed)
{
    for (const QString &bad : {u""_s, u"--tank 76"_s, u"--tank 74 --ratio 3/1"_s, u"--tank 74 --out x.txt"_s, u"--tank 74 --to 2024-02-30"_s})
        EXPECT_EQ(run(bad), 2) << bad.toStdString();
    EXPECT_EQ(run(u"--tank 74 --login nobody"_s), 3);
    EXPECT_EQ(run(u"--tank 96 --login oper"_s), 4);
    EXPECT_EQ(run(u"--tank 74 --dir "_s + home.path()), 1) << "no Report.rez there";

    QFile history(dir.filePath(u"REPORT.STG"_s));
    ASSERT_TRUE(history.resize(history.size() - 1));
    EXPECT_EQ(run(u"--tank 75"_s), 0);
    EXPECT_TRUE(last.err.contains(u"nepotpunim blokom"_s)) << last.err.toStdString();
    ASSERT_TRUE(history.remove());
    EXPECT_EQ(run(u"--tank 75"_s), 1);
}

} // namespace
