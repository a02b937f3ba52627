// The demonstration plant map as written: records that follow the loading rules, bars in their
// gauges and the composed views.
#include "tools/demoplantmap.h"

#include "core/plant/demonstrationplant.h"
#include "tools/demoelements.h"
#include "tools/demolayout.h"
#include "main/composepicture.h"
#include "main/liverefresh.h"
#include "main/plantmaploading.h"

#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

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
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixel(x, y) != toQColor(colour).rgb())
                return false;
    return true;
}

// The smallest rectangle holding the pixels of the area darker than mid grey: the cores of the
// dark texts drawn there.
QRect darkInk(const QImage &picture, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(picture.pixel(x, y)) < 100)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect bar1(const DisplayElement &e)
{
    return QRect(e.originX + e.bar1X, e.originY + e.bar1Y, e.bar1Width, e.bar1Height);
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
        ASSERT_EQ(elementBytes.size(), qsizetype{ElementCount} * qsizetype{DisplayElementSize});
        ASSERT_EQ(viewBytes.size(), qsizetype{ElementCount} * qsizetype{ElementViewsSize});
        for (int k = 0; k < ElementCount; ++k) {
            map.elements[k] = *decodeDisplayElement(std::span(elementBytes).subspan(k * DisplayElementSize));
            map.views[k] = *decodeElementViews(std::span(viewBytes).subspan(k * ElementViewsSize));
        }
    }

    const TankRecord &tank(int slot) const { return plant.tanks.slot(slot); }

    // The first element of the kind that matches, in file order, as the login finds it.
    template <typename Match>
    std::optional<std::size_t> first(const QString &kind, Match match) const
    {
        for (std::size_t k = 0; k < map.elements.size(); ++k)
            if (map.elements[k].kind == kind && match(map.elements[k]))
                return k;
        return std::nullopt;
    }

    PlantModel plant;
    QTemporaryDir dir;
    QByteArray elementBytes;
    QByteArray viewBytes;
    PlantMapRecords map;
};

TEST_F(DemoPlantMapTest, RecordsAfterTheTanksAreAllZeroAndEveryTextFitsItsCapacity)
{
    constexpr std::size_t used = ClockElement + 1;
    EXPECT_EQ(elementBytes.mid(used * DisplayElementSize), QByteArray((ElementCount - used) * DisplayElementSize, '\0'));
    EXPECT_EQ(viewBytes.mid(used * ElementViewsSize), QByteArray((ElementCount - used) * ElementViewsSize, '\0'));
    for (std::size_t k = 0; k < used; ++k)
        EXPECT_EQ(map.elements[k].shown, 1) << "element " << k + 1;
    EXPECT_EQ(encodeElementFile(map), elementBytes);
}

// One title per tank names the tank's view; its level and temperature have channels of their own.
TEST_F(DemoPlantMapTest, EachTankHasOneTitleForItsViewAndChannelsOfItsOwn)
{
    std::set<qint32> channels;
    for (int slot = 1; slot <= TankCount; ++slot) {
        const auto ofTank = [&](const DisplayElement &e) { return e.tankId == tank(slot).tankId; };
        const auto titles = std::count_if(map.elements.begin(), map.elements.end(),
                                          [&](const DisplayElement &e) { return e.kind == u"r"_s && ofTank(e); });
        EXPECT_EQ(titles, 1) << slot;
        // The view menu: item k is the first title whose scaledValue is k.
        const auto item = first(u"r"_s, [&](const DisplayElement &e) { return e.scaledValue == tankView(slot); });
        ASSERT_TRUE(item);
        EXPECT_TRUE(ofTank(map.elements[*item]) && map.elements[*item].name == tank(slot).name) << slot;
        EXPECT_EQ(map.views[*item].view[0], tankView(slot)) << "a double click opens the tank's view";
        EXPECT_TRUE(map.elements[*item].boxHot[0] != 0 && map.elements[*item].boxFill[0] == 0);
        EXPECT_EQ(map.views[*item].view[FirstBoxPart], OverviewView);

        for (const QString &kind : {u"l"_s, u"t"_s}) {
            const qint32 channel = map.elements[*first(kind, ofTank)].dataChannel;
            EXPECT_TRUE(channel >= 1 && channel <= 53) << channel;
            EXPECT_TRUE(channels.insert(channel).second) << "channel " << channel << " twice";
        }
        const DisplayElement &level = map.elements[*first(u"l"_s, ofTank)];
        EXPECT_EQ(std::pair(level.rangeMin, level.rangeMax), std::pair(0.0, tank(slot).maxLevel)) << slot;
        for (const QString &kind : {u"v"_s, u"p"_s, u"m"_s})
            EXPECT_EQ(map.elements[*first(kind, ofTank)].dataChannel, 0);
    }
}

