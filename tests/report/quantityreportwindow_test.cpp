// The report window driven through its real widgets: first showing, date panel, stock view,
// scrolling and the group panels.
#include "report/quantityreportwindow.h"

#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "report/reportsettings.h"
#include "tests/report/reportfixture.h"
#include "tests/support/historybytes.h"
#include "tests/support/pdfpages.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <memory>

namespace {

using Call = RecordingDialogs::Call;
using Kind = RecordingDialogs::Kind;

class ReportWindowTest : public testing::Test, public ReportFixture
{
protected:
    // Shows the window over `records` chart records and one block from 08:00 on `date` with a
    // sample at 08:10 at level 500.
    void show(int records = 15, PackedDate date = packDate(2026, 12, 5))
    {
        loadDemonstrationPlant(plant);
        ASSERT_TRUE(writeChartRecordFile(dir.filePath(QStringLiteral("Report.rez")), records));
        writeHistory(date);
        window = std::make_unique<QuantityReportWindow>(plant, ReportWindowServices{DataFolder(dir.path()), w, dialogs, clock});
        window->show();
    }

    void writeHistory(PackedDate date)
    {
        ASSERT_TRUE(writeHistoryFile(dir.filePath(QStringLiteral("REPORT.STG")), {historyBlock({date, 8 * 3'600'000}, 0, -6000, {{600, 500}})}));
    }

    void trigger(const char *entry) { child<QAction>(*window, entry)->trigger(); }
    void click(const char *button) { child<QPushButton>(*window, button)->click(); }

    void compute(const char *day, const char *month, const char *year, const char *hour, const char *minute)
    {
        trigger("Napraviizvestaj1");
        int field = 1;
        for (const char *text : {day, month, year, hour, minute})
            child<QLineEdit>(*window, QStringLiteral("Edit%1").arg(field++).toLatin1().constData())->setText(QLatin1String(text));
        click("Button1");
    }

    long double level() const { return window->report().quantities[0].level; }

    PlantModel plant;
    std::unique_ptr<QuantityReportWindow> window;
};

} // namespace

TEST_F(ReportWindowTest, AShortChartFileStillLetsTheFirstShowingComputeABadStampIsTriedAgainAndThePanelClosesOnlyWhenDone)
{
    show(14, packDate(2026, 13, 5));
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")},
                                          {Kind::Message, QStringLiteral("INVALID MONTH"), QStringLiteral("Error")}}));
    EXPECT_EQ(level(), 0.0L);
    writeHistory(packDate(2026, 12, 5));
    window->hide();
    window->show();
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 9, 5}));
    EXPECT_EQ(level(), channelValue(500));
    EXPECT_TRUE(window->report().quantities[13].known);
    EXPECT_FALSE(window->report().quantities[14].known) << "the fifteenth record was not read";
    EXPECT_EQ(window->picture().pixel(50, 20), qRgb(0, 0, 0)) << "the first group's header";

    compute("5", "12", "2026", "7", "59"); // before the only block: the quantities stay
    EXPECT_FALSE(child<QWidget>(*window, "Panel1")->isVisible());
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 7, 59}));

    QFile::remove(dir.filePath(QStringLiteral("REPORT.STG")));
    compute("5", "12", "2026", "10", "0");
    EXPECT_EQ(dialogs.calls.back().kind, Kind::Error);
    EXPECT_TRUE(child<QWidget>(*window, "Panel1")->isVisible()) << "a failed search leaves the panel open";
    EXPECT_EQ(window->report().moment.hour, 7);
}

TEST_F(ReportWindowTest, StockButtonsFollowTheirRowsAndTheGroupPanelStoresItsChoiceUntickingEmptyGroups)
{
    show();
    trigger("Izvestajostanju1");
    click("Button1");
    auto *first = child<QPushButton>(*window, "BitBtn1");
    ASSERT_TRUE(first->isVisible());
    const QPoint at = first->pos();
    first->click();
    EXPECT_EQ(child<QWidget>(*window, "Panel4")->pos(), at + QPoint(30, -28));
    child<QLineEdit>(*window, "Edit6")->setText(QStringLiteral("12,5"));
    click("Button8");
    EXPECT_FALSE(child<QWidget>(*window, "Panel4")->isVisible());
    EXPECT_EQ(window->report().stock[0], 12.5L);

    child<QScrollBar>(*window, "ScrollBar1")->setValue(600);
    EXPECT_EQ(first->pos(), at - QPoint(0, 600));
    compute("5", "12", "2026", "10", "0");
    EXPECT_FALSE(first->isVisible()) << "the stock view is off";

    trigger("Definisiizvestaj1");
    child<QRadioButton>(*window, "RadioButton4")->setChecked(true);
    click("Button5");
    EXPECT_TRUE(child<QWidget>(*window, "Panel3")->isVisible());
    EXPECT_TRUE(child<QWidget>(*window, "Panel2")->isVisible()) << "the sort panel stays beneath";
    child<QGroupBox>(*window, "RadioGroup2")->findChildren<QRadioButton *>()[1]->setChecked(true);
    child<QCheckBox>(*window, "CheckBox1")->setChecked(true);
    child<QCheckBox>(*window, "CheckBox5")->setChecked(true);
    click("Button6");
    EXPECT_FALSE(child<QCheckBox>(*window, "CheckBox5")->isChecked());
    const OperatorGroups stored = ReadOperatorGroups(w);
    EXPECT_EQ(stored.tankGroup[1], 2);
    EXPECT_TRUE(stored.shown[0]);
    EXPECT_FALSE(stored.shown[4]) << "a ticked group without tanks is stored unticked";

    click("Button3");
    EXPECT_EQ(ReadSortMode(w), SortMode::Broj);
    click("Button1");
    EXPECT_EQ(window->report().rows[1].group, 2) << "the new mode and groups are drawn";
}

TEST_F(ReportWindowTest, ThePrintedTableKeepsEveryLine)
{
    show();
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    dialogs.printerAnswers = {true};
    dialogs.choosePrinterSettings = [&pdf](QPrinter &printer) { printer.setOutputFileName(pdf); };
    trigger("Stampa1");
    const QList<QImage> pages = pdfPages(pdf, 150);
    ASSERT_EQ(pages.size(), 1);
    const QImage &page = pages.front();
    // The table runs across 450 of the 800 design columns. The demonstration plant's eight groups
    // (by "sifra") have 26 rows (header, tanks and sums), each with a line under it, and a line over
    // each group; the five column lines run down every group at the same places.
    const QList<int> rows = longLines(page, page.width() * 450 / 800 * 9 / 10, false);
    EXPECT_EQ(rows.size(), 26 + 8);
    const int groupHeight = page.height() * 20 / 1180 * 2; // at least a header and one tank row
    const QList<int> columns = longLines(page, groupHeight, true);
    EXPECT_EQ(columns.size(), 5);
}
