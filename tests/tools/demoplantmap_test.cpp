// The demonstration plant map: the overview's tanks drawn to scale and apart, the gauge scales, the
// records as written that follow the loading rules, bars in their gauges and the composed views.
#include "demoplant/demoplantmap.h"

#include "core/plant/demonstrationplant.h"
#include "demoplant/demoelements.h"
#include "demoplant/demolayout.h"
#include "main/composepicture.h"
#include "main/liverefresh.h"
#include "main/plantmaploading.h"

#include "tests/support/fixedclock.h"
#include "tests/support/imageink.h"
#include "tests/support/recordingdialogs.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

using namespace Qt::StringLiterals;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every pixel of the area has the colour.
bool filled(const QImage &picture, const QRect &area, WinColour colour)
{
    QImage expected(area.size(), QImage::Format_RGB32);
    expected.fill(toQColor(colour));
    return picture.copy(area).convertToFormat(QImage::Format_RGB32) == expected;
}

class DemoPlantMapTest : public testing::Test
{
protected:
    void SetUp() override
    {
        loadDemonstrationPlant(plant);
        ASSERT_EQ(writePlantMap(dir.path(), plant.tanks), std::nullopt);
        elementBytes = readAll(dir.filePath(ElementFile));
        viewBytes = readAll(dir.filePath(ViewFile));
        ASSERT_EQ(std::pair(elementBytes.size(), viewBytes.size()),
                  std::pair(qsizetype{ElementCount * DisplayElementSize}, qsizetype{ElementCount * ElementViewsSize}));
        for (int k = 0; k < ElementCount; ++k) {
            map.elements[k] = *decodeDisplayElement(std::span(elementBytes).subspan(k * DisplayElementSize));
            map.views[k] = *decodeElementViews(std::span(viewBytes).subspan(k * ElementViewsSize));
        }
    }

    const TankRecord &tank(int slot) const { return plant.tanks.slot(slot); }

    PlantModel plant;
    QTemporaryDir dir;
    QByteArray elementBytes;
    QByteArray viewBytes;
    PlantMapRecords map;
};

TEST_F(DemoPlantMapTest, TanksAreDrawnToOneScaleBetweenTitleAndLegendAndApart)
{
    const auto tanks = overviewTanks(plant.tanks);
    const double scale = tanks[1].shell.width() / tank(1).diameter;
    const QRect free(0, Overview::TitleBand.bottom() + 1, Overview::CollectorX - 4, Overview::Legend.top() - Overview::TitleBand.bottom() - 1);
    for (int slot = 1; slot <= TankCount; ++slot) {
        const OverviewTank &place = tanks[slot];
        const TankRecord &record = tank(slot);
        EXPECT_NEAR(place.shell.width(), record.diameter * scale, 1) << "slot " << slot;
        EXPECT_NEAR(place.levelBar.height(), record.maxLevel * scale, 1) << "slot " << slot;
        EXPECT_TRUE(place.shell.contains(place.levelBar) && free.contains(place.hotSpot)) << "slot " << slot;
        EXPECT_TRUE(place.hotSpot.contains(place.outline()) && place.hotSpot.contains(place.card));
        EXPECT_TRUE(place.card.contains(place.levelText) && place.card.contains(place.temperatureText));
        for (int other = 1; other < slot; ++other)
            EXPECT_FALSE(place.hotSpot.intersects(tanks[other].hotSpot)) << "slots " << slot << " and " << other;
    }
}

// Where every label and tick stands is checked on the written records; here the choice of steps.
TEST(GaugeScale, WholeMetresFillTheSlotAndShortOnesAreLabelledEverySecondOne)
{
    const GaugeScale whole = gaugeScale(8.0);
    EXPECT_EQ(std::tuple(whole.labelStep, whole.barHeight, whole.majorCount), std::tuple(1, TankScreen::GaugeSlot.height(), 9));
    const GaugeScale cut = gaugeScale(12.781);
    EXPECT_EQ(std::tuple(cut.labelStep, cut.topLabel), std::tuple(2, 12));
    EXPECT_LE(cut.barHeight, TankScreen::GaugeSlot.height());
    EXPECT_GE(cut.majorStep, 2 * MinMetrePixels - 4);
}

