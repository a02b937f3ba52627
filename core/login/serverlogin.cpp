// The server login's reads, in the order the server expects them.
#include "core/login/serverlogin.h"

#include "core/exchange/exchangemessages.h"
#include "core/plant/plantmodel.h"
#include "core/exchange/serverexchange.h"
#include "core/codec/windows1252.h"

namespace {

void takeUser(const UserWire &wire, UserProfile &user)
{
    user.configAccess = wire.level == 1 || wire.level == 2 ? 1 : 0;
    user.userName = fromWindows1252(wire.userName);
    user.rights = wire.rights;
}

void takeMaterial(const MaterialRecord &material, TankRecord &tank)
{
    tank.materialSifra = material.sifra;
    tank.materialName = material.name;
    tank.materialKind = material.kind;
    tank.density20 = material.density20;
}

} // namespace

std::optional<QString> loadPlantFromServer(ServerExchange &server, const QString &code, PlantModel &plant)
{
    plant.user.configAccess = 0;
    qint32 status = 0;
    server.beginSession();
    const auto user = readRecord(server, keyRequest(userKeyFor(code)), decodeUserWire, status);
    if (!user)
        return LoginFailureText::userRead(status);
    takeUser(*user, plant.user);

    for (int slot = 1; slot <= TankCount; ++slot) {
        TankRecord &tank = plant.tanks.slot(slot);
        if (!plant.user.rights[slot].seesLiveValues()) {
            tank.active = 0;
            continue;
        }
        tank.active = 1;
        tank.tankId = TankIdList[slot];
        tank.paramCode = tank.tankId + TankParamsCodeBase;
        tank.name = tankDisplayName(slot);

        const auto params = readRecord(server, codeRequest(tank.paramCode), decodeTankParamsWire, status);
        if (!params)
            return LoginFailureText::tankParams();
        takeTankParams(tank, *params);
        const auto material = readRecord(server, codeRequest(tank.materialCode), decodeMaterialWire, status);
        if (!material)
            return LoginFailureText::material();
        takeMaterial(material->material, tank);
    }
    return std::nullopt;
}
