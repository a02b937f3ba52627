// skladar-report as a program: its CSV, pictures, text and exit statuses.
#include "tests/support/historybytes.h"
#include "tests/support/namedcases.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), file("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), file("data"));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(SKLADAR_REPORT_BINARY), QStringList{QStringLiteral("--dir"), dir.path()} + arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        output = QString::fromLocal8Bit(tool.readAllStandardOutput());
        errors = QString::fromLocal8Bit(tool.readAllStandardError());
        return tool.exitCode();
    }

    QTemporaryDir dir;
    QString output;
    QString errors;
};

double field(const QString &line, int index)
{
    return line.section(u',', index, index).toDouble();
}

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

TEST_F(ReportToolTest, CsvGroupsTanksInSlotOrderWithSumsAndStock)
{
    ASSERT_EQ(run({QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00"), QStringLiteral("--group"), QStringLiteral("sifra"),
                   QStringLiteral("--stock"), QStringLiteral("8=1000"), QStringLiteral("--out"), file("r.csv")}), 0) << errors.toStdString();
    QFile csv(file("r.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], QStringLiteral("group,tank,kind,sifra,level_m,temperature_c,volume_m3,mass_t,stock_t,difference_t"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1,R 74,Beljeno suncokretovo ulje,RBD SU,5.000,40.000,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1,Zbir,,,,,,")));
    EXPECT_NEAR(field(lines[3], 7), field(lines[1], 7) + field(lines[2], 7), 0.002);
    EXPECT_EQ(field(lines[4], 9), field(lines[4], 7)) << "a single tank carries its group's stock, 0";
    ASSERT_TRUE(lines[15].startsWith(QStringLiteral("8,Zbir,"))) << lines[15].toStdString();
    EXPECT_EQ(lines[15].section(u',', 8, 8), QStringLiteral("1000.000"));
    EXPECT_NEAR(field(lines[15], 9), field(lines[15], 7) - 1000, 0.002);
}

TEST_F(ReportToolTest, TextPictureAndPage)
{
    const QStringList at{QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00")};
    ASSERT_EQ(run(at), 0);
    EXPECT_TRUE(output.startsWith(QStringLiteral("Izvestaj o kolicini sirovina u skladarma za : 05. 12. 2026.    09 : 00\n")));
    EXPECT_EQ(output.count(QStringLiteral("Zbir")), 3);
    ASSERT_EQ(run(at + QStringList{QStringLiteral("--out"), file("r.png")}), 0);
    EXPECT_EQ(QImage(file("r.png")).size(), QSize(800, 1180));
    ASSERT_EQ(run(at + QStringList{QStringLiteral("--out"), file("r.pdf")}), 0);
    EXPECT_GT(QFileInfo(file("r.pdf")).size(), 1000);
}

TEST_P(ReportToolExitTest, ExitStatus)
{
    const ExitCase &c = GetParam();
    QFile::remove(file(c.name == std::string("MissingHistory") ? "REPORT.STG" : c.name == std::string("MissingChartRecords") ? "Report.rez" : "-"));
    EXPECT_EQ(run(QStringList{QStringLiteral("--at"), QLatin1String(c.at)} + c.more), c.status) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QLatin1String(c.message))) << errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Statuses, ReportToolExitTest, testing::Values(
    ExitCase{"February30", "2026-02-30 10:00", {}, 2, "Neispravno unesen datum."},
    ExitCase{"UnknownGroup", "2026-12-05 09:00", {QStringLiteral("--group"), QStringLiteral("Broj")}, 2, "--group"},
    ExitCase{"BeforeEveryBlock", "2026-12-05 07:00", {}, 4, "no history block"},
    ExitCase{"MissingHistory", "2026-12-05 09:00", {}, 1, "REPORT.STG"},
    ExitCase{"MissingChartRecords", "2026-12-05 09:00", {}, 1, "Fajl ne postoji."},
    ExitCase{"LoginAtNoServer", "2026-12-05 09:00", {QStringLiteral("--login"), QStringLiteral("oper"), QStringLiteral("--server"), QStringLiteral("127.0.0.1:1")}, 3, ""}),
    caseName<ExitCase>);
