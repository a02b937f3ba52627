// skladar-history as a program: its CSV, chart picture and page, and its exit statuses.
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "tools/demohistory.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

class HistoryToolTest : public testing::Test
{
protected:
    HistoryToolTest()
    {
        PlantModel plant;
        loadDemonstrationPlant(plant);
        EXPECT_EQ(writeDemoHistory(dir.path(), plant.tanks, QDateTime(QDate(2024, 3, 1), QTime(14, 37))), std::nullopt);
    }

    // Runs the tool in the folder, with a home of its own for the settings and the built-in server.
    ToolRun run(const QStringList &arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.insert(QString::fromLatin1(name), home.path());
        tool.setProcessEnvironment(environment);
        tool.setWorkingDirectory(dir.path());
        tool.start(QStringLiteral(SKLADAR_HISTORY_BINARY), arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()), QString::fromUtf8(tool.readAllStandardError())};
    }

    QTemporaryDir dir;
    QTemporaryDir home;
};

TEST_F(HistoryToolTest, WritesTheSamplesOldestFirstWithinTheRange)
{
    const ToolRun all = run({u"--tank"_s, u"86"_s});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    const QStringList lines = all.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), DemoSampleCount + 1);
    EXPECT_TRUE(lines[1].startsWith(u"8641,2024-01-01,14:37,"_s)) << lines[1].toStdString();
    EXPECT_TRUE(lines.back().startsWith(u"1,2024-03-01,14:37,"_s)) << lines.back().toStdString();

    const ToolRun day = run({u"--tank"_s, u"86"_s, u"--ratio"_s, u"1/2"_s, u"--from"_s, u"2024-02-29"_s, u"--to"_s, u"2024-02-29"_s});
    EXPECT_EQ(day.out.count(u'\n'), 1 + 72);
}

TEST_F(HistoryToolTest, DrawsTheChartAndItsPage)
{
    const QString png = dir.filePath(u"chart.png"_s);
    const QString pdf = dir.filePath(u"chart.pdf"_s);
    ASSERT_EQ(run({u"--tank"_s, u"74"_s, u"--mouse"_s, u"400,300"_s, u"--scroll"_s, u"5000"_s, u"--out"_s, png}).status, 0);
    EXPECT_EQ(QImage(png).size(), QSize(800, 580));
    ASSERT_EQ(run({u"--tank"_s, u"74"_s, u"--out"_s, pdf}).status, 0);
    QFile page(pdf);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.read(5) == "%PDF-");
}

TEST_F(HistoryToolTest, ExitStatusTellsWhatFailed)
{
    for (const QStringList &bad : {QStringList{}, QStringList{u"--tank"_s, u"76"_s},
                                   QStringList{u"--tank"_s, u"74"_s, u"--ratio"_s, u"3/1"_s},
                                   QStringList{u"--tank"_s, u"74"_s, u"--out"_s, u"x.txt"_s},
                                   QStringList{u"--tank"_s, u"74"_s, u"--to"_s, u"2024-02-30"_s}})
        EXPECT_EQ(run(bad).status, 2) << bad.join(u' ').toStdString();
    EXPECT_EQ(run({u"--tank"_s, u"74"_s, u"--login"_s, u"nobody"_s}).status, 3);
    EXPECT_EQ(run({u"--tank"_s, u"96"_s, u"--login"_s, u"oper"_s}).status, 4);
    EXPECT_EQ(run({u"--tank"_s, u"74"_s, u"--dir"_s, home.path()}).status, 1) << "no Report.rez there";

    QFile history(dir.filePath(u"REPORT.STG"_s));
    ASSERT_TRUE(history.resize(history.size() - 1));
    const ToolRun shortBlock = run({u"--tank"_s, u"75"_s});
    EXPECT_EQ(shortBlock.status, 0);
    EXPECT_TRUE(shortBlock.err.contains(u"nepotpunim blokom"_s)) << shortBlock.err.toStdString();
    ASSERT_TRUE(QFile::remove(dir.filePath(u"REPORT.STG"_s)));
    EXPECT_EQ(run({u"--tank"_s, u"75"_s}).status, 1);
}

} // namespace