TEST_F(DemoPlantMapTest, TankViewsOwnOnlyTheirTanksScale)
{
    for (std::size_t k = 0; k < ClockElement; ++k) {
        const qint32 scaleView = map.views[k].view[ScalePart];
        ASSERT_TRUE(scaleView >= 2 && scaleView <= 16) << "element " << k + 1;
        EXPECT_EQ(map.elements[k].tankId, tank(scaleView - 1).tankId) << "element " << k + 1;
        for (qint32 view : map.views[k].view)
            EXPECT_TRUE(view == 0 || view == OverviewView || view == scaleView) << "element " << k + 1;
    }
    EXPECT_EQ(map.views[ClockElement].view[ScalePart], OverviewView);
}

TEST_F(DemoPlantMapTest, BarsFillExactlyTheGaugesOfTheTwentyFourBitPictures)
{
    const QImage overview(dir.filePath(OverviewPictureFile));
    const QImage screen(dir.filePath(TankScreenPictureFile));
    for (const QString &name : {OverviewPictureFile, TankScreenPictureFile})
        EXPECT_EQ(readAll(dir.filePath(name)).at(28), 24) << "bits per pixel";
    EXPECT_EQ(overview.size(), QSize(MapWidth, MapHeight));
    EXPECT_EQ(screen.size(), QSize(MapWidth, MapHeight));
    for (int slot = 1; slot <= TankCount; ++slot) {
        const DisplayElement &e = map.elements[elementIndex(slot, TankElement::Level)];
        const QRect bar2(e.originX + e.bar2X, e.originY + e.bar2Y, e.bar2Width, e.bar2Height);
        for (const auto &[picture, bar] : {std::pair{&overview, bar1(e)}, std::pair{&screen, bar2}}) {
            EXPECT_TRUE(filled(*picture, bar, DemoPalette::GaugeGlass)) << "slot " << slot;
            const QRect belowBar(bar.left(), bar.bottom() + 1, bar.width(), 1);
            EXPECT_TRUE(filled(*picture, belowBar, DemoPalette::GaugeFrame)) << "0 is the gauge's bottom, slot " << slot;
        }
        EXPECT_TRUE(filled(overview, QRect(bar1(e).topLeft() - QPoint(0, 1), QSize(bar1(e).width(), 1)), DemoPalette::GaugeFrame))
            << "the maximum level is the overview gauge's top, slot " << slot;
    }
}

