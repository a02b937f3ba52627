// skladar-report as a program: its CSV, pictures, text and exit statuses.
#include "tests/support/historybytes.h"
#include "tests/support/namedcases.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr quint32 Hour = 3'600'000;

class ReportToolTest : public testing::Test
{
protected:
    // Every tank reads 5 m and 40 degrees from 08:10 on 5 December 2026 on.
    ReportToolTest()
    {
        const auto block = historyBlock({packDate(2026, 12, 5), 8 * Hour}, -13500, 4000, {{600, 0, 0}});
        writeHistoryFile(file(QStringLiteral("REPORT.STG")), {block});
        writeChartRecordFile(file(QStringLiteral("Report.rez")), 15);
    }

    QString file(const QString &name) const { return dir.filePath(name); }

    int run(QStringList arguments)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(SKLADAR_REPORT_BINARY), arguments << QStringLiteral("--dir") << dir.path());
        EXPECT_TRUE(tool.waitForFinished(30000));
        output = QString::fromLocal8Bit(tool.readAllStandardOutput());
        errors = QString::fromLocal8Bit(tool.readAllStandardError());
        return tool.exitCode();
    }

    QTemporaryDir dir;
    QString output;
    QString errors;
};

struct ExitCase
{
    const char *name;
    QStringList arguments;
    int status;
    const char *message; // part of standard error
};

class ReportToolExitTest : public ReportToolTest, public testing::WithParamInterface<ExitCase>
{};

double field(const QString &line, int index)
{
    return line.split(u',').value(index).toDouble();
}

} // namespace

TEST_F(ReportToolTest, CsvGroupsTanksInSlotOrderWithSumsAndStock)
{
    ASSERT_EQ(run({QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00"), QStringLiteral("--group"), QStringLiteral("sifra"),
                   QStringLiteral("--stock"), QStringLiteral("8=1000"), QStringLiteral("--out"), file(QStringLiteral("r.csv"))}), 0) << errors.toStdString();
    QFile csv(file(QStringLiteral("r.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 19);
    EXPECT_EQ(lines[0], QStringLiteral("group,tank,kind,sifra,level_m,temperature_c,volume_m3,mass_t,stock_t,difference_t"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1,R 74,Beljeno suncokretovo ulje,RBD SU,5.000,40.000,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",,")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("1,R 78,")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("1,Zbir,,,,,,")));
    EXPECT_NEAR(field(lines[3], 7), field(lines[1], 7) + field(lines[2], 7), 0.002);
    EXPECT_EQ(field(lines[4], 8), 0.0) << "a single tank carries its group's stock";
    EXPECT_EQ(field(lines[4], 9), field(lines[4], 7));

    const QString &zbir8 = lines[15];
    ASSERT_TRUE(zbir8.startsWith(QStringLiteral("8,Zbir,"))) << zbir8.toStdString();
    EXPECT_EQ(zbir8.section(u',', 8, 8), QStringLiteral("1000.000"));
    EXPECT_NEAR(field(zbir8, 9), field(zbir8, 7) - 1000, 0.002);
    EXPECT_TRUE(lines[18].startsWith(QStringLiteral("14,Zbir,")));
}

TEST_F(ReportToolTest, TextPictureAndPage)
{
    const QStringList at{QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00")};
    ASSERT_EQ(run(at), 0);
    EXPECT_TRUE(output.startsWith(QStringLiteral("Izvestaj o kolicini sirovina u skladarma za : 05. 12. 2026.    09 : 00\n")));
    EXPECT_EQ(output.count(QStringLiteral("Zbir")), 3);

    ASSERT_EQ(run(at + QStringList{QStringLiteral("--out"), file(QStringLiteral("r.png"))}), 0);
    EXPECT_EQ(QImage(file(QStringLiteral("r.png"))).size(), QSize(800, 1180));
    ASSERT_EQ(run(at + QStringList{QStringLiteral("--out"), file(QStringLiteral("r.pdf"))}), 0);
    QFile pdf(file(QStringLiteral("r.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST_P(ReportToolExitTest, ExitStatus)
{
    const ExitCase &c = GetParam();
    if (QString::fromLatin1(c.name).startsWith(u"Missing"))
        QFile::remove(file(QString::fromLatin1(c.name).mid(7) == u"History" ? QStringLiteral("REPORT.STG") : QStringLiteral("Report.rez")));
    EXPECT_EQ(run(c.arguments), c.status) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QLatin1String(c.message))) << errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Statuses, ReportToolExitTest, testing::Values(
    ExitCase{"NoMoment", {}, 2, "--at is required"},
    ExitCase{"February30", {QStringLiteral("--at"), QStringLiteral("2026-02-30 10:00")}, 2, "Neispravno unesen datum."},
    ExitCase{"UnknownGroup", {QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00"), QStringLiteral("--group"), QStringLiteral("Broj")}, 2, "--group"},
    ExitCase{"StockGroup16", {QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00"), QStringLiteral("--stock"), QStringLiteral("16=1")}, 2, "--stock"},
    ExitCase{"UnknownOption", {QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00"), QStringLiteral("--tank"), QStringLiteral("74")}, 2, "tank"},
    ExitCase{"BeforeEveryBlock", {QStringLiteral("--at"), QStringLiteral("2026-12-05 07:00")}, 4, "no history block"},
    ExitCase{"MissingHistory", {QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00")}, 1, "REPORT.STG"},
    ExitCase{"MissingChartRecords", {QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00")}, 1, "Fajl ne postoji."},
    ExitCase{"LoginAtNoServer", {QStringLiteral("--at"), QStringLiteral("2026-12-05 09:00"), QStringLiteral("--login"), QStringLiteral("oper"),
                                  QStringLiteral("--server"), QStringLiteral("127.0.0.1:1")}, 3, ""}),
    caseName<ExitCase>);
