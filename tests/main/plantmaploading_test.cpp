// Loading the plant map: the record files and their failures, backgrounds, texts, rights and views.
#include "main/plantmaploading.h"

#include "core/services/datafolder.h"
#include "core/plant/plantmodel.h"
#include "core/plant/demonstrationplant.h"
#include "tests/main/plantmapfiles.h"
#include "tests/support/recordingdialogs.h"

#include <gtest/gtest.h>

namespace {

using Call = RecordingDialogs::Call;
using Kind = RecordingDialogs::Kind;

const Call NoFile{Kind::Message, QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska")};
const Call ReadError{Kind::Message, QStringLiteral("Greska u citanju fajla."), QStringLiteral("File Error...")};
const Call NoPicture{Kind::Message, QStringLiteral("Rxx not found"), QStringLiteral("Skladar")};

class PlantMapLoadingTest : public testing::Test
{
protected:
    PlantMapLoadingTest() { loadDemonstrationPlant(plant); }

    // Konfig.rez of records numbered from view 1.
    void writeNumberedViews(int records)
    {
        QList<ElementViews> views;
        for (int k = 1; k <= records; ++k)
            views.append(ElementViews{{k}});
        writeRecords(dir, "Konfig.rez", views, encodeElementViews, records);
    }

    std::optional<QString> load() { return loadPlantMap(map, plant, DataFolder(dir.path()), dialogs, QLocale::c()); }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    PlantModel plant;
    PlantMap map;
};

} // namespace

TEST_F(PlantMapLoadingTest, MissingFilesAreReportedAndTheLoadGoesOn)
{
    EXPECT_EQ(load(), std::nullopt);
    QList<Call> expected{NoFile};
    for (int view = 1; view <= 25; ++view)
        expected << NoPicture; // Skladar.bmp once, Rxx.bmp for each of the 24 tank views
    expected << NoFile;
    EXPECT_EQ(dialogs.calls, expected);
    EXPECT_EQ(map.views[0], ElementViews{});
}

TEST_F(PlantMapLoadingTest, AnElementFileOfFewerThan120RecordsEndsTheLoad)
{
    writePictures(dir);
    writeNumberedViews(119);
    EXPECT_EQ(load(), QStringLiteral("Greska u citanju fajla."));
    EXPECT_EQ(dialogs.calls, QList<Call>{ReadError}) << "the load stops before the pictures";
    EXPECT_EQ(map.views[118].view[0], 119) << "records read before the failure stay";

    writeNumberedViews(121);
    writeDataFile(dir, QStringLiteral("Bgd.rez"), encodeDisplayElement(DisplayElement{}).left(1487));
    dialogs.calls.clear();
    EXPECT_EQ(load(), QStringLiteral("Greska u citanju fajla."));
    EXPECT_EQ(map.views[119].view[0], 120);
    EXPECT_EQ(dialogs.calls, QList<Call>{ReadError});
}

TEST_F(PlantMapLoadingTest, TextsFromThePlantGoToTheFirstMatchingElements)
{
    writePictures(dir);
    writeNumberedViews(120);
    writeRecords<DisplayElement>(dir, "Bgd.rez", {{.kind = QStringLiteral("p")},
                                                  {.name = QStringLiteral("R 78"), .kind = QStringLiteral("r")},
                                                  {.kind = QStringLiteral("l"), .tankId = 75},
                                                  {.kind = QStringLiteral("l"), .tankId = 75},
                                                  {.kind = QStringLiteral("v"), .tankId = 97}}, encodeDisplayElement);
    ASSERT_EQ(load(), std::nullopt);
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(map.elements[0].text[4], QStringLiteral("Preostala zapremina"));
    EXPECT_EQ(map.elements[1].text[1], QStringLiteral("RBD SU"));
    EXPECT_EQ(map.elements[1].text[2], QStringLiteral("Jestivo suncokretovo ulje"));
    EXPECT_EQ(map.elements[2].text[4], QStringLiteral("10.375 m"));
    EXPECT_TRUE(map.elements[3].text[4].isEmpty()) << "only the first level element of a tank";
    EXPECT_EQ(map.elements[4].text[0], QStringLiteral("98.545 m3"));
    EXPECT_FALSE(map.backgrounds[0].isNull() || map.backgrounds[24].isNull());
}

TEST(PlantMapRights, ElementsOfMissingRightsAreHidden)
{
    PlantMap map;
    const char16_t *kinds[] = {u"l", u"t", u"m", u"v", u"p", u"r"};
    for (std::size_t i = 0; i < std::size(kinds); ++i)
        for (const std::size_t k : {i, 10 + i}) {
            const int tank = k < 10 ? 74 : 75;
            map.elements[k] = {.shown = 1, .scaledValue = tank - 69, .name = QStringLiteral("R %1").arg(tank),
                               .kind = QString::fromUtf16(kinds[i]), .tankId = tank};
            map.elements[k].boxHot[0] = 1;
        }
    // View 16: a level element ahead of its title; view 5: a second title after the first.
    map.elements[6] = {.scaledValue = 16, .name = QStringLiteral("nivo"), .kind = QStringLiteral("l"), .tankId = 74};
    map.elements[7] = {.scaledValue = 16, .name = QStringLiteral("R 97"), .kind = QStringLiteral("r"), .tankId = 74};
    map.elements[20] = {.scaledValue = 5, .name = QStringLiteral("drugi"), .kind = QStringLiteral("r"), .tankId = 74};
    UserProfile user;
    user.rights[1] = {74, 0, 1, 0, 1, 0}; // temperature and volume
    user.rights[2] = {75, 0, 0, 0, 0, 1}; // history only
    applyRights(map, user);

    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        EXPECT_EQ(map.elements[i].shown, i == 0 || i == 2 ? 0 : 1) << "level and mass need their rights";
        EXPECT_EQ(map.elements[10 + i].shown, 0) << i;
    }
    EXPECT_EQ(map.elements[15].scaledValue, 0) << "a tank without live rights loses its view";
    EXPECT_EQ(map.elements[15].boxHot[0], 0);
    const auto captions = viewMenuCaptions(map);
    EXPECT_EQ(captions[3], QStringLiteral("R 74")) << "the first title of view 5 names its item";
    EXPECT_EQ(captions[4], QString()) << "view 6 has no item any more";
    EXPECT_EQ(captions[14], QStringLiteral("R 97")) << "only title elements name views";
}
