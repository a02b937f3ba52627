// skladar-server: the acquisition server program, with the administration commands of its store.
#include "core/exchange/serverrecords.h"
#include "core/codec/shorttext.h"
#include "core/program/commandline.h"
#include "core/services/clock.h"
#include "server/acquisitionoptions.h"
#include "server/loginthrottle.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"
#include "server/serverlog.h"
#include "server/sessionhandler.h"
#include "server/tcpserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTcpServer>

#include <csignal>
#include <cstdio>
#include <memory>
#include <variant>

#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

// User levels: 1 and 2 may configure the plant, 3 may not.
constexpr int HighestLevel = 1;
constexpr int LowestLevel = 3;

void printLine(std::FILE *stream, const QString &line)
{
    std::fprintf(stream, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stream);
}

int fail(const QString &message) { return complain(DataFileFailed, message); }

// SIGINT and SIGTERM end the event loop: the signal handler only writes one byte into a socket
// pair whose other end the loop watches.
int signalSockets[2] = {-1, -1};

void forwardSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &byte, 1);
}

std::unique_ptr<QSocketNotifier> quitOnSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSockets) != 0)
        return nullptr;
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (::sigaction(SIGINT, &action, nullptr) != 0 || ::sigaction(SIGTERM, &action, nullptr) != 0)
        return nullptr;
    auto notifier = std::make_unique<QSocketNotifier>(signalSockets[1], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, QCoreApplication::instance(),
                     &QCoreApplication::quit);
    return notifier;
}

int listUsers(PlantStore &store)
{
    const StoreResult<QList<StoredUser>> users = store.users();
    if (!users.ok())
        return fail(u"cannot read the users: %1"_s.arg(store.lastError()));
    for (const StoredUser &stored : users.value) {
        printLine(stdout, u"%1\t%2\t%3\t%4"_s.arg(stored.position)
                              .arg(textUpToNul(stored.user.password).trimmed())
                              .arg(stored.user.level)
                              .arg(textUpToNul(stored.user.userName).trimmed()));
    }
    return 0;
}

int setLevel(PlantStore &store, const QString &password, const QString &levelText)
{
    bool numeric = false;
    const int level = levelText.toInt(&numeric);
    if (!numeric || level < HighestLevel || level > LowestLevel)
        return complain(BadArguments, u"the level must be 1, 2 or 3, not \"%1\""_s.arg(levelText));
    switch (store.setUserLevel(userKeyFor(password), level)) {
    case StoreStatus::Ok:
        printLine(stdout,
                  u"skladar-server: the user with password %1 now has level %2"_s.arg(password.toUpper()).arg(level));
        return 0;
    case StoreStatus::NotFound:
        return fail(u"no user has the password %1"_s.arg(password.toUpper()));
    default:
        return fail(u"cannot set the level: %1"_s.arg(store.lastError()));
    }
}

// What serving needs besides the store: where, how and what to log.
struct ServeOptions
{
    ListenAddress address;
    TcpServer::Options transport;
    LogLevel logLevel = LogLevel::Info;
    std::optional<AcquisitionOptions> acquisition;
};

// Whether the address can be bound now: serving opens, and may create, the store only after this.
bool canListen(const ListenAddress &address)
{
    QTcpServer probe;
    if (probe.listen(address.address, address.port))
        return true;
    fail(u"cannot listen on %1: %2"_s.arg(listenAddressText(address.address, address.port), probe.errorString()));
    return false;
}

int serve(PlantStore &store, ServeOptions options)
{
    const std::unique_ptr<QSocketNotifier> signalNotifier = quitOnSignals();
    if (!signalNotifier)
        return fail(u"cannot watch for SIGINT and SIGTERM"_s);
    const ServerLog log(options.logLevel, [](const QString &line) { printLine(stderr, line); });
    const SystemClock clock;
    LoginThrottle throttle(clock);
    std::unique_ptr<RunningAcquisition> acquisition;
    if (options.acquisition) {
        AcquisitionStart started = startAcquisition(*options.acquisition, clock, log);
        if (!started.acquisition)
            return fail(started.error);
        acquisition = std::move(started.acquisition);
    }
    RequestHandler handler(store, acquisition ? &acquisition->live() : nullptr);
    SessionHandler sessions(handler, store, clock, throttle, log);
    const bool tls = options.transport.tls.has_value();
    TcpServer server(sessions, throttle, log, std::move(options.transport));
    if (!server.listen(options.address)) {
        return fail(u"cannot listen on %1: %2"_s.arg(listenAddressText(options.address.address, options.address.port),
                                                     server.errorString()));
    }
    const ListenAddress bound = server.address();
    printLine(stdout, u"skladar-server: listening on %1%2, store %3"_s.arg(
                          listenAddressText(bound.address, bound.port), tls ? u" (TLS)"_s : QString(), store.path()));
    log.write(LogLevel::Info,
              u"started on %1%2"_s.arg(listenAddressText(bound.address, bound.port), tls ? u" (TLS)"_s : QString()));
    return QCoreApplication::exec();
}

