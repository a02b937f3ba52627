// The chart window and the chart parameters window driven through their menus, panels, grid,
// scroll bar and mouse over the demonstration plant and its history of 8641 samples.
#include "core/history/chartrecordfile.h"
#include "core/history/historycsv.h"
#include "core/history/trendratio.h"
#include "core/history/trendseries.h"
#include "core/plant/demonstrationplant.h"
#include "core/services/tw.h"
#include "demoplant/demohistory.h"
#include "tests/support/fixedclock.h"
#include "tests/support/namedcases.h"
#include "tests/support/pdfpages.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/widgetdriving.h"
#include "trend/chartgeometry.h"
#include "trend/chartparameterswindow.h"
#include "trend/charttoolicons.h"
#include "trend/chartwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Kind = RecordingDialogs::Kind;
using Calls = QList<RecordingDialogs::Call>;
const QString Forma = QStringLiteral("Forma"), LastRez = QStringLiteral("LastRez");

class ChartWindowTest : public testing::Test
{
protected:
    ChartWindowTest()
    {
        loadDemonstrationPlant(plant);
        EXPECT_EQ(writeDemoHistory(dir.path(), plant.tanks, clock.now()), std::nullopt);
    }

    void createWindow() { window = std::make_unique<ChartWindow>(plant, ChartWindowServices{folder, dialogs, clock, w, QLocale::c()}); }
    qint32 setting(const QString &name) const
    {
        qint32 value = -1;
        w.ReadInteger(Forma, name, value);
        return value;
    }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
    FixedClock clock{QDateTime(QDate(2024, 5, 6), QTime(7, 8))};
    RecordingDialogs dialogs;
    SettingsStore store{dir.filePath(QStringLiteral("settings.reg"))};
    Tw w{store, dialogs, clock, QLocale::c()};
    PlantModel plant;
    std::unique_ptr<ChartWindow> window;
};

struct FirstDisplayCase
{
    const char *name;
    std::vector<int> historySlots; // the slots whose history the user may see
    int lastSlot;                  // Forma\LastRez when the window first shows
    int shownSlot, samples;
    const char *missingFile;
    Calls reports;
};

class FirstDisplayTest : public ChartWindowTest, public testing::WithParamInterface<FirstDisplayCase>
{
};

