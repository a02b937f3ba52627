// The login of a command-line tool, performed as the client performs it, without a window.
#pragma once

#include "core/exchange/serverlink.h"

#include <QString>

#include <optional>

class QCommandLineParser;
class SettingsStore;
struct PlantModel;

// Adds --server HOST:PORT and --tls-ca FILE to the parser.
void addServerOptions(QCommandLineParser &parser);
// The address of --server (a host as an address or a name) with TLS trusting the PEM file of
// --tls-ca; nullopt in server when --server is not given. The text of the problem, empty when none.
QString takeServerOptions(const QCommandLineParser &parser, std::optional<ServerAddress> &server);

struct ToolLoginFailure
{
    int status; // LoginRefused or ServerUnreachable
    QString text;
};

// Fills plant for the user code (any letter case): the built-in plant for the demonstration code,
// otherwise the user's record and tanks from the server at `server`, or, without one, from the
// server the settings choose (the server built into the client when none is set). Nullopt when
// logged in. A failed TLS handshake is a refusal told by its reason ("TLS: ..."); a server that
// cannot be reached is told with its address.
std::optional<ToolLoginFailure> toolLogin(const QString &code, const std::optional<ServerAddress> &server,
                                          const SettingsStore &settings, PlantModel &plant);
