// skladar-plant-sim: the demonstration plant's instruments over Modbus TCP on loopback, moving on
// from the last sample of the demonstration history.
#include "core/history/historyfile.h"
#include "core/plant/demonstrationplant.h"
#include "core/program/commandline.h"
#include "core/services/datafolder.h"
#include "demoplant/demohistory.h"
#include "demoplant/modbusplant.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTextStream>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <optional>
#include <thread>

namespace {

using namespace Qt::StringLiterals;

constexpr auto Step = std::chrono::seconds(1);

std::atomic<bool> stopping = false;

void requestStop(int) { stopping = true; }

// The newest sample of the history in folder: the base or last delta sample of its first block.
std::optional<HistorySample> newestSample(const QString &folder)
{
    HistoryFile file{DataFolder(folder)};
    std::array<char, HistoryBlockSize> block{};
    if (file.readBlock(block) != HistoryRead::Block)
        return std::nullopt;
    HistoryBlockReader reader(block);
    while (reader.next() == BlockStep::Sample) {
    }
    return reader.sample();
}

QDateTime momentOf(const HistoryStamp &stamp)
{
    return QDateTime(QDate(yearOf(stamp.date), monthOf(stamp.date), dayOf(stamp.date)),
                     QTime::fromMSecsSinceStartOfDay(static_cast<int>(stamp.timeMs)));
}

void publish(ModbusPlantServer &server, const DemoPlantModel &plant, Dice &jitter)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        // The gauges' jitter of a millimetre or two and a twentieth of a degree.
        const auto millimetres
            = static_cast<quint32>(std::max(0L, std::lround(plant.level(slot) * 1000 + jitter.between(-2, 2))));
        server.setHolding(LevelGaugeUnitBase + slot, 0, static_cast<quint16>(millimetres >> 16));
        server.setHolding(LevelGaugeUnitBase + slot, 1, static_cast<quint16>(millimetres & 0xFFFFu));
        const auto tenths = static_cast<qint16>(std::lround(plant.temperature(slot) * 10 + jitter.between(-0.5, 0.5)));
        server.setInput(TemperatureUnitBase + slot, 0, static_cast<quint16>(tenths));
    }
}

} // namespace

int main(int argc, char **argv)
{
    beginProgram("skladar-plant-sim");
    QCoreApplication app(argc, argv);
    CommandLine line(u"Serves the demonstration plant's 15 radar level gauges (units 1 to 15, holding registers 0-1, "
                     "level in mm as uint32) and 15 temperature transmitters (units 101 to 115, input register 0, "
                     "tenths of a degree as int16) over Modbus TCP on 127.0.0.1. The tanks go on from the newest "
                     "sample of the history in DIR. Ends on SIGINT or SIGTERM.\n"
                     "A data file fails when DIR holds no history or the port cannot be bound."_s,
                     {Done, DataFileFailed, BadArguments});
    const QCommandLineOption portOption(u"port"_s, u"Listens on PORT (default %1)."_s.arg(DemoPlantPort), u"PORT"_s,
                                        QString::number(DemoPlantPort));
    line.parser.addOption(portOption);
    line.parser.addPositionalArgument(u"DIR"_s, u"The demonstration folder, as skladar-demo wrote it."_s);
    if (const std::optional<int> status = line.parse(QCoreApplication::arguments()))
        return *status;
    const QCommandLineParser &parser = line.parser;
    if (parser.positionalArguments().size() != 1)
        return CommandLine::badArgument(u"expected one folder DIR"_s);
    bool numeric = false;
    const int port = parser.value(portOption).toInt(&numeric);
    if (!numeric || port < 1 || port > 65535)
        return CommandLine::badArgument(u"--port takes 1 to 65535, not \"%1\""_s.arg(parser.value(portOption)));

    const QString folder = parser.positionalArguments().front();
    const std::optional<HistorySample> newest = newestSample(folder);
    if (!newest)
        return complain(DataFileFailed, u"no history in %1; write one with skladar-demo"_s.arg(folder));
    PlantModel plantModel;
    loadDemonstrationPlant(plantModel);
    DemoPlantModel plant(plantModel.tanks, static_cast<unsigned>(QDateTime::currentSecsSinceEpoch()));
    plant.continueFrom(*newest);
    const QDateTime historyEnd = momentOf(newest->stamp);

    ModbusPlantServer server;
    for (int slot = 1; slot <= TankCount; ++slot) {
        server.addUnit(LevelGaugeUnitBase + slot, 2, 0);
        server.addUnit(TemperatureUnitBase + slot, 0, 1);
    }
    Dice jitter(7);
    publish(server, plant, jitter);
    if (!server.start(static_cast<quint16>(port)))
        return complain(DataFileFailed, u"cannot listen on 127.0.0.1:%1"_s.arg(port));
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTextStream(stdout) << "skladar-plant-sim: serving on 127.0.0.1:" << server.port() << Qt::endl;

    auto due = std::chrono::steady_clock::now();
    while (!stopping) {
        due += Step;
        std::this_thread::sleep_until(due);
        const QDateTime now = QDateTime::currentDateTime();
        const double dayOfRun = DemoHistoryDays + historyEnd.secsTo(now) / 86400.0;
        plant.advance(dayOfRun, now.time().msecsSinceStartOfDay() / 3'600'000.0,
                      std::chrono::duration<double, std::ratio<3600>>(Step).count());
        publish(server, plant, jitter);
    }
    return Done;
}