const std::vector<int> EverySlot{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
const FirstDisplayCase FirstDisplayCases[] = {
    {"TheLastSlot", {1, 2, 3}, 2, 2, DemoSampleCount, "", {}},
    {"TheFirstPermittedWhenTheLastIsRefused", {4, 9}, 1, 4, DemoSampleCount, "", {}},
    {"NothingWithoutAnyHistoryRight", {}, 1, 0, 0, "", {}},
    {"MissingHistory", EverySlot, 1, 1, 0, "REPORT.STG", {{Kind::Error, QStringLiteral("Fajl REPORT.STG ne postoji."), QStringLiteral("Skladar")}}},
    // Without chart settings every scale is empty and both channels are channel 0.
    {"MissingChartSettings", EverySlot, 1, 1, DemoSampleCount, "Report.rez", {{Kind::Message, QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska")}}},
};

TEST_P(FirstDisplayTest, ShowsOnlyPermittedHistory)
{
    const FirstDisplayCase &c = GetParam();
    for (int slot = 1; slot <= TankCount; ++slot)
        plant.user.rights[slot].istorija = std::ranges::count(c.historySlots, slot) == 1 ? 1 : 0;
    QFile::remove(dir.filePath(QLatin1String(c.missingFile)));
    ASSERT_TRUE(writeTrendRatio(store, 3, TrendRatio{4, 1}).ok());
    createWindow(); // resets every ratio and the last slot
    EXPECT_EQ(readTrendRatio(store, 3), TrendRatio{});
    EXPECT_EQ(setting(LastRez), 1);
    ASSERT_TRUE(w.WriteInteger(Forma, LastRez, c.lastSlot).ok());
    window->show();
    EXPECT_EQ(window->selectedSlot(), c.shownSlot);
    EXPECT_EQ(window->series().sampleCount, c.samples);
    EXPECT_EQ(setting(LastRez), c.shownSlot != 0 ? c.shownSlot : c.lastSlot);
    const QScrollBar *scrollBar = child<QScrollBar>(*window, "ScrollBar1"); // on the newest 577 positions
    EXPECT_EQ((ChartScrollRange{scrollBar->minimum(), scrollBar->maximum(), scrollBar->value()}), chartScrollRange(c.samples, 1));
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(child<QAction>(*window, QByteArray("rr" + QByteArray::number(slot)).constData())->isVisible(),
                  std::ranges::count(c.historySlots, slot) == 1) << slot;
    EXPECT_EQ(dialogs.calls, c.reports);
    if (c.historySlots.size() < EverySlot.size()) {
        window->selectSlot(5); // refused like its hidden menu entry
        EXPECT_EQ(window->selectedSlot(), c.shownSlot);
    }
}
INSTANTIATE_TEST_SUITE_P(ChartWindow, FirstDisplayTest, testing::ValuesIn(FirstDisplayCases), caseName<FirstDisplayCase>);

TEST_F(ChartWindowTest, PeriodChooserStoresTheChoiceReloadsOnEnterAndEscClosesItThenTheWindow)
{
    createWindow();
    window->show();
    window->selectSlot(5);
    auto *list = child<QComboBox>(*window, "ComboBox1");
    auto *panel = child<QWidget>(*window, "Panel1");
    child<QAction>(*window, "Interval1")->trigger();
    EXPECT_EQ(list->currentIndex(), 5); // 1/1
    window->ComboBox1Change(8); // "   mesec", stored before "OK"
    EXPECT_EQ(readTrendRatio(store, 5), (TrendRatio{1, 7}));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(panel->isVisible()) << "OK pressed";
    EXPECT_EQ(window->series().sampleCount, 1234); // round(8641 / 7)
    list->setCurrentIndex(0);
    child<QAction>(*window, "Interval1")->trigger();
    EXPECT_EQ(list->currentIndex(), 8);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ChartWindowTest, ARightDragScrollsBackOneSamplePerPixelAndThePrintedPageShowsTheCurvesAndADottedCrossHair)
{
    createWindow();
    window->show();
    child<QScrollBar>(*window, "ScrollBar1")->setValue(5000);
    QWidget *chart = child<QWidget>(*window, "Chart");
    QTest::mousePress(chart, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
    QMouseEvent drag(QEvent::MouseMove, QPointF(350, 300), chart->mapToGlobal(QPointF(350, 300)), Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &drag);
    EXPECT_EQ(child<QScrollBar>(*window, "ScrollBar1")->value(), 4950); // 50 pixels right: 50 samples back
    EXPECT_EQ(window->readOut().mouse, QPoint(350, 300));
    QTest::mouseRelease(chart, Qt::RightButton, Qt::NoModifier, QPoint(350, 300));

    QMouseEvent move(QEvent::MouseMove, QPointF(400, 275), chart->mapToGlobal(QPointF(400, 275)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move); // the read-out and cross-hair go onto the page
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    dialogs.printerAnswers = {true};
    dialogs.choosePrinterSettings = [&pdf](QPrinter &printer) { printer.setOutputFileName(pdf); };
    child<QToolButton>(*window, "SpeedButton4")->click();

    const QList<QImage> pages = pdfPages(pdf, 100);
    ASSERT_EQ(pages.size(), 1);
    const QImage &page = pages.front();
    ASSERT_GT(page.width(), page.height()); // landscape
    // The plot's frame unbroken: its top and bottom across 576 of the 800 design columns, its sides
    // across 450 of the 600 design rows; the cross-hair's lines are dotted, so they are not long.
    EXPECT_EQ(longLines(page, page.width() * 576 / 800 * 9 / 10, false).size(), 2);
    EXPECT_EQ(longLines(page, page.height() * 450 / 600 * 8 / 10, true).size(), 2);
    EXPECT_LT(QFileInfo(pdf).size(), 1000000); // lines, not a dot per pixel
    int colouredColumns = 0; // the curves: clearly coloured ink, where frame, grid and texts are grey
    for (int x = page.width() / 5; x < page.width() * 4 / 5; ++x)
        for (int y = page.height() / 5; y < page.height() * 4 / 5; ++y) {
            const QColor c = page.pixelColor(x, y);
            if (c.saturation() > 100 && c.value() < 240 && ++colouredColumns)
                break;
        }
    EXPECT_GT(colouredColumns, page.width() * 3 / 5 * 9 / 10);
}

constexpr int Tank80 = 4; // list index of "Rezervoar 80"
constexpr int Slot80 = 5;

class ChartParametersTest : public ChartWindowTest
{
protected:
    ChartParametersTest()
    {
        parameters.setReadFile(read);
        parameters.show();
    }
    QTableWidget *grid() const { return child<QTableWidget>(parameters, "StringGrid1"); }
    void chooseTank(int index) const { child<QComboBox>(parameters, "ComboBox1")->setCurrentIndex(index); }
    // A quantity's button in "Leva" (RadioGroup1) or "Desna" (RadioGroup2).
    QRadioButton *radio(const char *group, Quantity quantity) const { return child<QWidget>(parameters, group)->findChildren<QRadioButton *>().at(static_cast<int>(quantity)); }
    // The value typed into a cell's field, then "OK" clicked or Enter pressed.
    void edit(int row, int column, const QString &text, bool enter = false)
    {
        grid()->setCurrentCell(row, column);
        parameters.StringGrid1DblClick(row, column);
        auto *value = child<QLineEdit>(parameters, "Edit1");
        value->setText(text);
        if (enter)
            QTest::keyClick(value, Qt::Key_Return);
        else
            child<QPushButton>(parameters, "Button2")->click();
    }

    ChartRecordsRead read = readChartRecords(folder);
    TankChartRecords records = read.records;
    ChartParametersWindow parameters{records, folder, dialogs, w};
};

TEST_F(ChartParametersTest, AnEditStoresTheParsedNumberOnOkOrEnterAndWarnsOfAnythingElse)
{
    chooseTank(Tank80);
    const struct { const char *name; int row, column; const char *typed; qint32 stored; int warnings; bool enter; } cases[] = {
        {"Minimum", 1, 1, "250", 250, 0, false}, {"MaximumWithALetterIsZero", 3, 2, "12a", 0, 1, false},
        {"WidthAfterABlank", 4, 3, " 3", 3, 1, false}, {"MaximumOnEnter", 1, 2, "258", 258, 0, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.calls.clear();
        edit(c.row, c.column, QLatin1String(c.typed), c.enter);
        EXPECT_FALSE(child<QLineEdit>(parameters, "Edit1")->isEnabled());
        const ChartSettings &settings = records[Slot80].settings(AllQuantities[static_cast<std::size_t>(c.row - 1)]);
        const std::array<qint32, 3> fields{settings.scaleMin, settings.scaleMax, settings.lineWidth};
        EXPECT_EQ(fields[static_cast<std::size_t>(c.column - 1)], c.stored);
        EXPECT_EQ(grid()->item(c.row, c.column)->text(), QString::number(c.stored));
        EXPECT_EQ(dialogs.calls, Calls(c.warnings, {Kind::Message, QStringLiteral("Neispravno unesen broj"), QStringLiteral("Integer error")}));
    }
    QTest::keyClick(grid(), Qt::Key_Return); // nothing to apply, and no save either
    EXPECT_EQ(dialogs.calls, Calls{});
    QTest::keyClick(grid(), Qt::Key_Escape);
    EXPECT_FALSE(parameters.isVisible());
}

TEST_F(ChartParametersTest, OneQuantityPerAxisAndTheColourDialogOnceATankIsChosen)
{
    parameters.StringGrid1DblClick(2, 0); // no tank yet: no dialog, no crash
    radio("RadioGroup1", Quantity::Volume)->click();
    chooseTank(Tank80);
    parameters.StringGrid1DblClick(0, 1); // the header row
    EXPECT_FALSE(child<QLineEdit>(parameters, "Edit1")->isEnabled());
    radio("RadioGroup2", Quantity::Mass)->click();
    radio("RadioGroup1", Quantity::Mass)->click(); // the group clicked last decides
    for (const Quantity quantity : AllQuantities)
        EXPECT_EQ(records[Slot80].settings(quantity).axisSide, quantity == Quantity::Mass ? 1 : 0);
    records[Slot80].temperature.curveColour = 0x0000FF;
    dialogs.colourAnswers = {QColor(1, 2, 3)};
    parameters.StringGrid1DblClick(2, 0);
    EXPECT_EQ(dialogs.calls, (Calls{{Kind::Colour, QStringLiteral("#ff0000"), QString()}}));
    EXPECT_EQ(records[Slot80].temperature.curveColour, 0x030201u);
    parameters.hide();
    parameters.show(); // reopened without a tank, the grid is empty
    for (int row = 1; row <= QuantityCount; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(grid()->item(row, column)->text(), QString()) << row << ", " << column;
}

TEST_F(ChartParametersTest, SavingWritesOnlyTheEditedFieldAndNeverOverAFileChangedMissingOrUnread)
{
    const QString path = dir.filePath(ChartRecordFileName);
    const auto contents = [&path] { QFile file(path); return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(); };
    QByteArray expected = contents();
    chooseTank(Tank80);
    edit(1, 2, QStringLiteral("258")); // the level's maximum: bytes 208..211 of the fifth record
    expected.replace(4 * 504 + 208, 4, QByteArray("\x02\x01\x00\x00", 4));
    child<QPushButton>(parameters, "Button1")->click();
    EXPECT_EQ(dialogs.calls.back().text, QStringLiteral("Konfiguracija je snimljena."));
    EXPECT_EQ(contents(), expected);

    dialogs.calls.clear();
    const QByteArray changed = expected.left(504 * 3); // another program shortened it
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(changed) == changed.size());
    }
    child<QPushButton>(parameters, "Button1")->click();
    ChartRecordsRead missing;
    missing.usable = true;
    parameters.setReadFile(missing);
    child<QPushButton>(parameters, "Button1")->click();
    EXPECT_EQ(dialogs.calls, (Calls{{Kind::Message, QStringLiteral("Fajl Report.rez je promenjen posle citanja, konfiguracija nije snimljena."), QStringLiteral("Greska")},
                                    {Kind::Message, QStringLiteral("Fajl Report.rez nije postojao pri citanju, konfiguracija nije snimljena."), QStringLiteral("Greska")}}));
    EXPECT_EQ(contents(), changed);

    dialogs.calls.clear();
    parameters.setReadFile(ChartRecordsRead{}); // after a read that stopped inside the file
    child<QPushButton>(parameters, "Button1")->click();
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    parameters.setReadFile(read);
    child<QPushButton>(parameters, "Button1")->click();
    ASSERT_EQ(dialogs.calls.size(), 2);
    for (const RecordingDialogs::Call &call : dialogs.calls)
        EXPECT_TRUE(call.text.contains(QStringLiteral("nije snimljena"))) << call.text.toStdString();
}

// The CSV's lines after its header: date and time of each, in file order.
QStringList csvMoments(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), HistoryCsvHeader);
    QStringList moments;
    for (const QString &line : lines.mid(1))
        moments.append(line.section(QLatin1Char(','), 1, 2));
    return moments;
}

TEST_F(ChartWindowTest, TheCsvExportHoldsTheFilesOwnSamplesOfTheVisibleRangeWhateverThePeriod)
{
    createWindow();
    window->show();
    // 577 plot columns: at 12/1 each sample fills twelve of them, at 1/7 each shows every seventh.
    const struct { const char *name; int period, lines; } cases[] = {{"EightHours", 0, 49}, {"Month", 8, 4033}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        window->ComboBox1Change(c.period);
        window->Button1Click();
        const QString path = dir.filePath(QLatin1String(c.name) + QStringLiteral(".csv"));
        dialogs.calls.clear();
        dialogs.saveFileAnswers = {path};
        child<QAction>(*window, "Csv1")->trigger();
        const QStringList moments = csvMoments(path);
        EXPECT_EQ(moments.size(), c.lines) << "each sample once";
        const QDateTime newest = QDateTime::fromString(moments.value(moments.size() - 1), QStringLiteral("yyyy-MM-dd,HH:mm"));
        const QDateTime oldest = QDateTime::fromString(moments.value(0), QStringLiteral("yyyy-MM-dd,HH:mm"));
        EXPECT_EQ(oldest.secsTo(newest), 600LL * (c.lines - 1)) << "oldest first, every ten-minute sample between";
        EXPECT_EQ(dialogs.calls.back(), (RecordingDialogs::Call{Kind::Message, QStringLiteral("Istorija je izvezena u fajl %1.").arg(QDir::toNativeSeparators(path)), QStringLiteral("Skladar")}));
    }
}

TEST_F(ChartWindowTest, TanksPastTheEndOfAShortChartFileShowNoQuantities)
{
    QFile file(dir.filePath(ChartRecordFileName));
    ASSERT_TRUE(file.resize(504 * 4)); // the records of slots 1..4 only
    createWindow();
    window->show();
    window->selectSlot(4);
    EXPECT_EQ(window->series().sampleCount, DemoSampleCount);
    window->selectSlot(5);
    EXPECT_EQ(window->series().sampleCount, 0);
    EXPECT_EQ(window->readOut().values, (std::array<QString, QuantityCount>{}));
}

} // namespace
