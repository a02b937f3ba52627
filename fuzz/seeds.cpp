// fuzz-seeds: writes small valid inputs for every fuzz target, made with the client's own encoders
// from the demonstration plant, into DIR/<target>/seed-<name>.
#include "core/exchange/exchangeframe.h"
#include "core/exchange/liverecord.h"
#include "core/history/chartrecordfile.h"
#include "core/history/historyblock.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/settings/registryformat.h"
#include "demoplant/demoelements.h"
#include "demoplant/demohistory.h"
#include "demoplant/modbusplant.h"
#include "server/demonstrationseed.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>

#include <cstdio>
#include <cstring>

namespace {

using namespace Qt::StringLiterals;
using Seeds = QList<QPair<QString, QByteArray>>;

template <typename Record, typename Encode> QByteArray encoded(const Record &record, Encode encode)
{
    ExchangeBuffer buffer{};
    encode(record, std::span<char>(buffer));
    return QByteArray(buffer.data(), static_cast<qsizetype>(buffer.size()));
}

// A read's buffer as the server answers it: the record at offset 24.
QByteArray reply(const QByteArray &record) { return (QByteArray(ReplyOffset, '\0') + record).left(ExchangeBufferSize); }

UserKeyListPage userKeys()
{
    UserKeyListPage page;
    for (const UserWire &user : demonstrationSeed().users)
        page.keys.append(user.key);
    return page;
}

MaterialListPage materialPage()
{
    MaterialListPage page{MaterialListPage1Code, {}};
    for (const MaterialRecord &material : demonstrationSeed().materials)
        page.entries.append({material.code, material.sifra});
    return page;
}

Seeds serverRecords()
{
    const DemonstrationSeed &seed = demonstrationSeed();
    const QByteArray keys = encoded(userKeys(), encodeUserKeyListPage);
    const QByteArray materials = encoded(materialPage(), encodeMaterialListPage);
    const QByteArray emptyPage = encoded(MaterialListPage{MaterialListPage1Code + 1, {}}, encodeMaterialListPage);
    return {{u"userkeys"_s, keys},
            {u"user"_s, encoded(seed.users.front(), encodeUserWire)},
            {u"materiallist"_s, materials},
            {u"material"_s, encoded(MaterialWire{FirstMaterialCode, seed.materials.front()}, encodeMaterialWire)},
            {u"tank"_s, encoded(seed.tanks[1], encodeTankParamsWire)},
            {u"console"_s,
             encoded(ConsoleScreenWire{ConsoleScreenCodeBase + 74, seed.screens[1]}, encodeConsoleScreenWire)},
            {u"pages"_s, reply(keys) + reply(materials) + reply(emptyPage) + reply(emptyPage)}};
}

QByteArray requestFrame(ExchangeOperation operation, const ExchangeBuffer &buffer)
{
    return encodeRequestFrame({operation, buffer});
}

QByteArray writeFrame(const QByteArray &record)
{
    ExchangeBuffer buffer{};
    std::memcpy(buffer.data(), record.constData(), static_cast<std::size_t>(record.size()));
    return requestFrame(ExchangeOperation::Write, buffer);
}

Seeds requests()
{
    const DemonstrationSeed &seed = demonstrationSeed();
    const auto read = [](qint32 code) { return requestFrame(ExchangeOperation::Read, codeRequest(code)); };
    UserWire newUser = seed.users.back();
    newUser.key = QByteArray(UserKeySize, '\0');
    newUser.password = "NOVI    ";
    const Seeds seeds{
        {u"status"_s, read(StatusRequestCode)},
        {u"userkeys"_s, read(UserKeysPage1Code)},
        {u"user"_s, requestFrame(ExchangeOperation::Read, keyRequest("ADMIN   "))},
        {u"materiallist"_s, read(MaterialListPage1Code)},
        {u"material"_s, read(FirstMaterialCode)},
        {u"tank"_s, read(TankParamsCodeBase + 74)},
        {u"console"_s, read(ConsoleScreenCodeBase + 74)},
        {u"writeuser"_s, writeFrame(encoded(newUser, encodeUserWire))},
        {u"writematerials"_s, writeFrame(encoded(materialPage(), encodeMaterialListPage))},
        {u"writematerial"_s,
         writeFrame(encoded(MaterialWire{FirstMaterialCode, seed.materials.front()}, encodeMaterialWire))},
        {u"writetank"_s, writeFrame(encoded(seed.tanks[1], encodeTankParamsWire))},
        {u"writeconsole"_s,
         writeFrame(encoded(ConsoleScreenWire{ConsoleScreenCodeBase + 74, seed.screens[1]}, encodeConsoleScreenWire))},
    };
    QByteArray all;
    for (const auto &[name, frame] : seeds)
        all += frame;
    return seeds + Seeds{{u"all"_s, all}};
}

Seeds frameStreams()
{
    const QByteArray read = requestFrame(ExchangeOperation::Read, codeRequest(TankParamsCodeBase + 74));
    const QByteArray write = requestFrame(ExchangeOperation::Write, codeRequest(FirstMaterialCode));
    const QByteArray answer = encodeReplyFrame({ExchangeStatus::Success, codeRequest(StatusRequestCode)});
    const QByteArray cuts("\x03\x01\x40\xff", 4);
    return {{u"requests"_s, cuts + read + write + read.left(100)},
            {u"replies"_s, cuts + answer + answer},
            {u"malformed"_s, cuts + read + "\x07" + write}};
}

Seeds elements()
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const PlantMapRecords records = buildPlantMapRecords(plant.tanks);
    QByteArray history;
    for (int i = 0; i < static_cast<int>(TrendHistorySize); ++i) {
        const qint32 value = i * 3;
        history.append(reinterpret_cast<const char *>(&value), sizeof value);
    }
    const auto seed = [&](const DisplayElement &element, const ElementViews &views, qint32 view) {
        return encodeDisplayElement(element) + encodeElementViews(views)
               + QByteArray(reinterpret_cast<const char *>(&view), sizeof view) + history;
    };
    Seeds seeds;
    for (const TankElement part : {TankElement::Level, TankElement::Title, TankElement::Temperature,
                                   TankElement::Volume, TankElement::Remaining, TankElement::Mass}) {
        const std::size_t index = elementIndex(1, part);
        seeds.append({u"tank1-%1"_s.arg(index), seed(records.elements[index], records.views[index], tankView(1))});
    }
    seeds.append({u"clock"_s, seed(records.elements[ClockElement], records.views[ClockElement], OverviewView)});
    DisplayElement bitmap = records.elements[elementIndex(1, TankElement::Title)];
    bitmap.bitmapOn = 1;
    bitmap.bitmapFile = u"b.bmp"_s;
    bitmap.trendOn = 1;
    bitmap.trendPoints = 50;
    ElementViews everywhere;
    everywhere.view.fill(OverviewView);
    seeds.append({u"bitmap-trend"_s, seed(bitmap, everywhere, OverviewView)});
    return seeds;
}

