// The login against the acquisition server: the user record, then every visible tank.
#pragma once

#include <QString>

#include <optional>

class ServerExchange;
struct PlantModel;

// Reads the user record of `code` (already in upper case) and, slot by slot, the parameters and
// the material of every tank on which the user may see a live value, into `plant`. A tank the user
// may not see gets only active = 0. Returns the failure text for the login window when a read
// fails; the slots read before it keep their new values.
std::optional<QString> loadPlantFromServer(ServerExchange &server, const QString &code, PlantModel &plant);
