// skladar-report: the quantity report of a moment without a window, as text, CSV, PNG or PDF.
#include "core/history/chartrecordfile.h"
#include "core/login/login.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/services/tw.h"
#include "core/text/numberparse.h"
#include "report/momentsearch.h"
#include "report/reportdrawing.h"
#include "report/reportprint.h"
#include "report/reportsettings.h"
#include "tools/reportoutput.h"
#include "tools/stderrdialogs.h"
#include "tools/toollogin.h"
#include "tools/tooloutput.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QRegularExpression>

#include <cstdio>

namespace {

// Exit statuses.
constexpr int Done = 0;
constexpr int DataFileFailed = 1;
constexpr int BadArguments = 2;
constexpr int LoginFailed = 3;
constexpr int NoBlockBefore = 4;

const char *const Description =
    "Writes the quantity report of a moment: the mass in every tank, grouped and summed as the client's\n"
    "report window shows it, computed from REPORT.STG and Report.rez in DIR.\n"
    "\n"
    "Without --out a plain-text table goes to standard output; --out FILE writes by its extension:\n"
    "  .csv  group,tank,kind,sifra,level_m,temperature_c,volume_m3,mass_t (with --stock also\n"
    "        stock_t,difference_t), \".\" decimals, a \"G,Zbir,,,,,,SUM\" line after each group of more\n"
    "        than one tank\n"
    "  .png  the window's 800 x 1180 report picture\n"
    "  .pdf  the printed portrait page\n"
    "\n"
    "Exit status: 0 done; 1 a data file failed (REPORT.STG or Report.rez missing, a block the search\n"
    "reaches incomplete, a stamp that fails the check); 2 bad arguments, also a moment the report's\n"
    "date panel refuses; 3 the login failed; 4 no history block begins before the moment.";

struct Options
{
    ReportMoment moment;
    QString dir;
    QString login;
    std::optional<ServerAddress> server;
    std::optional<SortMode> mode; // nullopt: as the window reads Izvestaj\Grouped
    GroupStock stock{};
    bool stockView = false;
    QString out;
    std::optional<OutputKind> output; // nullopt: text on standard output
};

struct Parsed
{
    std::optional<Options> options;
    QString problem; // empty when --help was asked for
};

QString checkMoment(const QString &text, const Tw &w, ReportMoment &moment)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2}) (\\d{1,2}):(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return QStringLiteral("--at must be \"YYYY-MM-DD HH:MM\"");
    const DatePanelCheck check = CheckDatePanel(w, {match.captured(3), match.captured(2), match.captured(1), match.captured(4), match.captured(5)});
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
    options.stock[static_cast<std::size_t>(group - 1)] = *tonnes;
    options.stockView = true;
    return {};
}

Parsed parseOptions(const QStringList &arguments, const Tw &w, QString &help)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(Description));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption at(QStringLiteral("at"), QStringLiteral("The moment, \"YYYY-MM-DD HH:MM\" (required)."), QStringLiteral("WHEN"));
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("Folder with REPORT.STG and Report.rez (default: the working directory)."), QStringLiteral("DIR"), QDir::currentPath());
    const QCommandLineOption login(QStringLiteral("login"), QStringLiteral("User code (default: the demonstration code and plant)."), QStringLiteral("CODE"), DemonstrationCode);
    const QCommandLineOption server(QStringLiteral("server"), QStringLiteral("The acquisition server for other codes (default: as the client's settings choose)."), QStringLiteral("HOST:PORT"));
    const QCommandLineOption group(QStringLiteral("group"), QStringLiteral("Grouping: sifra, vrsta, ime or broj (default: the client's last choice)."), QStringLiteral("MODE"));
    const QCommandLineOption stock(QStringLiteral("stock"), QStringLiteral("Stock figure of group G in tonnes; repeatable; turns the stock columns on."), QStringLiteral("G=TONNES"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Output file: .csv, .png or .pdf (default: text on standard output)."), QStringLiteral("FILE"));
    parser.addOptions({helpOption, at, dir, login, server, group, stock, out});
    help = parser.helpText();
    if (!parser.parse(arguments))
        return {std::nullopt, parser.errorText()};
    if (parser.isSet(helpOption))
        return {};

    Options options{{}, parser.value(dir), parser.value(login), std::nullopt, std::nullopt, {}, false, parser.value(out), std::nullopt};
    QString problem;
    if (!parser.isSet(at))
        problem = QStringLiteral("--at is required");
    else
        problem = checkMoment(parser.value(at), w, options.moment);
    if (problem.isEmpty() && parser.isSet(server) && !(options.server = parseServerOption(parser.value(server))))
        problem = QStringLiteral("--server must be HOST:PORT");
    if (problem.isEmpty() && parser.isSet(group)) {
        options.mode = sortModeFromText(parser.value(group));
        if (sortModeText(*options.mode) != parser.value(group))
            problem = QStringLiteral("--group must be sifra, vrsta, ime or broj");
    }
    for (const QString &value : parser.values(stock))
        if (problem.isEmpty())
            problem = addStock(value, options);
    if (problem.isEmpty() && !options.out.isEmpty() && !(options.output = outputKindOf(options.out)))
        problem = OutputKindProblem;
    if (problem.isEmpty() && !parser.positionalArguments().isEmpty())
        problem = QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().front());
    if (!problem.isEmpty())
        return {std::nullopt, problem};
    return {options, {}};
}

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0 && file.flush();
}