// The audit trail oldest first, as tab-separated lines or as CSV.
int printAudit(PlantStore &store, const QDate &since, bool csv)
{
    const StoreResult<QList<AuditRow>> rows = store.auditRows(since);
    if (!rows.ok())
        return fail(u"cannot read the audit trail: %1"_s.arg(store.lastError()));
    const auto cell = [](QString text) {
        if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
            return text;
        return u"\"%1\""_s.arg(text.replace(u"\""_s, u"\"\""_s));
    };
    if (csv)
        printLine(stdout, u"time,user,address,code,change"_s);
    for (const AuditRow &row : rows.value) {
        const QString time = row.time.toString(u"yyyy-MM-ddTHH:mm:ssZ"_s);
        const QString user = row.position > 0 ? u"%1 (%2)"_s.arg(row.user).arg(row.position) : QString();
        const QStringList cells{time, user, row.address, row.code, row.change};
        if (csv) {
            QStringList quoted;
            for (const QString &text : cells)
                quoted.append(cell(text));
            printLine(stdout, quoted.join(u','));
        } else {
            printLine(stdout, cells.join(u'\t'));
        }
    }
    return 0;
}

int backUp(PlantStore &store, const QString &path)
{
    if (store.backup(path) != StoreStatus::Ok)
        return fail(store.lastError());
    return 0;
}

const char *const Description
    = "Acquisition server of the Skladar tank farm: keeps the plant configuration and answers the client's\n"
      "exchange requests. A data file fails when the store cannot be opened, created or read, or when\n"
      "the address cannot be bound.";

// The administration command asked for, at most one.
enum class Command { Serve, SetLevel, ListUsers, Audit, Backup };

struct Options
{
    Command command = Command::Serve;
    QString storePath;
    bool storeNamed = false; // --db given
    QString password;        // --set-level
    QString level;
    QDate since; // --audit
    bool csv = false;
    QString backupPath;
    ServeOptions serving;
};

void addOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {u"listen"_s, u"Listens on ADDR:PORT, a numeric address; port 0 takes a free port."_s, u"ADDR:PORT"_s,
         u"127.0.0.1:7400"_s},
        {u"db"_s, u"Keeps the plant in the store FILE (default %1)."_s.arg(defaultStorePath()), u"FILE"_s,
         defaultStorePath()},
        {u"log-level"_s,
         u"Logs at LEVEL to standard error: warning, info (start, logins, refusals, writes; the default) or debug (also every request)."_s,
         u"LEVEL"_s, u"info"_s},
        {u"verbose"_s, u"The same as --log-level debug."_s},
        {u"tls-cert"_s, u"Accepts TLS only, with the PEM certificate FILE."_s, u"FILE"_s},
        {u"tls-key"_s, u"The PEM private key FILE of --tls-cert."_s, u"FILE"_s},
        {u"allow"_s, u"Accepts connections only from CIDR (IPv4 or IPv6; may be given more than once)."_s, u"CIDR"_s},
        {u"set-level"_s, u"Gives the user with PASSWORD the level LEVEL (1 to 3) and exits."_s, u"PASSWORD"_s},
        {u"list-users"_s, u"Lists the users (position, password, level, name) and exits."_s},
        {u"audit"_s, u"Prints the audit trail, oldest first, and exits."_s},
        {u"since"_s, u"With --audit: only from the day DATE (UTC) on."_s, u"YYYY-MM-DD"_s},
        {u"csv"_s, u"With --audit: CSV with the header time,user,address,code,change."_s},
        {u"backup"_s,
         u"Writes a consistent copy of the store to OUT (mode 0600), also while a server runs, and exits."_s, u"OUT"_s},
    });
    parser.addPositionalArgument(u"LEVEL"_s, u"The level of --set-level."_s, u"[LEVEL]"_s);
}

// The command and its arguments; the text of the first problem, empty when none.
QString takeCommand(const QCommandLineParser &parser, Options &options)
{
    const QStringList commands{u"set-level"_s, u"list-users"_s, u"audit"_s, u"backup"_s};
    qsizetype given = 0;
    for (qsizetype i = 0; i < commands.size(); ++i) {
        if (parser.isSet(commands[i])) {
            options.command = static_cast<Command>(i + 1);
            ++given;
        }
    }
    if (given > 1)
        return u"--set-level, --list-users, --audit and --backup cannot be combined"_s;
    QStringList arguments = parser.positionalArguments();
    if (options.command == Command::SetLevel) {
        if (arguments.isEmpty())
            return u"--set-level takes PASSWORD and LEVEL"_s;
        options.password = parser.value(u"set-level"_s);
        options.level = arguments.takeFirst();
    }
    if (!arguments.isEmpty())
        return u"unexpected argument %1"_s.arg(arguments.front());
    options.since = QDate::fromString(parser.value(u"since"_s), u"yyyy-MM-dd"_s);
    if (parser.isSet(u"since"_s) && !options.since.isValid())
        return u"--since needs a date YYYY-MM-DD, not \"%1\""_s.arg(parser.value(u"since"_s));
    options.csv = parser.isSet(u"csv"_s);
    options.backupPath = parser.value(u"backup"_s);
    options.storePath = parser.value(u"db"_s);
    options.storeNamed = parser.isSet(u"db"_s);
    return {};
}

