// The tools' login.
#include "tools/toollogin.h"

#include "core/exchange/exchangemessages.h"
#include "core/login/login.h"
#include "core/program/commandline.h"
#include "server/embeddedexchange.h"

#include <QCommandLineParser>
#include <QHostInfo>

namespace {

using namespace Qt::StringLiterals;

std::optional<ServerAddress> parseServerOption(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(u':');
    bool portOk = false;
    const uint port = colon > 0 ? text.mid(colon + 1).toUInt(&portOk) : 0;
    if (!portOk || port < 1 || port > 65535)
        return std::nullopt;
    const QList<QHostAddress> addresses = QHostInfo::fromName(text.left(colon)).addresses();
    if (addresses.isEmpty())
        return std::nullopt;
    ServerAddress address;
    address.address = addresses.front();
    address.port = static_cast<quint16>(port);
    return address;
}

std::optional<ToolLoginFailure> classify(const std::optional<QString> &failure, const ServerExchange &exchange,
                                         const QString &where)
{
    if (!failure)
        return std::nullopt;
    const QString reason = exchange.lastFailure();
    if (reason.startsWith(u"TLS:"_s))
        return ToolLoginFailure{LoginRefused, reason};
    if (*failure == LoginFailureText::userRead(ExchangeStatus::NoConnection))
        return ToolLoginFailure{
            ServerUnreachable,
            u"%1: %2%3"_s.arg(where, *failure, reason.isEmpty() ? QString() : u" ("_s + reason + u')')};
    return ToolLoginFailure{LoginRefused, u"%1: %2"_s.arg(where, *failure)};
}

QString addressText(const ServerAddress &address)
{
    return address.embedded() ? u"the built-in server"_s : u"%1:%2"_s.arg(address.address.toString()).arg(address.port);
}

} // namespace

void addServerOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {u"server"_s,
         u"The acquisition server (default: as the client chooses it from its settings, the built-in server when none is set)."_s,
         u"HOST:PORT"_s},
        {u"tls-ca"_s, u"With --server: speaks TLS and trusts the server's PEM certificate FILE."_s, u"FILE"_s},
    });
}

QString takeServerOptions(const QCommandLineParser &parser, std::optional<ServerAddress> &server)
{
    if (parser.isSet(u"tls-ca"_s) && !parser.isSet(u"server"_s))
        return u"--tls-ca goes with --server"_s;
    if (!parser.isSet(u"server"_s))
        return {};
    if (!(server = parseServerOption(parser.value(u"server"_s))))
        return u"--server must be HOST:PORT with a known host and a port 1 to 65535"_s;
    if (parser.isSet(u"tls-ca"_s)) {
        server->tls = true;
        server->trustedCertificate = parser.value(u"tls-ca"_s);
    }
    return {};
}

std::optional<ToolLoginFailure> toolLogin(const QString &code, const std::optional<ServerAddress> &server,
                                          const SettingsStore &settings, PlantModel &plant)
{
    if (server) {
        const std::unique_ptr<ServerExchange> exchange = networkExchange(*server);
        return classify(fillPlantModel(code.toUpper(), *exchange, plant), *exchange, addressText(*server));
    }
    // The link opens the embedded store only when an exchange is made, never for the demonstration code.
    ServerLink link(settings, [] {
        EmbeddedExchangeOpening opening = openEmbeddedExchange();
        if (!opening.error.isEmpty())
            complain(DataFileFailed, opening.error);
        return std::unique_ptr<ServerExchange>(std::move(opening.exchange));
    });
    const std::optional<QString> failure = fillPlantModel(code.toUpper(), link, plant);
    return classify(failure, link, addressText(serverAddressFromSettings(settings)));
}