bool writeOutput(const Options &options, const ReportContent &content, const Tw &w, const Clock &clock)
{
    if (!options.output) {
        std::fputs(reportText(content, options.moment, w).toLocal8Bit().constData(), stdout);
        return true;
    }
    if (*options.output == OutputKind::Csv)
        return writeText(options.out, reportCsv(content));
    if (*options.output == OutputKind::Png) {
        QImage picture;
        RenderReport(picture, content, w);
        return picture.save(options.out, "PNG");
    }
    QPdfWriter pdf(options.out);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Portrait);
    pdf.setResolution(300);
    return PrintReport(pdf, content, options.moment, clock.now(), w);
}

void complain(const QString &text)
{
    std::fprintf(stderr, "skladar-report: %s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the picture and the page need fonts, not a display
    QGuiApplication app(argc, argv);
    // The client's names, so that its settings and its built-in server's store are found.
    QGuiApplication::setApplicationName(QStringLiteral("Skladar"));
    QGuiApplication::setOrganizationName(QStringLiteral("Tervo"));
    StderrDialogs dialogs;
    SystemClock clock;
    const SettingsStore settings;
    const Tw w(settings, dialogs, clock, QLocale::system());

    QString help;
    const Parsed parsed = parseOptions(QCoreApplication::arguments(), w, help);
    if (!parsed.options) {
        if (parsed.problem.isEmpty()) {
            std::fputs(help.toLocal8Bit().constData(), stdout);
            return Done;
        }
        complain(parsed.problem);
        std::fputs(help.toLocal8Bit().constData(), stderr);
        return BadArguments;
    }
    const Options &options = *parsed.options;

    PlantModel plant;
    if (const std::optional<QString> failure = toolLogin(options.login, options.server, settings, plant)) {
        complain(*failure);
        return LoginFailed;
    }
    const DataFolder folder(options.dir);
    const ChartRecordsRead records = readChartRecords(folder);
    if (records.message)
        dialogs.message(records.message->text, records.message->caption);
    if (!folder.exists(ChartRecordFileName))
        return DataFileFailed;

    QuantityReport report;
    report.moment = options.moment;
    report.rows = BuildReportRows(plant.tanks);
    report.mode = options.mode.value_or(ReadSortMode(w));
    report.stock = options.stock;
    report.stockView = options.stockView;
    const MomentSearch search = FindMoment(folder, options.moment, records.records, plant.tanks, report.quantities);
    if (search.outcome == SearchOutcome::NoBlock) {
        complain(QStringLiteral("no history block begins before %1; nothing is reported").arg(PrintTitle(options.moment, w).section(u':', 1).trimmed()));
        return NoBlockBefore;
    }
    if (search.outcome != SearchOutcome::Computed) {
        reportMomentSearch(search, dialogs);
        return DataFileFailed;
    }
    if (!writeOutput(options, ContentOf(report, plant.tanks, w), w, clock)) {
        complain(QStringLiteral("cannot write %1").arg(options.out));
        return DataFileFailed;
    }
    return Done;
}
