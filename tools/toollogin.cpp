// The tools' login.
#include "tools/toollogin.h"

#include "core/login/login.h"
#include "server/embeddedexchange.h"

#include <QHostInfo>

#include <cstdio>

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

std::optional<QString> toolLogin(const QString &code, const std::optional<ServerAddress> &server,
                                 const SettingsStore &settings, PlantModel &plant)
{
    if (server) {
        const std::unique_ptr<ServerExchange> exchange = networkExchange(*server);
        const std::optional<QString> failure = fillPlantModel(code.toUpper(), *exchange, plant);
        // A TLS failure says more than the login window's text.
        if (failure && exchange->lastFailure().startsWith(QStringLiteral("TLS:")))
            return exchange->lastFailure();
        return failure;
    }
    // The link opens the embedded store only when an exchange is made, never for the demonstration code.
    ServerLink link(settings, [] {
        EmbeddedExchangeOpening opening = openEmbeddedExchange();
        if (!opening.error.isEmpty())
            std::fprintf(stderr, "%s\n", opening.error.toLocal8Bit().constData());
        return std::unique_ptr<ServerExchange>(std::move(opening.exchange));
    });
    return fillPlantModel(code.toUpper(), link, plant);
}
