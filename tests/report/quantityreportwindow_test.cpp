// The report window driven through its real widgets: creation, first showing, date panel, stock
// view, scrolling and the group panels.
#include "report/quantityreportwindow.h"

#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "report/reportsettings.h"
#include "tests/support/historybytes.h"
#include "tests/report/reportfixture.h"

#include <QAction>
#include <QButtonGroup>
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

constexpr quint32 Hour = 3'600'000;

class ReportWindowTest : public testing::Test, public ReportFixture
{
protected:
    ReportWindowTest() { loadDemonstrationPlant(plant); }

    void writeChartRecords(int records)
    {
        ASSERT_TRUE(writeChartRecordFile(dir.filePath(QStringLiteral("Report.rez")), records));
    }

    // One block from 08:00 on 5 December 2026 with a sample at 08:10 (level channel 0 at `level`).
    void writeHistory(qint32 level, PackedDate date = packDate(2026, 12, 5))
    {
        const auto block = historyBlock({date, 8 * Hour}, 0, -6000, {{600, level, 0}});
        ASSERT_TRUE(writeHistoryFile(dir.filePath(QStringLiteral("REPORT.STG")), {block}));
    }

    void create()
    {
        window = std::make_unique<QuantityReportWindow>(plant, ReportWindowServices{DataFolder(dir.path()), w, dialogs, clock});
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void trigger(const char *entry) { child<QAction>(entry)->trigger(); }
    void click(const char *button) { child<QPushButton>(button)->click(); }
    bool shown(const char *name) const { return child<QWidget>(name)->isVisible(); }

    void typeMoment(const char *day, const char *month, const char *year, const char *hour, const char *minute)
    {
        int field = 1;
        for (const char *text : {day, month, year, hour, minute})
            child<QLineEdit>(QStringLiteral("Edit%1").arg(field++).toLatin1().constData())->setText(QLatin1String(text));
    }

    long double level(int slot = 1) const { return window->report().quantities[static_cast<std::size_t>(slot - 1)].level; }

    PlantModel plant;
    std::unique_ptr<QuantityReportWindow> window;
};

} // namespace

TEST_F(ReportWindowTest, AShortChartFileStillLetsTheFirstShowingCompute)
{
    writeChartRecords(14);
    writeHistory(500);
    create();
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")}}));
    EXPECT_EQ(ReadOperatorGroups(w).tankGroup, (std::array<int, TankCount>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));

    window->show();
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 9, 5}));
    EXPECT_EQ(level(), channelValue(500));
    EXPECT_EQ(window->report().rows[7].sifraKey, plant.tanks.slot(8).materialSifra);
    EXPECT_EQ(window->picture().size(), QSize(800, 1180));
    EXPECT_EQ(window->picture().pixel(50, 20), qRgb(0, 0, 0)) << "the first group's header";
}

TEST_F(ReportWindowTest, ABadStampIsShownAndTheFirstShowingIsTriedAgain)
{
    writeChartRecords(15);
    writeHistory(500, packDate(2026, 13, 5));
    create();
    window->show();
    const Call invalidMonth{Kind::Message, QStringLiteral("INVALID MONTH"), QStringLiteral("Error")};
    EXPECT_EQ(dialogs.calls, QList<Call>{invalidMonth});
    EXPECT_EQ(level(), 0.0L);

    writeHistory(500);
    window->hide();
    window->show();
    EXPECT_EQ(level(), channelValue(500));
    EXPECT_EQ(dialogs.calls.size(), 1);
}