TEST_F(DemoPlantMapTest, ScaleLabelsStandAtTheirLevels)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        const DisplayElement &e = map.elements[elementIndex(slot, TankElement::Level)];
        ASSERT_EQ(e.axisY, e.bar2Y);
        std::set<qint32> majors;
        for (int i = 0; i < e.majorCount; ++i) {
            const qint32 y = e.majorFirst + i * e.majorStep;
            const double label = e.labelStart + i * e.labelStep;
            EXPECT_NEAR(y, e.bar2Height - e.bar2Height * label / e.rangeMax, 0.5) << "slot " << slot << ", label " << label;
            majors.insert(y);
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
    QFile blocker(dir.filePath(u"plain"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const std::optional<QString> error = writePlantMap(dir.filePath(u"plain/map"_s), TankTable{});
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(u"plain"_s)) << error->toStdString();
}

// The views as the client shows them: the map loaded from the folder, one value refresh with every
// level at a share of its maximum, every trend filled, composed once: even the first redraw must
// place every text.
class DemoViewTest : public DemoPlantMapTest
{
protected:
    QImage compose(qint32 view, double levelShare)
    {
        EXPECT_EQ(loadPlantMap(loaded, plant, DataFolder(dir.path()), dialogs, QLocale::c()), std::nullopt);
        for (int slot = 1; slot <= TankCount; ++slot)
            for (int sample = 1; sample <= SampleTable::Samples; ++sample) {
                loaded.samples.set(levelChannel(slot), sample, tank(slot).maxLevel * levelShare);
                loaded.samples.set(temperatureChannel(slot), sample, 42);
            }
        refreshValues(loaded, 1, plant.tanks, QLocale::c());
        for (int k = 1; k <= ElementCount; ++k)
            if (nextTrendElement(loaded, k) == k)
                fillTrend(loaded, k, 1);
        QImage picture;
        ComposePicture(picture, loaded, view, context);
        return picture;
    }

    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2024, 9, 30), QTime(14, 30))};
    PlantMap loaded;
    ElementDrawingContext context{clock, dialogs, QLocale::c(), {}, DataFolder(dir.path()), loaded.bitmaps};
};

// How a bar fills is the plant map's own; here the demonstration's texts land on their cards.
TEST_F(DemoViewTest, OverviewPutsTheValuesOnTheCardsAndTheDateInItsPanel)
{
    const QImage picture = compose(OverviewView, 0.5);
    const OverviewTank place = overviewTanks(plant.tanks).front();
    const QRect valueLine(place.card.center().x(), place.card.top() + 16, place.card.width() / 2, 30);
    EXPECT_FALSE(darkInk(picture, valueLine).isNull()) << "level and temperature on the card";
    EXPECT_FALSE(darkInk(picture, Overview::DatePanel.adjusted(2, 2, -2, -2)).isNull()) << "the date line";
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(DemoViewTest, TankScreenPutsTheLampNameAndTimeLabelsInTheirPlaces)
{
    const QImage picture = compose(tankView(1), 0.6);
    const QRect plate = TankScreen::Nameplate;
    const QRect name = darkInk(picture, plate.adjusted(-8, -10, 8, 14));
    EXPECT_TRUE(plate.contains(name)) << "lamp and name on the nameplate";
    EXPECT_GT(name.right(), TankScreen::LampCentre.x() + TankScreen::LampRadius + 10) << "the name beside its lamp";
    const QRect chart = TankScreen::Chart;
    const int frameBottom = chart.top() + chart.height() + 1; // below the last grid line
    // Left of the chart's right edge, where the picture's own "sada" stands.
    const QRect below(chart.left(), frameBottom + 1, chart.width() - 20, TankScreen::TimeLabelBottom - frameBottom + 6);
    const QRect labels = darkInk(picture, below);
    EXPECT_TRUE(!labels.isNull() && labels.bottom() <= TankScreen::TimeLabelBottom) << "the time labels under the chart";
    // Centred under the grid lines of 8 and 2 hours ago.
    const int halfLabel = TankScreen::TimeLabelWidth / 2 + 2;
    EXPECT_GE(labels.left(), chart.left() + TankScreen::ChartHourStep - halfLabel);
    EXPECT_LE(labels.right(), chart.right() + 1 - TankScreen::ChartHourStep + halfLabel);
    const QRect mass = TankScreen::valueBox(TankScreen::ValueRow::Mass);
    EXPECT_TRUE(mass.contains(darkInk(picture, mass.adjusted(-8, -4, 12, 4)))) << "the mass in its box";
}

} // namespace