// The view menu's item k is the first title whose scaledValue is k: one title per tank, naming the
// tank and opening its view; its level and temperature have channels of their own.
TEST_F(DemoPlantMapTest, EachTankHasOneTitleForItsViewAndChannelsOfItsOwn)
{
    std::set<qint32> channels;
    for (int slot = 1; slot <= TankCount; ++slot) {
        std::vector<std::size_t> titles;
        for (std::size_t k = 0; k < map.elements.size(); ++k) {
            const DisplayElement &e = map.elements[k];
            if (e.kind == u"r"_s && (e.tankId == tank(slot).tankId || e.scaledValue == tankView(slot)))
                titles.push_back(k);
            const bool valueOfTank = (e.kind == u"l"_s || e.kind == u"t"_s) && e.tankId == tank(slot).tankId;
            EXPECT_TRUE(!valueOfTank || (e.dataChannel >= 1 && e.dataChannel <= 53 && channels.insert(e.dataChannel).second)) << e.dataChannel;
        }
        ASSERT_EQ(titles.size(), 1u) << slot;
        const DisplayElement &title = map.elements[titles[0]];
        EXPECT_TRUE(title.tankId == tank(slot).tankId && title.scaledValue == tankView(slot) && title.name == tank(slot).name) << slot;
        EXPECT_EQ(map.views[titles[0]].view[0], tankView(slot)) << "a double click opens the tank's view";
    }
    EXPECT_EQ(channels.size(), std::size_t{2 * TankCount});
}

TEST_F(DemoPlantMapTest, TankViewsOwnOnlyTheirTanksScaleLaterRecordsAreAllZeroAndEveryTextFitsItsCapacity)
{
    constexpr std::size_t used = ClockElement + 1;
    EXPECT_EQ(elementBytes.mid(used * DisplayElementSize), QByteArray((ElementCount - used) * DisplayElementSize, '\0'));
    EXPECT_EQ(viewBytes.mid(used * ElementViewsSize), QByteArray((ElementCount - used) * ElementViewsSize, '\0'));
    EXPECT_EQ(encodeElementFile(map), elementBytes);
    for (std::size_t k = 0; k < ClockElement; ++k) {
        const qint32 scaleView = map.views[k].view[ScalePart];
        ASSERT_TRUE(scaleView >= 2 && scaleView <= 16) << "element " << k + 1;
        EXPECT_EQ(map.elements[k].tankId, tank(scaleView - 1).tankId) << "element " << k + 1;
        for (qint32 view : map.views[k].view)
            EXPECT_TRUE(view == 0 || view == OverviewView || view == scaleView) << "element " << k + 1;
    }
    EXPECT_EQ(map.views[ClockElement].view[ScalePart], OverviewView);
}

