// Loading the plant map at the login: the two element files, the backgrounds, the samples, the
// texts taken from the plant model, the user's rights and the view menu.
#pragma once

#include "main/plantmap.h"

#include <QLocale>
#include <QString>

#include <array>
#include <optional>

class DataFolder;
class Dialogs;
struct PlantModel;
struct TankTable;
struct UserProfile;

// Everything in order: "Konfig.rez", the backgrounds ("Skladar.bmp", then "Rxx.bmp" for views 2
// to 25), "Bgd.rez", GenerateSamples, the element texts and the rights. A missing element file is
// reported ("Fajl ne postoji." / "Greska") and leaves its table zero; a missing background is
// reported as "Rxx not found" once per view it was meant for. An element file that exists but does
// not hold 120 records is reported ("Greska u citanju fajla." / "File Error...") and ends the load
// at once, with that text as the result; the records read before stay in the table.
std::optional<QString> loadPlantMap(PlantMap &map, const PlantModel &plant, const DataFolder &folder, Dialogs &dialogs,
                                    const QLocale &locale);

// The generated curves of the level ("l") and temperature ("t") channels; a later element with the
// same channel overwrites an earlier one.
void GenerateSamples(PlantMap &map);

// "Preostala zapremina" for every "p"; the material of each tank into its first "r" of the same
// name; the maximum level into its first "l" and the maximum volume into its first "v".
void writeElementTexts(PlantMap &map, const TankTable &tanks, const QLocale &locale);

// Hides the elements of the kinds the user may not see. A tank with no live right at all loses all
// its elements, and its title elements their view number and hot spot.
void applyRights(PlantMap &map, const UserProfile &user);

// The captions of the view items m2 to m16: the name of the first "r" element whose view number
// is the item's; empty when there is none (the item stays hidden).
inline constexpr int TankViewItems = 15;
std::array<QString, TankViewItems> viewMenuCaptions(const PlantMap &map);
