// skladar-history: one tank's history as CSV, as the chart's picture or as its printed page,
// after the client's own login, without a window.
#include "core/history/chartrecordfile.h"
#include "core/history/historyblock.h"
#include "core/history/historycsv.h"
#include "core/history/trendseries.h"
#include "core/login/login.h"
#include "core/plant/plantmodel.h"
#include "core/program/commandline.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/settings/settingsstore.h"
#include "tools/toollogin.h"
#include "tools/tooloutput.h"
#include "trend/chartframe.h"
#include "trend/chartgeometry.h"
#include "trend/chartpage.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <variant>

namespace {

using namespace Qt::StringLiterals;

struct Options
{
    int slot = 0;
    QString dir;
    QString code;
    std::optional<ServerAddress> server;
    TrendRatio ratio;
    CsvRange range;
    std::optional<int> scroll;
    QPoint mouse{-1, -1}; // outside the plot: no cross-hair
    QString out;          // empty: CSV on standard output
    OutputKind output = OutputKind::Csv;
};

const char *const Description = R"(Writes one tank's history, after logging in as the client does.

--out FILE decides the output by its extension: .csv the samples (also without --out, on standard
output), .png the 800 x 580 chart as the chart window draws it, .pdf its printed landscape page.
CSV: a header line position,date,time,level_m,temperature_c,volume_m3,mass_t, then one line per
position of the stretched series that holds a sample, oldest first; date YYYY-MM-DD, time HH:MM,
values with 3 decimals and "." as the decimal point; a quantity the user may not see stays empty.

A history file whose last block is incomplete is reported on standard error and its complete
blocks are used. A data file fails when REPORT.STG or Report.rez is missing, Report.rez is short,
a time stamp fails the check or the output cannot be written; no right: the user lacks the
history right on that tank.)";

std::optional<int> number(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? std::optional(value) : std::nullopt;
}

QString ratioText(TrendRatio ratio) { return u"%1/%2"_s.arg(ratio.mm).arg(ratio.dd); }

std::optional<TrendRatio> parseRatio(const QString &text)
{
    const auto offered = std::find_if(TrendPeriods.begin(), TrendPeriods.end(),
                                      [&](const TrendPeriod &period) { return text == ratioText(period.ratio); });
    return offered == TrendPeriods.end() ? std::nullopt : std::optional(offered->ratio);
}

QString offeredRatios()
{
    QStringList texts;
    for (const TrendPeriod &period : TrendPeriods)
        texts.append(ratioText(period.ratio));
    return texts.join(u", "_s);
}

std::optional<QPoint> parseMouse(const QString &text)
{
    const QStringList parts = text.split(u',');
    const std::optional<int> x = parts.size() == 2 ? number(parts[0]) : std::nullopt;
    const std::optional<int> y = parts.size() == 2 ? number(parts[1]) : std::nullopt;
    return x && y ? std::optional(QPoint(*x, *y)) : std::nullopt;
}