// Bar 1 spans the overview gauge from 0 to the maximum level, bar 2 the tank screen's gauge, whose
// scale labels stand at their levels.
TEST_F(DemoPlantMapTest, BarsFillExactlyTheGaugesOfTheTwentyFourBitPicturesAndLabelsStandAtTheirLevels)
{
    const QImage overview(dir.filePath(OverviewPictureFile));
    const QImage screen(dir.filePath(TankScreenPictureFile));
    for (const QString &name : {OverviewPictureFile, TankScreenPictureFile})
        EXPECT_EQ(readAll(dir.filePath(name)).at(28), 24) << "bits per pixel";
    for (int slot = 1; slot <= TankCount; ++slot) {
        const DisplayElement &e = map.elements[elementIndex(slot, TankElement::Level)];
        const QRect bar1(e.originX + e.bar1X, e.originY + e.bar1Y, e.bar1Width, e.bar1Height);
        const QRect bar2(e.originX + e.bar2X, e.originY + e.bar2Y, e.bar2Width, e.bar2Height);
        for (const auto &[picture, bar] : {std::pair{&overview, bar1}, std::pair{&screen, bar2}}) {
            EXPECT_TRUE(filled(*picture, bar, DemoPalette::GaugeGlass)) << "slot " << slot;
            EXPECT_TRUE(filled(*picture, QRect(bar.left(), bar.bottom() + 1, bar.width(), 1), DemoPalette::GaugeFrame)) << "0 is the gauge's bottom, slot " << slot;
        }
        EXPECT_TRUE(filled(overview, QRect(bar1.left(), bar1.top() - 1, bar1.width(), 1), DemoPalette::GaugeFrame))
            << "the maximum level is the overview gauge's top, slot " << slot;

        ASSERT_EQ(e.axisY, e.bar2Y);
        std::set<qint32> majors;
        for (int i = 0; i < e.majorCount; ++i) {
            const double label = e.labelStart + i * e.labelStep;
            EXPECT_NEAR(e.majorFirst + i * e.majorStep, e.bar2Height - e.bar2Height * label / e.rangeMax, 0.5) << "slot " << slot << ", label " << label;
            majors.insert(e.majorFirst + i * e.majorStep);
        }
        EXPECT_EQ(e.labelStart + (e.majorCount - 1) * e.labelStep, 0) << "the last label is 0, slot " << slot;
        EXPECT_LE(e.labelStart, e.rangeMax);
        for (int i = 0; i < e.minorCount; ++i) {
            const qint32 y = e.minorFirst + i * e.minorStep;
            EXPECT_TRUE(y >= 0 && y <= e.bar2Height && !majors.contains(y)) << "minor " << y << ", slot " << slot;
        }
    }
}

TEST(DemoPlantMapFolder, ReportsAFolderThatCannotBeMade)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile(dir.filePath(u"plain"_s)).open(QIODevice::WriteOnly));
    const std::optional<QString> error = writePlantMap(dir.filePath(u"plain/map"_s), TankTable{});
    EXPECT_TRUE(error && error->contains(u"plain"_s)) << error.value_or(QString()).toStdString();
}

// The overview as the client shows it: the map loaded from the folder, one value refresh with every
// level at half its maximum, every trend filled, composed once: even the first redraw must place
// every text. How a bar fills is the plant map's own; here every tank's values land on its card.
TEST_F(DemoPlantMapTest, OverviewPutsEveryTanksValuesOnItsCard)
{
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2024, 9, 30), QTime(14, 30))};
    PlantMap loaded;
    EXPECT_EQ(loadPlantMap(loaded, plant, DataFolder(dir.path()), dialogs, QLocale::c()), std::nullopt);
    for (int slot = 1; slot <= TankCount; ++slot)
        for (int sample = 1; sample <= SampleTable::Samples; ++sample) {
            loaded.samples.set(levelChannel(slot), sample, tank(slot).maxLevel * 0.5);
            loaded.samples.set(temperatureChannel(slot), sample, 42);
        }
    refreshValues(loaded, 1, plant.tanks, QLocale::c());
    for (int k = 1; k <= ElementCount; ++k)
        if (nextTrendElement(loaded, k) == k)
            fillTrend(loaded, k, 1);
    ElementDrawingContext context{clock, dialogs, QLocale::c(), {}, DataFolder(dir.path()), loaded.bitmaps};
    QImage picture;
    ComposePicture(picture, loaded, OverviewView, context);
    for (const OverviewTank &place : overviewTanks(plant.tanks)) {
        const QRect values(place.card.center().x(), place.card.top() + 16, place.card.width() / 2, 30);
        EXPECT_LT(qGray(darkest(picture, values).rgb()), 100) << place.card.x() << "," << place.card.y();
    }
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

} // namespace
