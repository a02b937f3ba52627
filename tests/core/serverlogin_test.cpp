// The server login: what it asks for, in which order, what it takes and how it fails.
#include "core/login/serverlogin.h"

#include "core/codec/bytes.h"
#include "core/plant/plantmodel.h"
#include "tests/support/plantserver.h"

#include <gtest/gtest.h>

namespace {

class ServerLoginTest : public testing::Test
{
protected:
    ServerLoginTest() : exchange(server.answerer()) { plant.tanks.slot(3).name = QStringLiteral("kept"); }

    std::optional<QString> login(const QString &code = QStringLiteral("OPER"))
    {
        return loadPlantFromServer(exchange, code, plant);
    }

    PlantServer server;
    ScriptedExchange exchange;
    PlantModel plant;
};

} // namespace

TEST_F(ServerLoginTest, AsksForTheUserThenParametersAndMaterialOfEveryVisibleTank)
{
    ASSERT_EQ(login(), std::nullopt);
    QList<qint32> expected{*readI32(keyRequest("OPER    "), 0)};
    for (int slot = 1; slot <= TankCount; ++slot) {
        if (slot != 3)
            expected << TankIdList[slot] + 300 << 203 + slot;
    }
    EXPECT_EQ(exchange.codes(), expected) << "tank 78 (history only) is never asked for";

    const TankRecord &tank = plant.tanks.slot(15);
    EXPECT_EQ(std::tuple(tank.active, tank.tankId, tank.name, tank.paramCode, tank.serverTankId, tank.paramSifra),
              std::tuple(quint8{1}, 97, QStringLiteral("R 97"), 397, 97, QStringLiteral("S97")));
    EXPECT_EQ((std::array{tank.diameter, tank.height, tank.gaugeHeight, tank.deadZoneHeight, tank.maxLevel, tank.maxVolume,
                          tank.deadZoneVolume, tank.density20}),
              (std::array<double, 8>{9.7, 12, 11, 150, 10, 1000, 2, 1118}));
    EXPECT_EQ(std::tuple(tank.materialCode, tank.materialSifra, tank.materialName, tank.materialKind),
              std::tuple(218, QStringLiteral("M218"), QStringLiteral("Ime 218"), QStringLiteral("Vrsta 218")));

    EXPECT_TRUE(plant.tanks.slot(3).active == 0 && plant.tanks.slot(3).name == QStringLiteral("kept")) << "an inactive tank keeps its other fields";
    EXPECT_EQ(plant.user.userName, QStringLiteral("Operater Petar").leftJustified(40, u' '));
    EXPECT_EQ(plant.user.rights, server.user.rights) << "rights are copied whole, tank numbers included";
}

TEST_F(ServerLoginTest, ConfigurationAccessOnlyForLevelsOneAndTwo)
{
    for (const auto &[level, access] : std::map<qint32, quint8>{{0, 0}, {1, 1}, {2, 1}, {3, 0}}) {
        server.user.level = level;
        plant.user.configAccess = 1;
        ASSERT_EQ(login(), std::nullopt);
        EXPECT_EQ(plant.user.configAccess, access) << level;
    }
}

TEST_F(ServerLoginTest, AFailedUserReadTellsNoConnectionFromAnUnknownUserAfterFiveTries)
{
    struct Case { qint32 status; const char16_t *text; };
    for (const Case c : {Case{10001, u"Racunar nije uspostavio vezu sa serverom."}, Case{10004, u"Korisnik nije prijavljen na serveru."},
                         Case{10006, u"Korisnik nije prijavljen na serveru."}}) {
        server.unknownUserStatus = c.status;
        exchange.requests.clear();
        EXPECT_EQ(login(QStringLiteral("NIKO")), QString::fromUtf16(c.text));
        EXPECT_EQ(exchange.requests.size(), 5);
    }
}

TEST_F(ServerLoginTest, AFailedTankReadStopsAtThatSlotAndAFailedMaterialReadHasItsOwnText)
{
    server.failing[380] = ExchangeStatus::StoreFailed; // slot 5
    EXPECT_EQ(login(), QStringLiteral("Neuspesan unos podataka o skladarma."));
    EXPECT_TRUE(exchange.codes().count(380) == 5 && !exchange.codes().contains(381));
    server.failing = {{210, ExchangeStatus::NoConnection}};
    EXPECT_EQ(login(), QStringLiteral("Neuspesan unos podataka o materijalima."));
}
