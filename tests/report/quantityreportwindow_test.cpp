// The report window driven through its real widgets: first showing, date panel, stock view,
// scrolling and the group panels.
#include "report/quantityreportwindow.h"

#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "report/reportsettings.h"
#include "tests/report/reportfixture.h"
#include "tests/support/historybytes.h"
#include "tests/support/pdfpages.h"
#include "tests/support/imageink.h"
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

using Block = std::array<char, HistoryBlockSize>;

// One block from 08:00 on 5 December with a sample at 08:10 at level 500.
Block december5(qint32 level = 500, quint32 hour = 8, qint32 seconds = 600)
{
    return historyBlock({packDate(2026, 12, 5), hour * 3'600'000}, 0, -6000, {{seconds, level}});
}

class ReportWindowTest : public testing::Test, public ReportFixture
{
protected:
    // Shows the window over `records` chart records and the history's blocks, newest first.
    void show(int records = 15, const QList<Block> &blocks = {december5()})
    {
        loadDemonstrationPlant(plant);
        ASSERT_TRUE(writeChartRecordFile(dir.filePath(QStringLiteral("Report.rez")), records));
        writeHistory(blocks);
        window = std::make_unique<QuantityReportWindow>(plant, ReportWindowServices{DataFolder(dir.path()), w, dialogs, clock});
        window->show();
    }

    void writeHistory(const QList<Block> &blocks) { ASSERT_TRUE(writeHistoryFile(dir.filePath(QStringLiteral("REPORT.STG")), blocks)); }

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

    long double level() const { return window->report().quantities[1].level; }
    QImage title() const { return window->picture().copy(0, 0, 500, 19); }
    bool panelShown(const char *name) const { return child<QWidget>(*window, name)->isVisible(); }

    PlantModel plant;
    std::unique_ptr<QuantityReportWindow> window;
};

} // namespace

TEST_F(ReportWindowTest, AFailedFirstShowingDrawsTheTableAndLetsLaterReportsRunWithoutRepeatingIt)
{
    const Block stepPastTheYears = december5(1, 8, 2'000'000'000);
    show(14, {stepPastTheYears, december5(300, 6)});
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")},
                                          {Kind::Message, QStringLiteral("INVALID YEAR"), QStringLiteral("Error")}}));
    EXPECT_FALSE(window->report().moment.has_value());
    EXPECT_EQ(window->picture().pixel(50, 20), qRgb(0, 0, 0)) << "the first group's header";
    trigger("Stampa1");
    EXPECT_EQ(dialogs.calls.takeLast(), (Call{Kind::Message, QStringLiteral("Nema podataka za taj trenutak."), QStringLiteral("Izvestaj")})) << "nothing to print";

    compute("5", "12", "2026", "7", "0"); // the older block, whose only sample is at 06:10
    EXPECT_EQ(level(), channelValue(300));
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 6, 10}));
    EXPECT_EQ(dialogs.calls.back(), (Call{Kind::Message, QStringLiteral("Za taj trenutak nema podataka. Prikazano je stanje od 05. 12. 2026. u 06 : 10."), QStringLiteral("Izvestaj")}));
    EXPECT_FALSE(panelShown("Panel1"));
    window->hide();
    window->show();
    child<QScrollBar>(*window, "ScrollBar1")->setValue(100);
    EXPECT_EQ(dialogs.calls.size(), 3) << "the current minute is not searched again";

    QFile::remove(dir.filePath(QStringLiteral("REPORT.STG")));
    compute("5", "12", "2026", "10", "0");
    EXPECT_EQ(dialogs.calls.back().kind, Kind::Error);
    EXPECT_TRUE(panelShown("Panel1")) << "a failed search leaves the panel open";
}

TEST_F(ReportWindowTest, MomentsBeforeAndAfterTheHistoryAreNamedAndTheTitleFollowsTheMomentShown)
{
    show();
    EXPECT_TRUE(dialogs.calls.isEmpty()) << "the first showing's minute lies after the newest sample, quietly";
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 8, 10}));
    const QImage at0810 = title();

    compute("5", "12", "2026", "7", "59");
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, QStringLiteral("Nema podataka za taj trenutak."), QStringLiteral("Izvestaj")}}));
    EXPECT_TRUE(panelShown("Panel1"));
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 8, 10}));
    EXPECT_EQ(title(), at0810);

    compute("5", "12", "2026", "8", "5");
    EXPECT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 8, 5}));
    EXPECT_NE(title(), at0810);
}