// Fills options from the parsed command line; the text of the first problem, empty when none.
QString takeOptions(const QCommandLineParser &parser, Options &options)
{
    const auto value = [&](const char *name) { return parser.value(QString::fromLatin1(name)); };
    const auto set = [&](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    const std::optional<int> slot = slotOfTank(number(value("tank")).value_or(0));
    if (!slot)
        return u"--tank must be one of 74, 75, 78 to 88, 96, 97"_s;
    options.slot = *slot;
    options.dir = set("dir") ? value("dir") : QDir::currentPath();
    options.code = (set("login") ? value("login") : DemonstrationCode).toUpper();
    if (const QString problem = takeServerOptions(parser, options.server); !problem.isEmpty())
        return problem;
    const std::optional<TrendRatio> ratio = set("ratio") ? parseRatio(value("ratio")) : TrendRatio{};
    if (!ratio)
        return u"--ratio must be one of the chart's periods: "_s + offeredRatios();
    options.ratio = *ratio;
    if (set("from") && !(options.range.from = parseCsvMoment(value("from"), false)))
        return u"--from must be YYYY-MM-DD or YYYY-MM-DDTHH:MM"_s;
    if (set("to") && !(options.range.to = parseCsvMoment(value("to"), true)))
        return u"--to must be YYYY-MM-DD or YYYY-MM-DDTHH:MM"_s;
    if (set("scroll") && !(options.scroll = number(value("scroll"))))
        return u"--scroll must be a whole number"_s;
    const std::optional<QPoint> mouse = set("mouse") ? parseMouse(value("mouse")) : options.mouse;
    if (!mouse)
        return u"--mouse must be X,Y"_s;
    options.mouse = *mouse;
    options.out = value("out");
    const std::optional<OutputKind> output = options.out.isEmpty() ? OutputKind::Csv : outputKindOf(options.out);
    if (!output)
        return OutputKindProblem;
    options.output = *output;
    if (!parser.positionalArguments().isEmpty())
        return u"unexpected argument %1"_s.arg(parser.positionalArguments().front());
    return {};
}

// The options, or the status the program ends with: --help, --version or bad arguments.
std::variant<Options, int> parseOptions(const QStringList &arguments)
{
    CommandLine line(QString::fromLatin1(Description),
                     {Done, DataFileFailed, BadArguments, LoginRefused, NoRightOrData, ServerUnreachable});
    line.parser.addOptions({
        {u"tank"_s, u"The tank: 74, 75, 78 to 88, 96 or 97."_s, u"N"_s},
        {u"dir"_s, u"Folder with REPORT.STG and Report.rez (default: the working directory)."_s, u"DIR"_s},
        {u"login"_s,
         u"User code (default: the demonstration code: the built-in plant, every right). Any other code logs in at the server with that user's rights."_s,
         u"CODE"_s},
        {u"ratio"_s,
         u"Stretch ratio of a chart period: 12/1 is 8 h across the chart, 1/1 4 days, 1/7 a month (default 1/1)."_s,
         u"MM/DD"_s},
        {u"from"_s, u"CSV: first moment to write, YYYY-MM-DD or YYYY-MM-DDTHH:MM, inclusive."_s, u"WHEN"_s},
        {u"to"_s, u"CSV: last moment to write, inclusive (a date alone includes its whole day)."_s, u"WHEN"_s},
        {u"scroll"_s, u"Chart: scroll bar position (default: the newest, as the window opens)."_s, u"P"_s},
        {u"mouse"_s, u"Chart: pointer position for the cross-hair and read-out (default: outside the plot)."_s,
         u"X,Y"_s},
        {u"out"_s, u"Output file: .csv, .png or .pdf (default: CSV on standard output)."_s, u"FILE"_s},
    });
    addServerOptions(line.parser);
    return line.parseInto<Options>(arguments, [](const QCommandLineParser &parser, Options &options) {
        return parser.isSet(u"tank"_s) ? takeOptions(parser, options) : u"--tank N is required"_s;
    });
}

bool writeCsv(const Options &options, const TrendSeries &series, const TankRights &rights)
{
    if (options.out.isEmpty()) {
        QFile out;
        return out.open(stdout, QIODevice::WriteOnly) && writeHistoryCsv(out, series, rights, options.range);
    }
    QSaveFile out(options.out);
    return out.open(QIODevice::WriteOnly) && writeHistoryCsv(out, series, rights, options.range) && out.commit();
}

// The chart at the scroll position, which the scroll bar's range holds as the window's would.
bool writeChart(const Options &options, const ChartInput &input)
{
    QImage frame;
    const ReadOut readOut = RenderChartFrame(frame, input, options.mouse);
    if (options.output == OutputKind::Png)
        return frame.save(options.out, "PNG");
    QPdfWriter pdf(options.out);
    return PrintChartPage(pdf, input, readOut, SystemClock().now());
}

int writeOutput(const Options &options, const TrendSeries &series, const PlantModel &plant,
                const TankChartRecord &record)
{
    const TankRights &rights = plant.user.rights[options.slot];
    bool written = false;
    if (options.output == OutputKind::Csv) {
        written = writeCsv(options, series, rights);
    } else {
        const ChartScrollRange range = chartScrollRange(series.sampleCount, series.ratio.mm);
        const int scroll = std::clamp(options.scroll.value_or(range.position), range.minimum,
                                      std::max(range.minimum, range.maximum));
        written = writeChart(
            options, {series, record, plant.tanks.slot(options.slot).materialKind, rights, scroll, QLocale::system()});
    }
    return written ? Done
                   : complain(DataFileFailed,
                              u"cannot write %1"_s.arg(options.out.isEmpty() ? u"the output"_s : options.out));
}

} // namespace

int main(int argc, char *argv[])
{
    beginProgram("skladar-history");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the chart needs fonts, not a display
    QGuiApplication app(argc, argv);
    // The client's names, so that its settings and its built-in server's store are found.
    QGuiApplication::setApplicationName(u"Skladar"_s);
    QGuiApplication::setOrganizationName(u"Tervo"_s);
    const std::variant<Options, int> parsed = parseOptions(QCoreApplication::arguments());
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const Options &options = std::get<Options>(parsed);

    PlantModel plant;
    const SettingsStore settings;
    if (const std::optional<ToolLoginFailure> failure = toolLogin(options.code, options.server, settings, plant))
        return complain(failure->status, failure->text);
    if (plant.user.rights[options.slot].istorija != 1)
        return complain(NoRightOrData, u"the user has no history right on tank %1"_s.arg(TankIdList[options.slot]));

    const DataFolder folder(options.dir);
    const ChartRecordsRead charts = readChartRecords(folder);
    if (charts.message)
        return complain(DataFileFailed, u"%1: %2"_s.arg(folder.filePath(ChartRecordFileName), charts.message->text));
    const auto series = std::make_unique<TrendSeries>();
    const TankChartRecord &record = charts.records[options.slot];
    const TrendLoad load = LoadTrend(*series, folder, record, plant.tanks.slot(options.slot), options.ratio);
    if (load.problem == TrendProblem::ShortBlock)
        complain(Done, u"%1: %2"_s.arg(folder.filePath(HistoryFileName), load.text));
    else if (load.problem != TrendProblem::None)
        return complain(DataFileFailed, u"%1: %2"_s.arg(folder.filePath(HistoryFileName), load.text));
    return writeOutput(options, *series, plant, record);
}