TEST_F(ReportWindowTest, TheDatePanelChecksComputesAndClosesOnlyWhenDone)
{
    writeChartRecords(15);
    writeHistory(500);
    create();
    window->show();
    dialogs.calls.clear();

    trigger("Napraviizvestaj1");
    EXPECT_TRUE(shown("Panel1"));
    EXPECT_EQ(child<QLineEdit>("Edit3")->text(), QStringLiteral("2026"));
    EXPECT_EQ(child<QLineEdit>("Edit5")->text(), QStringLiteral("5"));
    typeMoment("29", "2", "2025", "10", "0");
    click("Button1");
    EXPECT_EQ(dialogs.calls, (QList<Call>{{Kind::Message, QStringLiteral("Neispravno unesen datum."), QStringLiteral("Date error")}}));
    EXPECT_FALSE(shown("Panel1"));

    trigger("Napraviizvestaj1");
    typeMoment("5", "12", "2026", "7", "59"); // before the only block
    click("Button1");
    EXPECT_FALSE(shown("Panel1"));
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 7, 59}));
    EXPECT_EQ(level(), channelValue(500)) << "no block before the moment: the quantities stay";

    QFile::remove(dir.filePath(QStringLiteral("REPORT.STG")));
    trigger("Napraviizvestaj1");
    click("Button1");
    ASSERT_EQ(dialogs.calls.size(), 2);
    EXPECT_EQ(dialogs.calls.back().kind, Kind::Error);
    EXPECT_TRUE(shown("Panel1")) << "a failed search leaves the panel open";
    EXPECT_EQ(window->report().moment, (ReportMoment{5, 12, 2026, 7, 59}));
}

TEST_F(ReportWindowTest, StockButtonsFollowTheirRowsAndTakeTheTypedStock)
{
    writeChartRecords(15);
    writeHistory(500);
    create();
    window->show();
    trigger("Izvestajostanju1");
    EXPECT_TRUE(child<QAction>("Izvestajostanju1")->isChecked());
    click("Button1");

    auto *first = child<QPushButton>("BitBtn1");
    ASSERT_TRUE(first->isVisible());
    const QPoint at = first->pos();
    EXPECT_EQ(at.x(), 510);
    first->click();
    EXPECT_EQ(child<QWidget>("Panel4")->pos(), at + QPoint(30, -28));
    child<QLineEdit>("Edit6")->setText(QStringLiteral("12,5"));
    click("Button8");
    EXPECT_FALSE(shown("Panel4"));
    EXPECT_EQ(window->report().stock[0], 12.5L);

    child<QScrollBar>("ScrollBar1")->setValue(600);
    EXPECT_EQ(first->pos(), at - QPoint(0, 600));

    trigger("Napraviizvestaj1");
    click("Button1");
    EXPECT_FALSE(first->isVisible()) << "the stock view is off";
}

TEST_F(ReportWindowTest, TheGroupPanelStoresItsChoiceAndUnticksEmptyGroups)
{
    writeChartRecords(15);
    writeHistory(500);
    create();
    window->show();
    trigger("Definisiizvestaj1");
    EXPECT_TRUE(child<QRadioButton>("RadioButton1")->isChecked());
    child<QRadioButton>("RadioButton4")->setChecked(true);
    click("Button5");
    ASSERT_TRUE(shown("Panel3"));
    EXPECT_TRUE(shown("Panel2")) << "the sort panel stays beneath";
    EXPECT_FALSE(child<QCheckBox>("CheckBox1")->isChecked()) << "G1Show is absent";

    child<QGroupBox>("RadioGroup2")->findChildren<QRadioButton *>()[1]->setChecked(true);
    child<QCheckBox>("CheckBox1")->setChecked(true);
    child<QCheckBox>("CheckBox5")->setChecked(true);
    click("Button6");
    EXPECT_FALSE(shown("Panel3"));
    EXPECT_FALSE(child<QCheckBox>("CheckBox5")->isChecked());
    const OperatorGroups stored = ReadOperatorGroups(w);
    EXPECT_EQ(stored.tankGroup[1], 2);
    EXPECT_TRUE(stored.shown[0]);
    EXPECT_FALSE(stored.shown[4]);

    click("Button3");
    EXPECT_EQ(ReadSortMode(w), SortMode::Broj);
    EXPECT_TRUE(shown("Panel1"));
    click("Button1");
    EXPECT_EQ(window->report().rows[1].group, 2);
    EXPECT_EQ(window->report().rows[0].group, 1);
}
