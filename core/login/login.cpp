// The login's choice between the demonstration plant and the server.
#include "core/login/login.h"

#include "core/login/serverlogin.h"
#include "core/plant/demonstrationplant.h"

std::optional<QString> fillPlantModel(const QString &code, ServerExchange &server, PlantModel &plant)
{
    if (code == DemonstrationCode) {
        loadDemonstrationPlant(plant);
        return std::nullopt;
    }
    return loadPlantFromServer(server, code, plant);
}
