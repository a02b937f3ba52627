// skladar-server: the acquisition server program, with the administration commands of its store.
#include "core/exchange/serverrecords.h"
#include "core/codec/shorttext.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"
#include "server/tcpserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
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

int serve(PlantStore &store, const ListenAddress &address, bool verbose)
{
    const std::unique_ptr<QSocketNotifier> signalNotifier = quitOnSignals();
    if (!signalNotifier)
        return fail(u"cannot watch for SIGINT and SIGTERM"_s);
    RequestHandler handler(store);
    TcpServer server(handler, verbose ? TcpServer::Log([](const QString &line) { printLine(stderr, line); })
                                      : TcpServer::Log());
    if (!server.listen(address)) {
        return fail(u"cannot listen on %1: %2"_s.arg(listenAddressText(address.address, address.port),
                                                     server.errorString()));
    }
    const ListenAddress bound = server.address();
    printLine(stdout, u"skladar-server: listening on %1, store %2"_s.arg(listenAddressText(bound.address, bound.port),
                                                                         store.path()));
    return QCoreApplication::exec();
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
    const QCommandLineOption verboseOption(u"verbose"_s, u"Logs one line per request to standard error."_s);
    const QCommandLineOption setLevelOption(
        u"set-level"_s, u"Gives the user with PASSWORD the level LEVEL (1 to 3) and exits."_s, u"PASSWORD"_s);
    const QCommandLineOption listUsersOption(
        u"list-users"_s, u"Lists the users (position, password, level, name) and exits."_s);
    parser.addOptions({versionOption, listenOption, dbOption, verboseOption, setLevelOption, listUsersOption});
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
    if (settingLevel && parser.isSet(listUsersOption))
        return fail(u"--set-level and --list-users cannot be combined"_s);
    const std::optional<ListenAddress> address = parseListenAddress(parser.value(listenOption));
    if (!address)
        return fail(u"--listen needs ADDR:PORT with a numeric address, not \"%1\""_s.arg(parser.value(listenOption)));

    const StoreOpening opening = PlantStore::open(parser.value(dbOption));
    if (!opening.store)
        return fail(opening.error);
    if (parser.isSet(listUsersOption))
        return listUsers(*opening.store);
    if (settingLevel)
        return setLevel(*opening.store, parser.value(setLevelOption), arguments.front());
    return serve(*opening.store, *address, parser.isSet(verboseOption));
}
