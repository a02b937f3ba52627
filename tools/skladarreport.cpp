// skladar-report: the quantity report of a moment without a window, as text, CSV, PNG or PDF.
#include "core/history/chartrecordfile.h"
#include "core/login/login.h"
#include "core/program/commandline.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/text/numberparse.h"
#include "report/momentsearch.h"
#include "report/reportdrawing.h"
#include "report/reportprint.h"
#include "report/reportsettings.h"
#include "tools/reportoutput.h"
#include "tools/toollogin.h"
#include "tools/tooloutput.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QRegularExpression>

#include <cstdio>
#include <variant>

namespace {

const char *const Description
    = "Writes the quantity report of a moment: the mass in every tank, grouped and summed as the client's\n"
      "report window shows it, computed from REPORT.STG and Report.rez in DIR.\n"
      "\n"
      "Without --out a plain-text table goes to standard output; --out FILE writes by its extension:\n"
      "  .csv  the columns group, tank, kind, sifra, level_m, temperature_c, volume_m3, mass_t (with\n"
      "        --stock also stock_t and difference_t, only on a group's Zbir line and only for a group\n"
      "        with a figure) and data_time (YYYY-MM-DD HH:MM), \".\" decimals, a Zbir line\n"
      "        (G,Zbir,,,,,,SUM) after each group\n"
      "  .png  the window's 800 x 1180 report picture\n"
      "  .pdf  the printed portrait page\n"
      "\n"
      "A data file fails when REPORT.STG or Report.rez is missing, a block the search reaches is\n"
      "incomplete or a stamp fails the check; a moment the report's date panel refuses is a bad\n"
      "argument; no data for the moment: no history block begins before it. Every output names the\n"
      "moment its data belong to: the sample taken for the moment asked. When that sample is older\n"
      "than the moment by more than --max-age, the report is written all the same, standard error\n"
      "names the sample's moment and the status is 6. A Zbir is the sum of the exact masses rounded\n"
      "once, so it may differ by 0.001 from the sum of the rounded lines.";

struct Options
{
    ReportMoment moment;
    QString dir;
    QString login;
    std::optional<ServerAddress> server;
    std::optional<SortMode> mode; // nullopt: as the window reads Izvestaj\Grouped
    GroupStock stock{};
    StockGiven stockGiven{};
    bool stockView = false;
    int maxAgeMinutes = 60;
    QString out;
    std::optional<OutputKind> output; // nullopt: text on standard output
};

QString checkMoment(const QString &text, ReportMoment &moment)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2}) (\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return QStringLiteral("--at must be \"YYYY-MM-DD HH:MM\"");
    const DatePanelCheck check = CheckDatePanel(
        {match.captured(3), match.captured(2), match.captured(1), match.captured(4), match.captured(5)});
    moment = check.moment;
    return check.error;
}

QString addStock(const QString &text, Options &options)
{
    const QStringList parts = text.split(u'=');
    bool groupOk = false;
    const int group = parts.size() == 2 ? parts[0].toInt(&groupOk) : 0;
    const std::optional<double> tonnes = parts.size() == 2 ? convertFloat(floatFieldText(parts[1])) : std::nullopt;
    if (!groupOk || group < 1 || group > TankCount || !tonnes)
        return QStringLiteral("--stock must be G=TONNES with G from 1 to 15");
    options.stock[group] = *tonnes;
    options.stockGiven[group] = true;
    options.stockView = true;
    return {};
}

// Fills options from the parsed command line; the text of the first problem, empty when none.
QString takeOptions(const QCommandLineParser &parser, Options &options)
{
    const auto value = [&](const char *name) { return parser.value(QString::fromLatin1(name)); };
    const auto set = [&](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    options.dir = set("dir") ? value("dir") : QDir::currentPath();
    options.login = set("login") ? value("login") : DemonstrationCode;
    options.out = value("out");
    if (!set("at"))
        return QStringLiteral("--at is required");
    if (const QString problem = checkMoment(value("at"), options.moment); !problem.isEmpty())
        return problem;
    if (const QString problem = takeServerOptions(parser, options.server); !problem.isEmpty())
        return problem;
    if (set("group")) {
        options.mode = sortModeFromText(value("group"));
        if (sortModeText(*options.mode) != value("group"))
            return QStringLiteral("--group must be sifra, vrsta, ime or broj");
    }
    for (const QString &stock : parser.values(QStringLiteral("stock")))
        if (const QString problem = addStock(stock, options); !problem.isEmpty())
            return problem;
    bool maxAgeOk = true;
    if (set("max-age"))
        options.maxAgeMinutes = value("max-age").toInt(&maxAgeOk);
    if (!maxAgeOk || options.maxAgeMinutes < 0)
        return QStringLiteral("--max-age must be a number of minutes, 0 or more");
    if (!options.out.isEmpty() && !(options.output = outputKindOf(options.out)))
        return OutputKindProblem;
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().front());
    return {};
}

