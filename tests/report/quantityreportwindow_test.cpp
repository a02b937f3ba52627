// The report window driven through its real widgets: creation, first showing, date panel, stock
// view, scrolling and the group panels.
#include "report/quantityreportwindow.h"

#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "report/reportsettings.h"
#include "tests/report/reportfixture.h"
#include "tests/support/historybytes.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
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
    // `records` chart records; one block from 08:00 on `date` with a sample at 08:10 at `level`.
    void create(int records = 15, qint32 level = 500, PackedDate date = packDate(2026, 12, 5))
    {
        loadDemonstrationPlant(plant);
        ASSERT_TRUE(writeChartRecordFile(dir.filePath(QStringLiteral("Report.rez")), records));
        writeHistory(level, date);
        window = std::make_unique<QuantityReportWindow>(plant, ReportWindowServices{DataFolder(dir.path()), w, dialogs, clock});
    }

    void writeHistory(qint32 level, PackedDate date)
    {
        const auto block = historyBlock({date, 8 * 3'600'000}, 0, -6000, {{600, level}});
        ASSERT_TRUE(writeHistoryFile(dir.filePath(QStringLiteral("REPORT.STG")), {block}));
    }

    template <typename T = QWidget>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void trigger(const char *entry) { child<QAction>(entry)->trigger(); }
    void click(const char *button) { child<QPushButton>(button)->click(); }

    void compute(const char *day, const char *month, const char *year, const char *hour, const char *minute)
    {
        trigger("Napraviizvestaj1");
        int field = 1;
        for (const char *text : {day, month, year, hour, minute})
            child<QLineEdit>(QStringLiteral("Edit%1").arg(field++).toLatin1().constData())->setText(QLatin1String(text));
        click("Button1");
    }

    long double level() const { return window->report().quantities[0].level; }

    PlantModel plant;
    std::unique_ptr<QuantityReportWindow> window;
};

} // namespace

TEST_F(ReportWindowTest, AShortChartFileStillLetsTheFirstShowingComputeAndABadStampIsTriedAgain)
{
    create(14, 500, packDate(2026, 13, 5));
    EXPECT_EQ(std::ranges::count(ReadOperatorGroups(w).tankGroup, 1), TankCount);
    window->show();
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")},
                                          {Kind::Message, QStringLiteral("INVALID MONTH"), QStringLiteral("Error")}}));
    EXPECT_EQ(level(), 0.0L);
    writeHistory(500, packDate(2026, 12, 5));
    window->hide();
    window->show();
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 9, 5}));
    EXPECT_EQ(level(), channelValue(500));
    EXPECT_EQ(window->picture().pixel(50, 20), qRgb(0, 0, 0)) << "the first group's header";
}

TEST_F(ReportWindowTest, TheDatePanelChecksComputesAndClosesOnlyWhenDone)
{
    create();
    window->show();
    compute("29", "2", "2025", "10", "0");
    EXPECT_EQ(dialogs.calls.back(), (Call{Kind::Message, QStringLiteral("Neispravno unesen datum."), QStringLiteral("Date error")}));
    EXPECT_FALSE(child("Panel1")->isVisible());

    compute("5", "12", "2026", "7", "59"); // before the only block: the quantities stay
    EXPECT_FALSE(child("Panel1")->isVisible());
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 7, 59}));

    QFile::remove(dir.filePath(QStringLiteral("REPORT.STG")));
    compute("5", "12", "2026", "10", "0");
    EXPECT_EQ(dialogs.calls.back().kind, Kind::Error);
    EXPECT_TRUE(child("Panel1")->isVisible()) << "a failed search leaves the panel open";
    EXPECT_EQ(window->report().moment.hour, 7);
}

TEST_F(ReportWindowTest, StockButtonsFollowTheirRowsAndTakeTheTypedStock)
{
    create();
    window->show();
    trigger("Izvestajostanju1");
    click("Button1");
    auto *first = child<QPushButton>("BitBtn1");
    ASSERT_TRUE(first->isVisible());
    const QPoint at = first->pos();
    first->click();
    EXPECT_EQ(child("Panel4")->pos(), at + QPoint(30, -28));
    child<QLineEdit>("Edit6")->setText(QStringLiteral("12,5"));
    click("Button8");
    EXPECT_FALSE(child("Panel4")->isVisible());
    EXPECT_EQ(window->report().stock[0], 12.5L);

    child<QScrollBar>("ScrollBar1")->setValue(600);
    EXPECT_EQ(first->pos(), at - QPoint(0, 600));
    compute("5", "12", "2026", "10", "0");
    EXPECT_FALSE(first->isVisible()) << "the stock view is off";
}

TEST_F(ReportWindowTest, TheGroupPanelStoresItsChoiceAndUnticksEmptyGroups)
{
    create();
    window->show();
    trigger("Definisiizvestaj1");
    child<QRadioButton>("RadioButton4")->setChecked(true);
    click("Button5");
    EXPECT_TRUE(child("Panel3")->isVisible());
    EXPECT_TRUE(child("Panel2")->isVisible()) << "the sort panel stays beneath";
    child<QGroupBox>("RadioGroup2")->findChildren<QRadioButton *>()[1]->setChecked(true);
    child<QCheckBox>("CheckBox1")->setChecked(true);
    child<QCheckBox>("CheckBox5")->setChecked(true);
    click("Button6");
    EXPECT_FALSE(child<QCheckBox>("CheckBox5")->isChecked());
    const OperatorGroups stored = ReadOperatorGroups(w);
    EXPECT_EQ(stored.tankGroup[1], 2);
    EXPECT_TRUE(stored.shown[0]);
    EXPECT_FALSE(stored.shown[4]) << "a ticked group without tanks is stored unticked";

    click("Button3");
    EXPECT_EQ(ReadSortMode(w), SortMode::Broj);
    click("Button1");
    EXPECT_EQ(window->report().rows[1].group, 2) << "the new mode and groups are drawn";
}
