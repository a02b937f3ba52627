// skladar-server: the acquisition server program, with the administration commands of its store.
#include "core/exchange/serverrecords.h"
#include "core/codec/shorttext.h"
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

#include <csignal>
#include <cstdio>
#include <memory>

#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

constexpr int ExitFailure = 1;

// User levels: 1 and 2 may configure the plant, 3 may not.
constexpr int HighestLevel = 1;
constexpr int LowestLevel = 3;

void printLine(std::FILE *stream, const QString &line)
{
    std::fprintf(stream, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stream);
}

int fail(const QString &message)
{
    printLine(stderr, u"skladar-server: "_s + message);
    return ExitFailure;
}

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
        return fail(u"the level must be 1, 2 or 3, not \"%1\""_s.arg(levelText));
    switch (store.setUserLevel(userKeyFor(password), level)) {
    case StoreStatus::Ok:
        printLine(stdout, u"skladar-server: the user with password %1 now has level %2"_s.arg(password.toUpper()).arg(level));
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
    log.write(LogLevel::Info, u"started on %1%2"_s.arg(listenAddressText(bound.address, bound.port),
                                                      tls ? u" (TLS)"_s : QString()));
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The names choose the data folder of the default store, shared with the client.
    QCoreApplication::setOrganizationName(u"Tervo"_s);
    QCoreApplication::setApplicationName(u"Skladar"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Acquisition server of the Skladar tank farm: keeps the plant configuration and answers the "
        "client's exchange requests."_s);
    parser.addHelpOption();
    const QCommandLineOption versionOption({u"v"_s, u"version"_s}, u"Shows the version and exits."_s);
    const QCommandLineOption listenOption(
        u"listen"_s, u"Listens on ADDR:PORT, a numeric address; port 0 takes a free port."_s, u"ADDR:PORT"_s,
        u"127.0.0.1:7400"_s);
    const QCommandLineOption dbOption(u"db"_s, u"Keeps the plant in the store FILE (default %1)."_s.arg(defaultStorePath()),
                                      u"FILE"_s, defaultStorePath());
    const QCommandLineOption logLevelOption(
        u"log-level"_s, u"Logs at LEVEL to standard error: warning, info (start, logins, refusals, writes; the "
                        "default) or debug (also every request)."_s,
        u"LEVEL"_s, u"info"_s);
    const QCommandLineOption verboseOption(u"verbose"_s, u"The same as --log-level debug."_s);
    const QCommandLineOption tlsCertOption(u"tls-cert"_s, u"Accepts TLS only, with the PEM certificate FILE."_s,
                                           u"FILE"_s);
    const QCommandLineOption tlsKeyOption(u"tls-key"_s, u"The PEM private key FILE of --tls-cert."_s, u"FILE"_s);
    const QCommandLineOption allowOption(
        u"allow"_s, u"Accepts connections only from CIDR (IPv4 or IPv6; may be given more than once)."_s, u"CIDR"_s);
    const QCommandLineOption setLevelOption(
        u"set-level"_s, u"Gives the user with PASSWORD the level LEVEL (1 to 3) and exits."_s, u"PASSWORD"_s);
    const QCommandLineOption listUsersOption(
        u"list-users"_s, u"Lists the users (position, password, level, name) and exits."_s);
    const QCommandLineOption auditOption(u"audit"_s, u"Prints the audit trail, oldest first, and exits."_s);
    const QCommandLineOption sinceOption(u"since"_s, u"With --audit: only from the day DATE (UTC) on."_s,
                                         u"YYYY-MM-DD"_s);
    const QCommandLineOption csvOption(u"csv"_s, u"With --audit: CSV with the header time,user,address,code,change."_s);
    const QCommandLineOption backupOption(
        u"backup"_s, u"Writes a consistent copy of the store to OUT (mode 0600), also while a server runs, and exits."_s,
        u"OUT"_s);
    parser.addOptions({versionOption, listenOption, dbOption, logLevelOption, verboseOption, tlsCertOption, tlsKeyOption,
                       allowOption, setLevelOption, listUsersOption, auditOption, sinceOption, csvOption, backupOption});
    const AcquisitionOptionSet acquisitionOptions;
    acquisitionOptions.addTo(parser);
    parser.addPositionalArgument(u"LEVEL"_s, u"The level of --set-level."_s, u"[LEVEL]"_s);
    parser.process(app);

    if (parser.isSet(versionOption)) {
        printLine(stdout, u"skladar-server %1"_s.arg(QString::fromLatin1(SKLADAR_VERSION)));
        return 0;
    }
    const QStringList arguments = parser.positionalArguments();
    const bool settingLevel = parser.isSet(setLevelOption);
    if (arguments.size() != (settingLevel ? 1 : 0))
        return fail(u"--set-level takes PASSWORD and LEVEL; no other argument is expected"_s);
    const int commands = int(settingLevel) + int(parser.isSet(listUsersOption)) + int(parser.isSet(auditOption))
        + int(parser.isSet(backupOption));
    if (commands > 1)
        return fail(u"--set-level, --list-users, --audit and --backup cannot be combined"_s);
    const QDate since = QDate::fromString(parser.value(sinceOption), u"yyyy-MM-dd"_s);
    if (parser.isSet(sinceOption) && !since.isValid())
        return fail(u"--since needs a date YYYY-MM-DD, not \"%1\""_s.arg(parser.value(sinceOption)));

    ServeOptions serving;
    const std::optional<ListenAddress> address = parseListenAddress(parser.value(listenOption));
    if (!address)
        return fail(u"--listen needs ADDR:PORT with a numeric address, not \"%1\""_s.arg(parser.value(listenOption)));
    serving.address = *address;
    const std::optional<LogLevel> level =
        parser.isSet(verboseOption) ? LogLevel::Debug : logLevelNamed(parser.value(logLevelOption));
    if (!level)
        return fail(u"--log-level takes warning, info or debug, not \"%1\""_s.arg(parser.value(logLevelOption)));
    serving.logLevel = *level;
    const AcquisitionOptionSet::Reading acquiring = acquisitionOptions.read(parser, parser.value(dbOption));
    if (!acquiring.error.isEmpty())
        return fail(acquiring.error);
    serving.acquisition = acquiring.options;
    for (const QString &cidr : parser.values(allowOption)) {
        if (!serving.transport.allowed.add(cidr))
            return fail(u"--allow needs an address block such as 10.1.2.0/24 or fd00::/8, not \"%1\""_s.arg(cidr));
    }
    if (parser.isSet(tlsCertOption) != parser.isSet(tlsKeyOption))
        return fail(u"--tls-cert and --tls-key go together"_s);
    if (parser.isSet(tlsCertOption)) {
        QString error;
        serving.transport.tls = loadTlsIdentity(parser.value(tlsCertOption), parser.value(tlsKeyOption), error);
        if (!serving.transport.tls)
            return fail(error);
    }

    // The administration commands read an existing store; only serving may create one.
    const QString storePath = parser.value(dbOption);
    if (commands > 0 && !parser.isSet(dbOption) && !QFileInfo::exists(storePath))
        return fail(u"no store at the default path %1; name one with --db"_s.arg(storePath));
    const StoreOpening opening = PlantStore::open(storePath);
    if (!opening.store)
        return fail(opening.error);
    if (parser.isSet(listUsersOption))
        return listUsers(*opening.store);
    if (parser.isSet(auditOption))
        return printAudit(*opening.store, since, parser.isSet(csvOption));
    if (parser.isSet(backupOption))
        return backUp(*opening.store, parser.value(backupOption));
    if (settingLevel)
        return setLevel(*opening.store, parser.value(setLevelOption), arguments.front());
    return serve(*opening.store, std::move(serving));
}