Seeds settingsFiles()
{
    QSettings::SettingsMap map{{u"Forma/IPServer"_s, 16777343},
                               {u"Forma/Port"_s, 7400},
                               {u"Forma/Slika3/Checked"_s, u"true"_s},
                               {u"Izvestaj/Naslov"_s, u"A \"b\"\\c\n"_s}};
    QByteArray written;
    QBuffer device(&written);
    device.open(QIODevice::WriteOnly);
    writeRegistryFile(device, map);
    const QByteArray handMade = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n; comment\r\n"
                                "[hkey_current_user\\Software\\Tervo\\Skladar\\Interval]\r\n"
                                "  \"Trend\"=dword:fffffff6  \r\n\"Naziv\"=\"x\\0y\"\r\n";
    return {{u"written"_s, written}, {u"handmade"_s, handMade}};
}

Seeds valuePatterns()
{
    const double value = 1234.5678;
    const QByteArray number(reinterpret_cast<const char *>(&value), sizeof value);
    Seeds seeds;
    int n = 0;
    for (const char *pattern : {"%.1f m", "%8.2f", "%-9.3e|", "%g", "%.3n t", "%5.4d",
                                "%.0f \xC2\xB0"
                                "C",
                                "100%% %F %x"})
        seeds.append({u"pattern%1"_s.arg(++n), number + pattern});
    return seeds;
}

