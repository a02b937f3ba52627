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
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

using Kind = RecordingDialogs::Kind;
const QString Forma = QStringLiteral("Forma"), LastRez = QStringLiteral("LastRez");

class ChartWindowTest : public ChartWindowFixture
{
protected:
    template <typename T>
    T *part(const char *name) const { return child<T>(*window, QLatin1String(name)); }
};

struct FirstDisplayCase
{
    const char *name;
    std::vector<int> historySlots; // the slots whose history the user may see
    int lastSlot;                  // Forma\LastRez when the window first shows
    int shownSlot;
};

class FirstDisplayTest : public ChartWindowTest, public testing::WithParamInterface<FirstDisplayCase>
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
    for (std::size_t i = 0; i < plant.user.rights.size(); ++i)
        plant.user.rights[i].istorija = std::ranges::count(c.historySlots, i + 1) == 1 ? 1 : 0;
    ASSERT_TRUE(writeTrendRatio(w, 3, TrendRatio{4, 1}).ok());
    createWindow(); // resets every ratio and the last slot
    EXPECT_EQ(readTrendRatio(w, 3), TrendRatio{});
    EXPECT_EQ(setting(Forma, LastRez), 1);
    ASSERT_TRUE(w.WriteInteger(Forma, LastRez, c.lastSlot).ok());

    window->show();
    EXPECT_EQ(window->selectedSlot(), c.shownSlot);
    EXPECT_EQ(window->series().sampleCount, c.shownSlot == 0 ? 0 : DemoSampleCount);
    const QScrollBar *scrollBar = part<QScrollBar>("ScrollBar1"); // the newest 577 positions shown
    EXPECT_EQ(ChartScrollRange(scrollBar->minimum(), scrollBar->maximum(), scrollBar->value()),
              chartScrollRange(window->series().sampleCount, 1));
    EXPECT_EQ(setting(Forma, LastRez), c.shownSlot != 0 ? c.shownSlot : c.lastSlot);
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(child<QAction>(*window, QStringLiteral("rr%1").arg(slot))->isVisible(),
                  std::ranges::count(c.historySlots, slot) == 1) << slot;
    window->selectSlot(5); // no menu entry reaches a refused slot, nor does this
    EXPECT_EQ(window->selectedSlot(), c.shownSlot);
    EXPECT_TRUE(dialogs.calls.isEmpty());
}
INSTANTIATE_TEST_SUITE_P(ChartWindow, FirstDisplayTest, testing::ValuesIn(FirstDisplayCases), caseName<FirstDisplayCase>);

namespace {

struct MissingFileCase
{
    const char *name;
    const char *file;
    RecordingDialogs::Call report;
    int samples;
};

class MissingFileTest : public ChartWindowTest, public testing::WithParamInterface<MissingFileCase>
{
};

const MissingFileCase MissingFileCases[] = {
    {"History", "REPORT.STG", {Kind::Error, QStringLiteral("Fajl REPORT.STG ne postoji."), QStringLiteral("Skladar")}, 0},
    // Without chart settings every scale is empty and both channels are channel 0.
    {"ChartSettings", "Report.rez", {Kind::Message, QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska")}, DemoSampleCount},
};

} // namespace

TEST_P(MissingFileTest, IsReportedAndLeavesWhatCanBeShown)
{
    ASSERT_TRUE(QFile::remove(dir.filePath(QLatin1String(GetParam().file))));
    createWindow();
    window->show();
    EXPECT_EQ(dialogs.calls, QList<RecordingDialogs::Call>{GetParam().report});
    EXPECT_EQ(window->series().sampleCount, GetParam().samples);
}
INSTANTIATE_TEST_SUITE_P(ChartWindow, MissingFileTest, testing::ValuesIn(MissingFileCases), caseName<MissingFileCase>);

TEST_F(ChartWindowTest, PeriodChooserStoresTheChoiceAndReloads)
{
    createWindow();
    window->show();
    window->selectSlot(5);
    auto *list = part<QComboBox>("ComboBox1");
    part<QAction>("Interval1")->trigger();
    EXPECT_TRUE(part<QFrame>("Panel1")->isVisible());
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(list->currentIndex(), 5); // 1/1

    window->ComboBox1Change(8); // "   mesec", stored before "OK"
    EXPECT_EQ(readTrendRatio(w, 5), (TrendRatio{1, 7}));
    part<QPushButton>("Button1")->click();
    EXPECT_FALSE(part<QFrame>("Panel1")->isVisible());
    EXPECT_EQ(window->series().sampleCount, 1234); // round(8641 / 7)

    list->setCurrentIndex(0);
    part<QAction>("Interval1")->trigger();
    EXPECT_EQ(list->currentIndex(), 8);
}

TEST_F(ChartWindowTest, RightButtonDragScrollsBackByTheDistance)
{
    createWindow();
    window->show();
    part<QScrollBar>("ScrollBar1")->setValue(5000);
    QWidget *chart = part<QWidget>("Chart");
    QTest::mousePress(chart, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
    QMouseEvent drag(QEvent::MouseMove, QPointF(350, 300), chart->mapToGlobal(QPointF(350, 300)), Qt::NoButton,
                     Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &drag);
    EXPECT_EQ(part<QScrollBar>("ScrollBar1")->value(), 4950);
    EXPECT_EQ(window->readOut().mouse, QPoint(350, 300));
}

TEST_F(ChartWindowTest, ClipboardPrinterAndCsv)
{
    createWindow();
    window->show();
    part<QAction>("StgToChart1")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image(), window->chart());

    part<QAction>("Print1")->trigger(); // the operator cancels the print dialog
    EXPECT_EQ(dialogs.calls, (QList<RecordingDialogs::Call>{{Kind::Printer, QString(), QString()}}));

    QFile csv(dir.filePath(QStringLiteral("R74.csv")));
    dialogs.saveFileAnswers = {csv.fileName()};
    part<QAction>("Csv1")->trigger();
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    EXPECT_EQ(lines.front(), "position,date,time,level_m,temperature_c,volume_m3,mass_t");
    EXPECT_EQ(lines.size(), DemoSampleCount + 2); // header, samples, the final line break
}