// Where to listen and what to log; the text of the first problem, empty when none.
QString takeServing(const QCommandLineParser &parser, ServeOptions &serving)
{
    const std::optional<ListenAddress> address = parseListenAddress(parser.value(u"listen"_s));
    if (!address)
        return u"--listen needs ADDR:PORT with a numeric address, not \"%1\""_s.arg(parser.value(u"listen"_s));
    serving.address = *address;
    const std::optional<LogLevel> level
        = parser.isSet(u"verbose"_s) ? LogLevel::Debug : logLevelNamed(parser.value(u"log-level"_s));
    if (!level)
        return u"--log-level takes warning, info or debug, not \"%1\""_s.arg(parser.value(u"log-level"_s));
    serving.logLevel = *level;
    return {};
}

// TLS and the allow-list; the text of the first problem, empty when none.
QString takeTransport(const QCommandLineParser &parser, TcpServer::Options &transport)
{
    for (const QString &cidr : parser.values(u"allow"_s)) {
        if (!transport.allowed.add(cidr))
            return u"--allow needs an address block such as 10.1.2.0/24 or fd00::/8, not \"%1\""_s.arg(cidr);
    }
    if (parser.isSet(u"tls-cert"_s) != parser.isSet(u"tls-key"_s))
        return u"--tls-cert and --tls-key go together"_s;
    if (parser.isSet(u"tls-cert"_s)) {
        QString error;
        transport.tls = loadTlsIdentity(parser.value(u"tls-cert"_s), parser.value(u"tls-key"_s), error);
        if (!transport.tls)
            return error;
    }
    return {};
}

// The options, or the status the program ends with: --help, --version or bad arguments.
std::variant<Options, int> parseOptions(const QStringList &arguments)
{
    CommandLine line(QString::fromLatin1(Description), {Done, DataFileFailed, BadArguments});
    addOptions(line.parser);
    const AcquisitionOptionSet acquisitionOptions;
    acquisitionOptions.addTo(line.parser);
    if (const std::optional<int> status = line.parse(arguments))
        return *status;
    Options options;
    for (const QString &problem : {takeCommand(line.parser, options), takeServing(line.parser, options.serving),
                                   takeTransport(line.parser, options.serving.transport)}) {
        if (!problem.isEmpty())
            return CommandLine::badArgument(problem);
    }
    AcquisitionOptionSet::Reading acquiring = acquisitionOptions.read(line.parser, options.storePath);
    if (!acquiring.error.isEmpty())
        return CommandLine::badArgument(acquiring.error);
    options.serving.acquisition = std::move(acquiring.options);
    return options;
}

int run(Options options)
{
    // The administration commands read an existing store; only serving may create one, and only
    // once its address is bound.
    if (options.command != Command::Serve && !options.storeNamed && !QFileInfo::exists(options.storePath))
        return fail(u"no store at the default path %1; name one with --db"_s.arg(options.storePath));
    if (options.command == Command::Serve && !canListen(options.serving.address))
        return DataFileFailed;
    const StoreOpening opening = PlantStore::open(options.storePath);
    if (!opening.store)
        return fail(opening.error);
    PlantStore &store = *opening.store;
    switch (options.command) {
    case Command::ListUsers:
        return listUsers(store);
    case Command::Audit:
        return printAudit(store, options.since, options.csv);
    case Command::Backup:
        return backUp(store, options.backupPath);
    case Command::SetLevel:
        return setLevel(store, options.password, options.level);
    case Command::Serve:
        break;
    }
    return serve(store, std::move(options.serving));
}

} // namespace

int main(int argc, char *argv[])
{
    beginProgram("skladar-server");
    QCoreApplication app(argc, argv);
    // The names choose the data folder of the default store, shared with the client.
    QCoreApplication::setOrganizationName(u"Tervo"_s);
    QCoreApplication::setApplicationName(u"Skladar"_s);
    std::variant<Options, int> parsed = parseOptions(QCoreApplication::arguments());
    if (const int *status = std::get_if<int>(&parsed))
        return *status;
    return run(std::move(std::get<Options>(parsed)));
}
