// skladar-report as a program: its CSV, pictures, text and exit statuses.
#include "tests/support/historybytes.h"
#include "tests/support/namedcases.h"
#include "tests/tools/toolprocess.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Every tank reads 5 m and 40 degrees from 08:10 on 5 December 2026 on.
class ReportToolTest : public testing::Test
{
protected:
    ReportToolTest()
    {
        writeHistoryFile(file("REPORT.STG"), {historyBlock({packDate(2026, 12, 5), 8 * 3'600'000}, -13500, 4000, {{600, 0}})});
        writeChartRecordFile(file("Report.rez"), 15);
    }

    QString file(const char *name) const { return dir.filePath(QLatin1String(name)); }

    int run(const QStringList &arguments)
    {
        last = runTool(QStringLiteral(SKLADAR_REPORT_BINARY), QStringList{u"--dir"_s, dir.path()} + arguments, dir.path(), file("home"));
        return last.status;
    }

    QTemporaryDir dir;
    ToolRun last;
};

struct ExitCase
{
    const char *name;
    const char *at;
    QStringList more;
    int status;
    const char *message; // part of standard error
};

class ReportToolExitTest : public ReportToolTest, public testing::WithParamInterface<ExitCase>
{};

} // namespace

// The sums and differences are the library's; the tool shows that --group and --stock reach them.
TEST_F(ReportToolTest, CsvTextPictureAndPage)
{
    const QStringList at{u"--at"_s, u"2026-12-05 09:00"_s};
    ASSERT_EQ(run(at + QStringList{u"--group"_s, u"sifra"_s, u"--stock"_s, u"8=1000"_s, u"--out"_s, file("r.csv")}), 0) << last.err.toStdString();
    QFile csv(file("r.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], u"group,tank,kind,sifra,level_m,temperature_c,volume_m3,mass_t,stock_t,difference_t"_s);
    EXPECT_TRUE(lines[1].startsWith(u"1,R 74,Beljeno suncokretovo ulje,RBD SU,5.000,40.000,"_s)) << lines[1].toStdString();
    EXPECT_TRUE(lines[15].startsWith(u"8,Zbir,"_s) && lines[15].section(u',', 8, 8) == u"1000.000"_s) << lines[15].toStdString();

    ASSERT_EQ(run(at), 0);
    EXPECT_TRUE(last.out.startsWith(u"Izvestaj o kolicini"_s));
    EXPECT_EQ(last.out.count(u"Zbir"_s), 3);
    ASSERT_EQ(run(at + QStringList{u"--out"_s, file("r.png")}), 0);
    EXPECT_EQ(QImage(file("r.png")).size(), QSize(800, 1180));
    ASSERT_EQ(run(at + QStringList{u"--out"_s, file("r.pdf")}), 0);
    EXPECT_GT(QFileInfo(file("r.pdf")).size(), 1000);
}

TEST_P(ReportToolExitTest, ExitStatus)
{
    const ExitCase &c = GetParam();
    QFile::remove(file(c.name == std::string("MissingHistory") ? "REPORT.STG" : c.name == std::string("MissingChartRecords") ? "Report.rez" : "-"));
    EXPECT_EQ(run(QStringList{u"--at"_s, QLatin1String(c.at)} + c.more), c.status) << last.err.toStdString();
    EXPECT_TRUE(last.err.contains(QLatin1String(c.message))) << last.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Statuses, ReportToolExitTest, testing::Values(
    ExitCase{"February30", "2026-02-30 10:00", {}, 2, "Neispravno unesen datum."},
    ExitCase{"UnknownGroup", "2026-12-05 09:00", {u"--group"_s, u"Broj"_s}, 2, "--group"},
    ExitCase{"BeforeEveryBlock", "2026-12-05 07:00", {}, 4, "no history block"},
    ExitCase{"MissingHistory", "2026-12-05 09:00", {}, 1, "REPORT.STG"},
    ExitCase{"MissingChartRecords", "2026-12-05 09:00", {}, 1, "Fajl ne postoji."},
    ExitCase{"LoginAtNoServer", "2026-12-05 09:00", {u"--login"_s, u"oper"_s, u"--server"_s, u"127.0.0.1:1"_s}, 3, ""}),
    caseName<ExitCase>);
