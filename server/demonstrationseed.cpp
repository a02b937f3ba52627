// The demonstration plant as tables: the tanks of the demonstration login with their geometry and materials.
#include "server/demonstrationseed.h"

#include "core/codec/windows1252.h"

#include <algorithm>
#include <numbers>

namespace {

using namespace Qt::StringLiterals;

struct MaterialRow
{
    const char16_t *sifra;
    const char16_t *name;
    const char16_t *kind;
    double density20; // kg/m3
};

// One material per sifra of the demonstration tanks, in the order the tanks first name them.
// "MK " keeps its trailing blank: the tanks refer to it so.
constexpr MaterialRow Materials[] = {
    {u"RBD SU", u"Rafinisano suncokretovo ulje", u"Beljeno suncokretovo ulje", 919.0},
    {u"RBH SU", u"Hladno presovano suncokretovo ulje", u"Jestivo suncokretovo ulje", 919.5},
    {u"MK ", u"Masna kiselina", u"Masna kiselina", 890.0},
    {u"RBDS SU", u"Rafinisano sojino ulje", u"Jestivo sojino ulje", 920.0},
    {u"RBH RU", u"Rafinisano repino ulje", u"Beljeno repino ulje", 914.0},
    {u"RBHS SU", u"Beljeno sojino ulje", u"Beljeno sojino ulje", 920.5},
    {u"RBD M", u"Rafinisana biljna mast", u"Biljne masti", 910.0},
    {u"RBD UM", u"Uvozna rafinisana biljna mast", u"Uvozne biljne masti", 910.0},
};

struct TankRow
{
    int tankId;
    double diameter;       // m
    double height;         // m
    double gaugeHeight;    // m
    double deadZoneHeight; // mm
    double maxLevel;       // m
    double maxVolume;      // m3
    const char16_t *sifra;
};

// Diameters, maximum levels and volumes as the demonstration login shows them; each shell rises
// 0.6 to 0.75 m above its maximum level, with the level gauge 0.2 m above the shell.
constexpr TankRow Tanks[] = {
    {74, 11.5, 11.0, 11.2, 150, 10.375, 1077.64, u"RBD SU"},  {75, 11.5, 11.0, 11.2, 150, 10.375, 1077.64, u"RBH SU"},
    {78, 11.9, 8.5, 8.7, 150, 7.787, 866.072, u"RBD SU"},     {79, 8.0, 7.0, 7.2, 150, 6.275, 315.416, u"MK "},
    {80, 8.0, 7.0, 7.2, 150, 6.275, 315.416, u"RBDS SU"},     {81, 8.0, 7.0, 7.2, 150, 6.275, 315.416, u"RBH RU"},
    {82, 11.5, 11.0, 11.2, 150, 10.375, 1077.64, u"RBHS SU"}, {83, 8.0, 11.0, 11.2, 150, 10.327, 519.092, u"RBD M"},
    {84, 8.0, 11.0, 11.2, 150, 10.327, 519.092, u"RBD M"},    {85, 5.0, 13.5, 13.7, 100, 12.781, 250.954, u"RBD M"},
    {86, 5.0, 13.5, 13.7, 100, 12.781, 250.954, u"RBD M"},    {87, 5.0, 13.5, 13.7, 100, 12.781, 250.954, u"RBD M"},
    {88, 5.0, 13.5, 13.7, 100, 12.781, 250.954, u"RBD M"},    {96, 4.0, 8.5, 8.7, 100, 7.842, 98.545, u"RBD UM"},
    {97, 4.0, 8.5, 8.7, 100, 7.842, 98.545, u"RBD UM"},
};
static_assert(std::size(Tanks) == TankCount);

struct UserRow
{
    const char16_t *name;
    const char16_t *password;
    qint32 level;
    std::array<int, 2> withoutHistory; // tank numbers whose history is refused; 0 for none
};

constexpr UserRow Users[] = {
    {u"ADMINISTRATOR", u"ADMIN", 1, {0, 0}},
    {u"OPERATER", u"OPER", 3, {96, 97}},
};

// The cylinder below the gauge's zero: pi/4 d^2 times the dead zone's height in metres.
double deadZoneVolume(const TankRow &tank)
{
    return std::numbers::pi / 4 * tank.diameter * tank.diameter * tank.deadZoneHeight / 1000;
}

quint16 materialCode(const QString &sifra)
{
    const auto found = std::find_if(std::begin(Materials), std::end(Materials),
                                    [&](const MaterialRow &row) { return sifra == QStringView(row.sifra); });
    return static_cast<quint16>(MaterialCodeBase + 1 + (found - std::begin(Materials)));
}

// Line 1 names the tank, line 2 its material.
ConsoleScreen screenOf(const TankRow &tank)
{
    ConsoleScreen screen;
    const std::array<QByteArray, 2> lines{toWindows1252(u"R %1"_s.arg(tank.tankId)), toWindows1252(tank.sifra)};
    for (std::size_t line = 0; line < lines.size(); ++line) {
        for (int column = 1; column <= std::min<int>(lines[line].size(), ConsoleScreen::Columns); ++column)
            screen.setCell(static_cast<int>(line) + 1, column, lines[line][column - 1]);
    }
    return screen;
}

UserWire userOf(const UserRow &row)
{
    UserWire user;
    user.key = user.password = userKeyFor(QString::fromUtf16(row.password));
    user.level = row.level;
    user.userName = toWindows1252(row.name).leftJustified(UserNameSize, ' ');
    for (int slot = 1; slot <= TankCount; ++slot) {
        const int tankId = TankIdList[slot];
        const bool history
            = std::find(row.withoutHistory.begin(), row.withoutHistory.end(), tankId) == row.withoutHistory.end();
        user.rights[slot] = TankRights{static_cast<quint8>(tankId), 1, 1, 1, 1, static_cast<quint8>(history)};
    }
    return user;
}

DemonstrationSeed build()
{
    DemonstrationSeed seed;
    for (const MaterialRow &row : Materials) {
        const QString sifra = QString::fromUtf16(row.sifra);
        seed.materials.append(
            {materialCode(sifra), sifra, QString::fromUtf16(row.name), QString::fromUtf16(row.kind), row.density20});
    }
    int slot = 0;
    for (const TankRow &row : Tanks) {
        ++slot;
        const QString sifra = QString::fromUtf16(row.sifra);
        seed.tanks[slot] = {TankParamsCodeBase + row.tankId,
                            row.tankId,
                            row.diameter,
                            row.height,
                            row.gaugeHeight,
                            row.deadZoneHeight,
                            row.maxLevel,
                            row.maxVolume,
                            deadZoneVolume(row),
                            sifra,
                            materialCode(sifra)};
        seed.screens[slot] = screenOf(row);
    }
    for (const UserRow &row : Users)
        seed.users.append(userOf(row));
    return seed;
}

} // namespace

const DemonstrationSeed &demonstrationSeed()
{
    static const DemonstrationSeed seed = build();
    return seed;
}
