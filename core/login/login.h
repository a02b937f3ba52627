// The client's login without a window: the code decides between the built-in plant and the server.
#pragma once

#include <QString>

#include <optional>

class ServerExchange;
struct PlantModel;

// The code that selects the demonstration load, compared after conversion to upper case.
inline const QString DemonstrationCode = QStringLiteral("ZASUNAK");

// Fills the model for code (already in upper case): the demonstration plant with every right for
// DemonstrationCode, otherwise the user's record and tanks read through server. Nullopt when the
// login succeeded, else the failure text of the login window (the model may then be partly filled,
// so callers fill a copy and keep it only on success).
std::optional<QString> fillPlantModel(const QString &code, ServerExchange &server, PlantModel &plant);
