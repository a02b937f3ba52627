// The plant model every window reads: the 15 tanks, their configuration, the materials, the
// logged-in user with per-tank rights and the operator console screens.
#pragma once

#include "core/plant/slotarray.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <span>

// Tank numbers in slot order; the slot 1..15 is the index everywhere (grid rows, menus, chart
// series, report groups, rights).
inline constexpr SlotArray<int> TankIdList{{74, 75, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 96, 97}};

// Capacities of the short texts of the records.
inline constexpr int SifraCapacity = 10;
inline constexpr int NameCapacity = 40;

// The slot (1..15) of a tank number; nullopt for a number that is not in TankIdList.
std::optional<int> slotOfTank(int tankId);
// "R " followed by the slot's tank number ("R 74"); empty for a slot outside 1..15.
QString tankDisplayName(int slot);

// Configuration of one tank. Texts are cut to their capacities when they are encoded.
struct TankRecord
{
    quint8 active = 0; // 1 when the user may see level, temperature, mass or volume of the tank
    qint32 tankId = 0;
    QString name{};
    qint32 paramCode = 0;      // request code of the parameters: tankId + 300
    qint32 materialCode = 0;   // request code of the material held in the tank
    qint32 serverTankId = 0;   // tank number repeated in the server's parameter reply
    double diameter = 0;       // m
    double height = 0;         // m
    double gaugeHeight = 0;    // m, height of the level gauge
    double deadZoneHeight = 0; // mm
    double maxLevel = 0;       // m, highest allowed level
    double maxVolume = 0;      // m3, entered by the user
    double deadZoneVolume = 0; // m3
    QString paramSifra{};      // capacity 10: the material's sifra as stored with the tank
    QString materialSifra{};   // capacity 10: from the material's own record
    QString materialName{};    // capacity 40
    QString materialKind{};    // capacity 40
    double density20 = 0;      // kg/m3 at 20 degrees Celsius

    bool operator==(const TankRecord &) const = default;
};

// The 15 tank records by slot; all fields are zero or empty until a login fills them.
struct TankTable
{
    SlotArray<TankRecord> records;

    // The record of slot 1..15; a slot outside that range is a programming error (throws).
    TankRecord &slot(int slot) { return records[checked(slot)]; }
    const TankRecord &slot(int slot) const { return records[checked(slot)]; }

private:
    static int checked(int slot);
};

// Material codes are 202 + the material's position (1..96) in the list: 203 to 298.
inline constexpr int MaxMaterials = 96;
inline constexpr int MaterialCodeBase = 202;

struct MaterialRecord
{
    quint16 code = 0;
    QString sifra;        // capacity 10
    QString name;         // capacity 40
    QString kind;         // capacity 40
    double density20 = 0; // kg/m3
    bool operator==(const MaterialRecord &) const = default;
};

// One line of the material list as the server keeps it.
struct MaterialListEntry
{
    quint16 code = 0;
    QString sifra; // capacity 10
    bool operator==(const MaterialListEntry &) const = default;
};

// The material list in list order, at most MaxMaterials entries.
using MaterialTable = QList<MaterialListEntry>;

// A user's rights on one tank: 1 grants, any other value refuses.
struct TankRights
{
    quint8 tankId = 0;
    quint8 nivo = 0;
    quint8 temperatura = 0;
    quint8 masa = 0;
    quint8 zapremina = 0;
    quint8 istorija = 0;

    // True when the user may see at least one live value of the tank; history alone does not count.
    bool seesLiveValues() const { return nivo == 1 || temperatura == 1 || masa == 1 || zapremina == 1; }
    bool operator==(const TankRights &) const = default;
};

inline constexpr int UserNameSize = 40;

// The logged-in user.
struct UserProfile
{
    QString userName; // up to UserNameSize characters, shown in the login window
    SlotArray<TankRights> rights{};
    quint8 configAccess = 0; // 1 when the login reply's level is 1 or 2
};

// The operator console's text screen of one tank: 4 lines of 20 characters. The 80 characters are
// kept bottom line first: characters 1..20 are line 4, 61..80 line 1.
class ConsoleScreen
{
public:
    static constexpr int Lines = 4;
    static constexpr int Columns = 20;
    static constexpr int Size = Lines * Columns;

    ConsoleScreen(); // 80 spaces

    // The screen as received from the server: a NUL byte becomes a space.
    static ConsoleScreen fromReceived(std::span<const char, Size> bytes);

    // Line 1 is the top line, column 1 the leftmost; both must be in range.
    char cell(int line, int column) const { return m_chars[index(line, column)]; }
    void setCell(int line, int column, char c) { m_chars[index(line, column)] = c; }
    const std::array<char, Size> &chars() const { return m_chars; }
    bool operator==(const ConsoleScreen &) const = default;

private:
    static std::size_t index(int line, int column);
    std::array<char, Size> m_chars;
};

// The whole model, created once by the program entry and filled by each login.
struct PlantModel
{
    TankTable tanks;
    UserProfile user;
};
