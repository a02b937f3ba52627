// The chart window driven through its menus, panels, scroll bar and mouse, over the demonstration
// history of 8641 samples.
#include "tests/trend/chartwindowfixture.h"

#include "core/history/trendratio.h"
#include "core/history/trendseries.h"
#include "tests/support/namedcases.h"
#include "trend/chartgeometry.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

using Kind = RecordingDialogs::Kind;

struct FirstDisplayCase
{
    const char *name;
    std::vector<int> historySlots; // the slots whose history the user may see
    int lastSlot;                  // Forma\LastRez when the window first shows
    int shownSlot;
};

class FirstDisplayTest : public ChartWindowFixture, public testing::WithParamInterface<FirstDisplayCase>
{
};

const FirstDisplayCase FirstDisplayCases[] = {
    {"TheLastSlot", {1, 2, 3}, 2, 2},
    {"TheFirstPermittedWhenTheLastIsRefused", {4, 9}, 1, 4},
    {"NothingWithoutAnyHistoryRight", {}, 1, 0},
};

} // namespace

TEST_P(FirstDisplayTest, ShowsOnlyPermittedHistory)
{
    const FirstDisplayCase &c = GetParam();
    for (TankRights &rights : plant.user.rights)
        rights.istorija = 0;
    for (const int slot : c.historySlots)
        plant.user.rights[static_cast<std::size_t>(slot - 1)].istorija = 1;
    ASSERT_TRUE(w.WriteInteger(TrendRatioKey, ratioNumeratorName(3), 4).ok());
    createWindow();
    EXPECT_EQ(setting(TrendRatioKey, ratioNumeratorName(3)), 1);
    EXPECT_EQ(setting(QStringLiteral("Forma"), QStringLiteral("LastRez")), 1);
    ASSERT_TRUE(w.WriteInteger(QStringLiteral("Forma"), QStringLiteral("LastRez"), c.lastSlot).ok());

    window->show();
    EXPECT_EQ(window->selectedSlot(), c.shownSlot);
    EXPECT_EQ(window->series().sampleCount, c.shownSlot == 0 ? 0 : DemoSampleCount);
    for (int slot = 1; slot <= TankCount; ++slot) {
        const QByteArray name = "rr" + QByteArray::number(slot);
        EXPECT_EQ(child<QAction>(name.constData())->isVisible(), std::ranges::count(c.historySlots, slot) == 1) << slot;
    }
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(setting(QStringLiteral("Forma"), QStringLiteral("LastRez")), c.shownSlot != 0 ? c.shownSlot : c.lastSlot);
}
INSTANTIATE_TEST_SUITE_P(ChartWindow, FirstDisplayTest, testing::ValuesIn(FirstDisplayCases),
                         caseName<FirstDisplayCase>);

namespace {

struct MissingFileCase
{
    const char *name;
    const char *file;
    RecordingDialogs::Call report;
    int samples;
};

class MissingFileTest : public ChartWindowFixture, public testing::WithParamInterface<MissingFileCase>
{
};

const MissingFileCase MissingFileCases[] = {
    {"History", "REPORT.STG", {Kind::Error, QStringLiteral("Fajl REPORT.STG ne postoji."), QStringLiteral("Skladar")}, 0},
    // The chart settings stay zero: every scale is empty and both channels are channel 0.
    {"ChartSettings", "Report.rez", {Kind::Message, QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska")},
     DemoSampleCount},
};

} // namespace

TEST_P(MissingFileTest, IsReportedAndLeavesWhatCanBeShown)
{
    const MissingFileCase &c = GetParam();
    ASSERT_TRUE(QFile::remove(dir.filePath(QLatin1String(c.file))));
    createWindow();
    window->show();
    EXPECT_EQ(dialogs.calls, QList<RecordingDialogs::Call>{c.report});
    EXPECT_EQ(window->selectedSlot(), 1);
    EXPECT_EQ(window->series().sampleCount, c.samples);
}
INSTANTIATE_TEST_SUITE_P(ChartWindow, MissingFileTest, testing::ValuesIn(MissingFileCases), caseName<MissingFileCase>);

TEST_F(ChartWindowFixture, ScrollRangesAfterLoads)
{
    EXPECT_EQ(chartScrollRange(10000, 1), (ChartScrollRange{612, 9999, 9999}));
    EXPECT_EQ(chartScrollRange(100, 1), (ChartScrollRange{98, 99, 99}));
    EXPECT_EQ(chartScrollRange(0, 1), (ChartScrollRange{-2, -1, -1}));
    createWindow();
    window->show();
    const QScrollBar *scrollBar = child<QScrollBar>("ScrollBar1");
    EXPECT_EQ(scrollBar->minimum(), 612);
    EXPECT_EQ(scrollBar->maximum(), DemoSampleCount - 1);
    EXPECT_EQ(scrollBar->value(), DemoSampleCount - 1);
    EXPECT_EQ(scrollBar->pageStep(), ChartScrollLargeStep);
}

TEST_F(ChartWindowFixture, PeriodChooserStoresTheChoiceAndReloads)
{
    createWindow();
    window->show();
    window->selectSlot(5);
    auto *list = child<QComboBox>("ComboBox1");
    child<QAction>("Interval1")->trigger();
    EXPECT_TRUE(child<QFrame>("Panel1")->isVisible());
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(list->count(), 9);
    EXPECT_EQ(list->currentIndex(), 5);

    window->ComboBox1Change(8); // "   mesec", stored before "OK"
    EXPECT_EQ(readTrendRatio(w, 5), (TrendRatio{1, 7}));
    child<QPushButton>("Button1")->click();
    EXPECT_FALSE(child<QFrame>("Panel1")->isVisible());
    EXPECT_EQ(window->series().sampleCount, 1234); // round(8641 / 7)
    EXPECT_EQ(child<QScrollBar>("ScrollBar1")->maximum(), 1233);

    list->setCurrentIndex(0);
    child<QAction>("Interval1")->trigger();
    EXPECT_EQ(list->currentIndex(), 8);
}

TEST_F(ChartWindowFixture, RightButtonDragScrollsBackByTheDistance)
{
    createWindow();
    window->show();
    auto *scrollBar = child<QScrollBar>("ScrollBar1");
    scrollBar->setValue(5000);
    QWidget *chart = child<QWidget>("Chart");
    QTest::mousePress(chart, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
    QMouseEvent drag(QEvent::MouseMove, QPointF(350, 300), chart->mapToGlobal(QPointF(350, 300)), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &drag);
    EXPECT_EQ(scrollBar->value(), 4950);
    EXPECT_TRUE(window->readOut().active);
    EXPECT_EQ(window->readOut().mouse, QPoint(350, 300));
}

TEST_F(ChartWindowFixture, ClipboardPrinterAndCsv)
{
    createWindow();
    window->show();
    child<QAction>("StgToChart1")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image(), window->chart());
    EXPECT_EQ(window->chart().size(), QSize(800, 580));

    child<QAction>("Print1")->trigger(); // the operator cancels the print dialog
    EXPECT_EQ(dialogs.calls, (QList<RecordingDialogs::Call>{{Kind::Printer, QString(), QString()}}));

    const QString path = dir.filePath(QStringLiteral("R74.csv"));
    dialogs.saveFileAnswers = {path};
    child<QAction>("Csv1")->trigger();
    QFile csv(path);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    EXPECT_EQ(lines.front(), "position,date,time,level_m,temperature_c,volume_m3,mass_t");
    EXPECT_EQ(lines.size(), DemoSampleCount + 2); // header, samples, the final line break
}