// The options, or the status the program ends with: --help, --version or bad arguments.
std::variant<Options, int> parseOptions(const QStringList &arguments)
{
    CommandLine line(QString::fromLatin1(Description),
                     {Done, DataFileFailed, BadArguments, LoginRefused, NoRightOrData, ServerUnreachable, StaleData});
    line.parser.addOptions({
        {QStringLiteral("at"), QStringLiteral("The moment, \"YYYY-MM-DD HH:MM\" (required)."), QStringLiteral("WHEN")},
        {QStringLiteral("dir"),
         QStringLiteral("Folder with REPORT.STG and Report.rez (default: the working directory)."),
         QStringLiteral("DIR")},
        {QStringLiteral("login"), QStringLiteral("User code (default: the demonstration code and plant)."),
         QStringLiteral("CODE")},
        {QStringLiteral("group"),
         QStringLiteral("Grouping: sifra, vrsta, ime or broj (default: the client's last choice)."),
         QStringLiteral("MODE")},
        {QStringLiteral("stock"),
         QStringLiteral("Stock figure of group G in tonnes; repeatable; turns the stock columns on."),
         QStringLiteral("G=TONNES")},
        {QStringLiteral("out"), QStringLiteral("Output file: .csv, .png or .pdf (default: text on standard output)."),
         QStringLiteral("FILE")},
        {QStringLiteral("max-age"),
         QStringLiteral("Data older than the moment by more than MINUTES are stale (default 60)."),
         QStringLiteral("MINUTES")},
    });
    addServerOptions(line.parser);
    return line.parseInto<Options>(arguments, takeOptions);
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0 && file.flush();
}

// Every output names the moment the data belong to, which may differ from the one asked.
bool writeOutput(const Options &options, const ReportContent &content, const ReportMoment &dataMoment,
                 const QLocale &locale, const Clock &clock)
{
    if (!options.output) {
        printOut(reportText(content, options.stockGiven, dataMoment, locale));
        return true;
    }
    if (*options.output == OutputKind::Csv)
        return writeText(options.out, reportCsv(content, options.stockGiven, dataMoment));
    if (*options.output == OutputKind::Png) {
        QImage picture;
        RenderReport(picture, content, locale);
        return picture.save(options.out, "PNG");
    }
    QPdfWriter pdf(options.out);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Portrait);
    pdf.setResolution(300);
    return PrintReport(pdf, content, dataMoment, clock.now(), locale);
}

// Whether the sample is older than the moment by more than maxAgeMinutes.
bool isStale(const HistoryStamp &taken, const ReportMoment &moment, int maxAgeMinutes)
{
    const HistoryStamp target = stampOf(moment);
    const StampDifference age = DiffSeconds(target.date, target.timeMs, taken.date, taken.timeMs);
    return !age.error && age.seconds > static_cast<qint64>(maxAgeMinutes) * 60;
}

// "07.12.2026. 12:38"
QString momentText(const ReportMoment &moment)
{
    return QStringLiteral("%1.%2.%3. %4:%5")
        .arg(moment.day, 2, 10, QLatin1Char('0'))
        .arg(moment.month, 2, 10, QLatin1Char('0'))
        .arg(moment.year)
        .arg(moment.hour, 2, 10, QLatin1Char('0'))
        .arg(moment.minute, 2, 10, QLatin1Char('0'));
}

} // namespace

int main(int argc, char *argv[])
{
    beginProgram("skladar-report");
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the picture and the page need fonts, not a display
    QGuiApplication app(argc, argv);
    // The client's names, so that its settings and its built-in server's store are found.
    QGuiApplication::setApplicationName(QStringLiteral("Skladar"));
    QGuiApplication::setOrganizationName(QStringLiteral("Tervo"));
    SystemClock clock;
    const SettingsStore settings;

    const std::variant<Options, int> parsed = parseOptions(QCoreApplication::arguments());
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    const Options &options = std::get<Options>(parsed);

    PlantModel plant;
    if (const std::optional<ToolLoginFailure> failure = toolLogin(options.login, options.server, settings, plant))
        return complain(failure->status, failure->text);
    const DataFolder folder(options.dir);
    const ChartRecordsRead records = readChartRecords(folder);
    if (records.message)
        return complain(DataFileFailed,
                        QStringLiteral("%1: %2").arg(folder.filePath(ChartRecordFileName), records.message->text));

    QuantityReport report;
    report.moment = options.moment;
    report.rows = BuildReportRows(plant.tanks);
    report.mode = options.mode.value_or(ReadSortMode(settings));
    report.stock = options.stock;
    report.stockView = options.stockView;
    const MomentSearch search = FindMoment(folder, options.moment, records.records, plant.tanks, report.quantities);
    if (search.outcome == SearchOutcome::NoBlock) {
        return complain(NoRightOrData, QStringLiteral("%1: no history block begins before %2; nothing is reported")
                                           .arg(folder.filePath(HistoryFileName),
                                                PrintTitle(options.moment).section(u':', 1).trimmed()));
    }
    if (search.outcome != SearchOutcome::Computed)
        return complain(DataFileFailed, QStringLiteral("%1: %2").arg(folder.filePath(HistoryFileName), search.text));
    if (!search.taken) {
        return complain(NoRightOrData, QStringLiteral("%1: the block before %2 holds no sample; nothing is reported")
                                           .arg(folder.filePath(HistoryFileName),
                                                PrintTitle(options.moment).section(u':', 1).trimmed()));
    }
    const ReportMoment dataMoment = minuteOf(*search.taken);
    if (!writeOutput(options, ContentOf(report, plant.tanks, GroupsToAssign(settings, report.mode)), dataMoment,
                     QLocale::system(), clock))
        return complain(DataFileFailed, QStringLiteral("cannot write %1").arg(options.out));
    if (isStale(*search.taken, options.moment, options.maxAgeMinutes)) {
        return complain(StaleData,
                        QStringLiteral("%1: poslednji uzorak pre trazenog trenutka je od %2, vise od %3 min ranije")
                            .arg(folder.filePath(HistoryFileName), momentText(dataMoment))
                            .arg(options.maxAgeMinutes));
    }
    return Done;
}