TEST_F(ReportWindowTest, StockButtonsFollowTheirRowsTheirFieldOpensOnItsGroupsFigureAndTheGroupPanelStoresItsChoice)
{
    show();
    trigger("Izvestajostanju1");
    child<QLineEdit>(*window, "Edit4")->setText(QStringLiteral("8"));
    QTest::keyClick(child<QLineEdit>(*window, "Edit4"), Qt::Key_Return);
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 8, 5})) << "Enter computes";
    auto *first = child<QPushButton>(*window, "BitBtn1");
    ASSERT_TRUE(first->isVisible());
    const QPoint at = first->pos();
    auto *field = child<QLineEdit>(*window, "Edit6");
    for (const auto &[group, typed, shown] : {std::tuple{1, "80", "0"}, {2, "50", "0"}, {1, "12,5", "80"}}) {
        auto *button = child<QPushButton>(*window, QStringLiteral("BitBtn%1").arg(group).toLatin1().constData());
        button->click();
        EXPECT_EQ(field->text(), QLatin1String(shown)) << group;
        EXPECT_EQ(field->selectedText(), field->text()) << group;
        QTest::keyClicks(field, QLatin1String(typed));
        if (group == 2)
            QTest::keyClick(field, Qt::Key_Enter);
        else
            click("Button8");
        EXPECT_FALSE(child<QWidget>(*window, "Panel4")->isVisible());
    }
    EXPECT_EQ(window->report().stock[1], 12.5L);
    EXPECT_EQ(window->report().stock[2], 50.0L);

    child<QScrollBar>(*window, "ScrollBar1")->setValue(600);
    EXPECT_EQ(first->pos(), at - QPoint(0, 600));
    trigger("Napraviizvestaj1");
    EXPECT_FALSE(first->isVisible()) << "the stock view is off";
    EXPECT_TRUE(inkBounds(window->picture(), QRect(501, 0, 299, 1180)).isEmpty()) << "before the next computation";

    trigger("Definisiizvestaj1");
    child<QRadioButton>(*window, "RadioButton4")->setChecked(true);
    click("Button5");
    EXPECT_TRUE(child<QWidget>(*window, "Panel3")->isVisible());
    EXPECT_TRUE(child<QWidget>(*window, "Panel2")->isVisible()) << "the sort panel stays beneath";
    EXPECT_FALSE(child<QWidget>(*window, "Panel2")->isEnabled()) << "and takes no input";
    const auto *panel = child<QWidget>(*window, "Panel3");
    const QList<QRadioButton *> items = child<QGroupBox>(*window, "RadioGroup15")->findChildren<QRadioButton *>();
    for (int g = 1; g <= TankCount; ++g) {
        const auto *shown = child<QCheckBox>(*window, QStringLiteral("CheckBox%1").arg(g).toLatin1().constData());
        const QWidget *item = items[g - 1];
        EXPECT_EQ(shown->mapTo(panel, shown->rect().center()).y(), item->mapTo(panel, item->rect().center()).y()) << "G " << g;
    }
    child<QCheckBox>(*window, "CheckBox1")->setChecked(true);
    child<QCheckBox>(*window, "CheckBox5")->setChecked(true);
    QRadioButton *second = child<QGroupBox>(*window, "RadioGroup2")->findChildren<QRadioButton *>()[1];
    second->setChecked(true);
    QTest::keyClick(second, Qt::Key_Return); // "Uradi"
    EXPECT_FALSE(child<QCheckBox>(*window, "CheckBox5")->isChecked());
    const OperatorGroups stored = ReadOperatorGroups(store);
    EXPECT_EQ(stored.tankGroup[2], 2);
    EXPECT_TRUE(stored.shown[1]);
    EXPECT_FALSE(stored.shown[5]) << "a ticked group without tanks is stored unticked";

    QTest::keyClick(child<QRadioButton>(*window, "RadioButton4"), Qt::Key_Return); // "Napravi"
    ASSERT_TRUE(panelShown("Panel1")) << "the date panel opens";
    EXPECT_EQ(ReadSortMode(store), SortMode::Broj);
    EXPECT_EQ(window->report().stock[1], 0.0L) << "the figures of the old grouping go";
    click("Button1");
    EXPECT_EQ(window->report().rows[2].group, 2) << "the new mode and groups are drawn";

    trigger("Izvestajostanju1");
    click("Button1");
    first->click();
    child<QLineEdit>(*window, "Edit6")->setText(QStringLiteral("80"));
    click("Button8");
    trigger("Definisiizvestaj1");
    click("Button5");
    click("Button6");
    EXPECT_EQ(window->report().stock[1], 80.0L) << "the same groups stored again";
    click("Button5");
    child<QGroupBox>(*window, "RadioGroup3")->findChildren<QRadioButton *>()[1]->setChecked(true);
    click("Button6");
    EXPECT_EQ(window->report().stock[1], 0.0L) << "tank 78 moved into group 2";
    trigger("Napraviizvestaj1");
    QTest::keyClick(child<QLineEdit>(*window, "Edit2"), Qt::Key_Escape);
    EXPECT_FALSE(panelShown("Panel1"));
    EXPECT_TRUE(window->isVisible());
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
