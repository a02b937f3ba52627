// The login of a command-line tool, performed as the client performs it, without a window.
#pragma once

#include "core/exchange/serverlink.h"

#include <QString>

#include <optional>

class SettingsStore;
struct PlantModel;

// "HOST:PORT", the host as an address or a name; nullopt when it is not that.
std::optional<ServerAddress> parseServerOption(const QString &text);

// Fills plant for the user code (any letter case): the built-in plant for the demonstration code,
// otherwise the user's record and tanks from the server at `server`, or, without one, from the
// server the settings choose (the server built into the client when none is set). Nullopt when
// logged in, else the failure text the login window would show.
std::optional<QString> toolLogin(const QString &code, const std::optional<ServerAddress> &server,
                                 const SettingsStore &settings, PlantModel &plant);
