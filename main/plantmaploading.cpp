// The plant-map loading, step by step.
#include "main/plantmaploading.h"

#include "core/services/datafolder.h"
#include "core/services/dialogs.h"
#include "core/text/numberformat.h"
#include "core/plant/plantmodel.h"

#include <QFile>

#include <cmath>

namespace {

const QString ReadFailure = QStringLiteral("Greska u citanju fajla.");
constexpr int TextCapacity = 40;

// Reads the first 120 records of the file into table with decode. False when the file exists but
// a record cannot be read whole.
template <typename Table, typename Decode>
bool readRecords(const QString &path, std::size_t recordSize, Table &table, Decode decode, Dialogs &dialogs)
{
    QFile file(path);
    if (!file.exists()) {
        dialogs.message(QStringLiteral("Fajl ne postoji."), QStringLiteral("Greska"));
        return true;
    }
    bool complete = file.open(QIODevice::ReadOnly);
    for (auto &entry : table) {
        const QByteArray record = complete ? file.read(static_cast<qint64>(recordSize)) : QByteArray();
        const auto decoded = decode(std::span<const char>(record.constData(), static_cast<std::size_t>(record.size())));
        if (!decoded) {
            complete = false;
            break;
        }
        entry = *decoded;
    }
    file.close();
    if (!complete)
        dialogs.message(ReadFailure, QStringLiteral("File Error..."));
    return complete;
}

void loadBackgrounds(PlantMap &map, const DataFolder &folder, Dialogs &dialogs)
{
    const auto load = [&](const QString &name) {
        QImage image(folder.filePath(name));
        if (image.isNull())
            dialogs.showMessage(QStringLiteral("Rxx not found"));
        return image;
    };
    map.backgrounds[0] = load(OverviewPictureFile);
    // Every tank screen has the same background; it is read once and reported for each view.
    const QImage tankScreen = load(TankScreenPictureFile);
    for (int view = 2; view <= ViewCount; ++view) {
        if (view > 2 && tankScreen.isNull())
            dialogs.showMessage(QStringLiteral("Rxx not found"));
        map.backgrounds[static_cast<std::size_t>(view - 1)] = tankScreen;
    }
}

// The first element (in file order) of the kind for which matches holds; nullptr when none.
template <typename Match> DisplayElement *firstElement(PlantMap &map, const QString &kind, Match matches)
{
    for (DisplayElement &element : map.elements) {
        if (element.kind == kind && matches(element))
            return &element;
    }
    return nullptr;
}

void setText(DisplayElement &element, std::size_t item, const QString &text)
{
    element.text[item] = text.left(TextCapacity);
}

// Whether the user's rights allow an element of this kind; kinds without a right of their own show.
bool kindAllowed(const QString &kind, const TankRights &rights)
{
    if (kind == u"l")
        return rights.nivo == 1;
    if (kind == u"t")
        return rights.temperatura == 1;
    if (kind == u"m")
        return rights.masa == 1;
    if (kind == u"v" || kind == u"p")
        return rights.zapremina == 1;
    return true;
}

} // namespace

std::optional<QString> loadPlantMap(PlantMap &map, const PlantModel &plant, const DataFolder &folder, Dialogs &dialogs,
                                    const QLocale &locale)
{
    if (!readRecords(folder.filePath(ViewFile), ElementViewsSize, map.views, decodeElementViews, dialogs))
        return ReadFailure;
    loadBackgrounds(map, folder, dialogs);
    if (!readRecords(folder.filePath(ElementFile), DisplayElementSize, map.elements, decodeDisplayElement, dialogs))
        return ReadFailure;
    GenerateSamples(map);
    writeElementTexts(map, plant.tanks, locale);
    applyRights(map, plant.user);
    return std::nullopt;
}

void GenerateSamples(PlantMap &map)
{
    for (int s = 1; s <= SampleTable::Samples; ++s) {
        for (int i = 1; i <= ElementCount; ++i) {
            const DisplayElement &element = map.elements[static_cast<std::size_t>(i - 1)];
            const bool level = element.kind == u"l";
            const bool temperature = element.kind == u"t";
            if (!SampleTable::hasChannel(element.dataChannel) || !(level || temperature))
                continue;
            const int ch = element.dataChannel;
            if (level)
                map.samples.set(ch, s, 6.0 - ch / ((1.0 - std::sin(s / 100.0)) * 2.0 + 10.0));
            else
                map.samples.set(ch, s, (70.0 - ch) + (std::cos(s / 50.0) + i % 5 + s / 100.0 + 5.0));
        }
    }
}

void writeElementTexts(PlantMap &map, const TankTable &tanks, const QLocale &locale)
{
    for (DisplayElement &element : map.elements) {
        if (element.kind == u"p")
            setText(element, 4, QStringLiteral("Preostala zapremina"));
    }
    for (const TankRecord &tank : tanks.records) {
        if (DisplayElement *title
            = firstElement(map, QStringLiteral("r"), [&](const DisplayElement &e) { return e.name == tank.name; })) {
            setText(*title, 1, tank.materialSifra);
            setText(*title, 2, tank.materialKind);
        }
    }
    const auto sameTank
        = [](const TankRecord &tank) { return [&tank](const DisplayElement &e) { return e.tankId == tank.tankId; }; };
    for (const TankRecord &tank : tanks.records) {
        if (DisplayElement *level = firstElement(map, QStringLiteral("l"), sameTank(tank))) {
            setText(*level, 4, FormatFixed(tank.maxLevel, 3, locale) + QStringLiteral(" m"));
            setText(*level, 5, QStringLiteral("Maksimalna visina :"));
        }
    }
    for (const TankRecord &tank : tanks.records) {
        if (DisplayElement *volume = firstElement(map, QStringLiteral("v"), sameTank(tank))) {
            setText(*volume, 0, FormatFixed(tank.maxVolume, 3, locale) + QStringLiteral(" m3"));
            setText(*volume, 1, QStringLiteral("Maksimalna zapremina :"));
        }
    }
}

void applyRights(PlantMap &map, const UserProfile &user)
{
    for (const TankRights &rights : user.rights) {
        for (DisplayElement &element : map.elements) {
            if (element.tankId != rights.tankId)
                continue;
            if (!rights.seesLiveValues()) {
                element.shown = 0;
                if (element.kind == u"r") {
                    element.scaledValue = 0;
                    element.boxHot[0] = 0;
                }
            } else if (!kindAllowed(element.kind, rights)) {
                element.shown = 0;
            }
        }
    }
}

std::array<QString, TankViewItems> viewMenuCaptions(const PlantMap &map)
{
    std::array<QString, TankViewItems> captions;
    for (int k = 2; k <= TankViewItems + 1; ++k) {
        for (const DisplayElement &element : map.elements) {
            if (element.kind == u"r" && element.scaledValue == k) {
                captions[static_cast<std::size_t>(k - 2)] = element.name;
                break;
            }
        }
    }
    return captions;
}
