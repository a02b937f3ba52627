// skladar-snapshot: the plant map of a folder composed headless after the demonstration login,
// written as a PNG picture.
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/plant/plantmodel.h"
#include "main/composepicture.h"
#include "core/plant/demonstrationplant.h"
#include "main/liverefresh.h"
#include "main/plantmaploading.h"
#include "tools/stderrdialogs.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

constexpr int BadArguments = 2;
constexpr int DataFileFailed = 1;

struct Options
{
    QString dir;
    int view = 1;
    int refreshes = 1;
    QString out;
};

// Nullopt, with the reason on standard error, when the arguments do not make sense.
std::optional<Options> parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes the plant map of a folder, after the demonstration login, as a PNG picture."));
    parser.addHelpOption();
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("Folder with the plant files (default: the working directory)."), QStringLiteral("DIR"), QDir::currentPath());
    const QCommandLineOption view(QStringLiteral("view"), QStringLiteral("View to compose, 1 to 25 (default 1, the overview)."), QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption refreshes(QStringLiteral("refreshes"), QStringLiteral("Value refreshes before the picture (default 1)."), QStringLiteral("K"), QStringLiteral("1"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("The PNG file to write."), QStringLiteral("FILE.png"));
    parser.addOptions({dir, view, refreshes, out});
    parser.process(app);

    Options options{parser.value(dir), 0, 0, parser.value(out)};
    bool viewOk = false;
    bool refreshesOk = false;
    options.view = parser.value(view).toInt(&viewOk);
    options.refreshes = parser.value(refreshes).toInt(&refreshesOk);
    QString problem;
    if (options.out.isEmpty())
        problem = QStringLiteral("--out FILE.png is required");
    else if (!viewOk || options.view < 1 || options.view > ViewCount)
        problem = QStringLiteral("--view must be a number from 1 to 25");
    else if (!refreshesOk || options.refreshes < 0)
        problem = QStringLiteral("--refreshes must be a number of 0 or more");
    else if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().front());
    if (problem.isEmpty())
        return options;
    std::fprintf(stderr, "skladar-snapshot: %s\n%s", problem.toLocal8Bit().constData(), parser.helpText().toLocal8Bit().constData());
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the picture needs fonts, not a display
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("skladar-snapshot"));
    const std::optional<Options> options = parseOptions(app);
    if (!options)
        return BadArguments;

    StderrDialogs dialogs;
    SystemClock clock;
    const DataFolder folder(options->dir);
    const QLocale locale = QLocale::system();
    PlantModel plant;
    loadDemonstrationPlant(plant);
    auto map = std::make_unique<PlantMap>();
    if (loadPlantMap(*map, plant, folder, dialogs, locale))
        return DataFileFailed;

    int cycleCounter = 1;
    for (int i = 0; i < options->refreshes; ++i) {
        cycleCounter = nextCycleCounter(cycleCounter);
        refreshValues(*map, cycleCounter, plant.tanks, locale);
    }
    for (int k = 1; k <= ElementCount; ++k) {
        if (nextTrendElement(*map, k) == k)
            fillTrend(*map, k, cycleCounter);
    }
    QImage picture;
    ElementDrawingContext context{clock, dialogs, locale, {}, folder, map->bitmaps};
    ComposePicture(picture, *map, options->view, context);
    if (!picture.save(options->out, "PNG")) {
        std::fprintf(stderr, "skladar-snapshot: cannot write %s\n", options->out.toLocal8Bit().constData());
        return DataFileFailed;
    }
    return 0;
}