// The newest blocks of the demonstration history, after the three bytes that choose the chart's
// channels and period.
Seeds histories()
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const QByteArray file = demoHistoryFile(plant.tanks, QDateTime(QDate(2026, 12, 6), QTime(12, 0)));
    const auto choice = [](int level, int temperature, int period) {
        const char bytes[] = {static_cast<char>(level), static_cast<char>(temperature), static_cast<char>(period)};
        return QByteArray(bytes, sizeof bytes);
    };
    const auto blocks = [&](qsizetype count) {
        return file.left(static_cast<qsizetype>(HistoryHeaderSize + count * HistoryBlockSize));
    };
    return {{u"oneblock"_s, choice(demoLevelChannel(1), demoTemperatureChannel(1), 0) + blocks(1)},
            {u"threeblocks"_s, choice(demoLevelChannel(5), demoTemperatureChannel(5), 8) + blocks(3)},
            {u"shortblock"_s, choice(0, 53, 4) + blocks(2).chopped(100)}};
}

// Moments inside, before and after the newest blocks of the demonstration history, with the chart's
// own channels (no shift).
Seeds moments()
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const QByteArray file = demoHistoryFile(plant.tanks, QDateTime(QDate(2026, 12, 6), QTime(12, 0)))
                                .left(static_cast<qsizetype>(HistoryHeaderSize + 3 * HistoryBlockSize));
    const auto moment = [](int day, int month, int year, int hour, int minute) {
        const char bytes[] = {static_cast<char>(day),  static_cast<char>(month),  static_cast<char>(year - 1980),
                              static_cast<char>(hour), static_cast<char>(minute), 0};
        return QByteArray(bytes, sizeof bytes);
    };
    return {{u"inside"_s, moment(6, 12, 2026, 10, 30) + file},
            {u"before"_s, moment(1, 1, 2020, 0, 0) + file},
            {u"after"_s, moment(31, 12, 2030, 23, 59) + file}};
}

Seeds chartRecords()
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    const QByteArray file = encodeChartRecords(demoChartRecords(plant.tanks));
    return {{u"demonstration"_s, file}, {u"short"_s, file.chopped(10)}};
}

Seeds numberTexts()
{
    Seeds seeds;
    int n = 0;
    for (const char *text : {"123", " -45", "$FFFFFFFF", "0x1a", "12,5", "-1.5e-3", "+7", "2147483648", "1a.b"})
        seeds.append({u"text%1"_s.arg(++n), text});
    return seeds;
}

// A channel map, a live record and the newest blocks of the demonstration history, each after the
// byte that chooses it.
Seeds acquisitionInputs()
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    LiveRecord live = LiveRecord::unmapped();
    live.quality[0] = LiveQuality::Good;
    live.quality[1] = LiveQuality::Clamped;
    live.quality[2] = LiveQuality::Stale;
    QByteArray record(static_cast<qsizetype>(LiveRecordLayout::Size), '\0');
    encodeLiveRecord(live, record);
    const QByteArray file = demoHistoryFile(plant.tanks, QDateTime(QDate(2026, 12, 6), QTime(12, 0)))
                                .left(static_cast<qsizetype>(HistoryHeaderSize + 2 * HistoryBlockSize));
    return {{u"channelmap"_s, '\0' + demoChannelMap(DemoPlantPort)},
            {u"liverecord"_s, '\1' + record},
            {u"history"_s, '\2' + file}};
}

bool writeSeeds(const QDir &root, const QString &target, const Seeds &seeds)
{
    if (!root.mkpath(target))
        return false;
    for (const auto &[name, bytes] : seeds) {
        QFile file(root.filePath(target + u"/seed-"_s + name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-seeds DIR\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QList<QPair<QString, Seeds>> targets{
        {u"serverrecords"_s, serverRecords()},   {u"requesthandler"_s, requests()},
        {u"exchangeframe"_s, frameStreams()},    {u"displayelement"_s, elements()},
        {u"registryformat"_s, settingsFiles()},  {u"valueformat"_s, valuePatterns()},
        {u"numberparse"_s, numberTexts()},       {u"history"_s, histories()},
        {u"chartrecord"_s, chartRecords()},      {u"moment"_s, moments()},
        {u"acquisition"_s, acquisitionInputs()},
    };
    for (const auto &[target, seeds] : targets) {
        if (!writeSeeds(root, target, seeds)) {
            std::fprintf(stderr, "fuzz-seeds: cannot write into %s\n", qPrintable(root.filePath(target)));
            return 1;
        }
    }
    return 0;
}
