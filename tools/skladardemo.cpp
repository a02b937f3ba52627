// skladar-demo: writes the demonstration plant map (pictures and element files) and history into a folder.
#include "core/history/chartrecordfile.h"
#include "core/history/historyblock.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/program/commandline.h"
#include "core/services/clock.h"
#include "demoplant/demohistory.h"
#include "demoplant/demoplantmap.h"
#include "demoplant/modbusplant.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    beginProgram("skladar-demo");
    // Fonts need a GUI application; without a desktop it runs on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"skladar-demo"_s);

    CommandLine line(u"Writes the plant map of the demonstration tank farm into DIR: the overview picture %1, the tank "
                     u"screen picture %2 and the element files %3 and %4, which the client loads from its working "
                     u"directory at login; and the history of the last %5 days up to now, %6 with the chart "
                     u"settings %7, for the trend chart and the report; and the channel map %8 of skladar-plant-sim."_s
                             .arg(OverviewPictureFile, TankScreenPictureFile, ElementFile, ViewFile)
                             .arg(DemoHistoryDays)
                             .arg(HistoryFileName, ChartRecordFileName, DemoChannelMapFile)
                         + u"\nA data file fails when the folder or one of its files cannot be written."_s,
                     {Done, DataFileFailed, BadArguments});
    line.parser.addPositionalArgument(u"DIR"_s, u"Folder to write into; created when it is missing."_s);
    if (const std::optional<int> status = line.parse(QCoreApplication::arguments()))
        return *status;
    const QStringList folders = line.parser.positionalArguments();
    if (folders.size() != 1)
        return CommandLine::badArgument(u"expected one folder DIR"_s);
    const QString &folder = folders.front();

    PlantModel plant;
    loadDemonstrationPlant(plant);
    if (const std::optional<QString> error = writePlantMap(folder, plant.tanks))
        return complain(DataFileFailed, *error);
    if (const std::optional<QString> error = writeDemoHistory(folder, plant.tanks, SystemClock().now()))
        return complain(DataFileFailed, *error);
    if (const std::optional<QString> error
        = writeDemoFile(QDir(folder), DemoChannelMapFile, demoChannelMap(DemoPlantPort)))
        return complain(DataFileFailed, *error);
    printOut(u"Plant map and history written to %1\n"_s.arg(folder));
    return Done;
}
