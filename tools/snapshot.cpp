// skladar-snapshot: the plant map of a folder composed headless after the demonstration login,
// written as a PNG picture.
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/program/commandline.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "main/composepicture.h"
#include "main/liverefresh.h"
#include "main/plantmaploading.h"
#include "tools/stderrdialogs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <memory>
#include <variant>

namespace {

struct Options
{
    QString dir;
    int view = 1;
    int refreshes = 1;
    QString out;
};

// Fills options from the parsed command line; the text of the first problem, empty when none.
QString takeOptions(const QCommandLineParser &parser, Options &options)
{
    const auto value = [&](const char *name) { return parser.value(QString::fromLatin1(name)); };
    options.dir = parser.isSet(QStringLiteral("dir")) ? value("dir") : QDir::currentPath();
    options.out = value("out");
    bool viewOk = true;
    bool refreshesOk = true;
    if (parser.isSet(QStringLiteral("view")))
        options.view = value("view").toInt(&viewOk);
    if (parser.isSet(QStringLiteral("refreshes")))
        options.refreshes = value("refreshes").toInt(&refreshesOk);
    if (options.out.isEmpty())
        return QStringLiteral("--out FILE.png is required");
    if (!viewOk || options.view < 1 || options.view > ViewCount)
        return QStringLiteral("--view must be a number from 1 to 25");
    if (!refreshesOk || options.refreshes < 0)
        return QStringLiteral("--refreshes must be a number of 0 or more");
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().front());
    return {};
}

// The options, or the status the program ends with: --help, --version or bad arguments.
std::variant<Options, int> parseOptions(const QStringList &arguments)
{
    CommandLine line(
        QStringLiteral("Writes the plant map of a folder, after the demonstration login, as a PNG picture.\n"
                       "A data file fails when one of %1, %2, %3 or %4 is missing or cannot be read.")
            .arg(OverviewPictureFile, TankScreenPictureFile, ElementFile, ViewFile),
        {Done, DataFileFailed, BadArguments});
    line.parser.addOptions({
        {QStringLiteral("dir"), QStringLiteral("Folder with the plant files (default: the working directory)."),
         QStringLiteral("DIR")},
        {QStringLiteral("view"), QStringLiteral("View to compose, 1 to 25 (default 1, the overview)."),
         QStringLiteral("N")},
        {QStringLiteral("refreshes"), QStringLiteral("Value refreshes before the picture (default 1)."),
         QStringLiteral("K")},
        {QStringLiteral("out"), QStringLiteral("The PNG file to write."), QStringLiteral("FILE.png")},
    });
    return line.parseInto<Options>(arguments, takeOptions);
}

// The first of the plant map's files the folder lacks, empty when it holds them all. The client
// itself goes on without them; a picture without them would be blank.
QString missingFile(const DataFolder &folder)
{
    for (const QString &name : {OverviewPictureFile, TankScreenPictureFile, ElementFile, ViewFile}) {
        if (!folder.exists(name))
            return folder.filePath(name);
    }
    return {};
}

} // namespace

int main(int argc, char *argv[])
{
    beginProgram("skladar-snapshot");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the picture needs fonts, not a display
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("skladar-snapshot"));
    const std::variant<Options, int> parsed = parseOptions(QCoreApplication::arguments());
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const Options &options = std::get<Options>(parsed);

    StderrDialogs dialogs;
    SystemClock clock;
    const DataFolder folder(options.dir);
    if (const QString missing = missingFile(folder); !missing.isEmpty())
        return complain(DataFileFailed, QStringLiteral("%1: Fajl ne postoji.").arg(missing));
    const QLocale locale = QLocale::system();
    PlantModel plant;
    loadDemonstrationPlant(plant);
    auto map = std::make_unique<PlantMap>();
    // Whatever the load tells the operator (a picture that does not load, a short element file) fails the run.
    if (loadPlantMap(*map, plant, folder, dialogs, locale) || dialogs.told())
        return DataFileFailed;

    int cycleCounter = 1;
    for (int i = 0; i < options.refreshes; ++i) {
        cycleCounter = nextCycleCounter(cycleCounter);
        refreshValues(*map, cycleCounter, plant.tanks, locale);
    }
    for (int k = 1; k <= ElementCount; ++k) {
        if (nextTrendElement(*map, k) == k)
            fillTrend(*map, k, cycleCounter);
    }
    QImage picture;
    ElementDrawingContext context{clock, dialogs, locale, {}, folder, map->bitmaps};
    ComposePicture(picture, *map, options.view, context);
    if (!picture.save(options.out, "PNG"))
        return complain(DataFileFailed, QStringLiteral("cannot write %1").arg(options.out));
    return Done;
}
