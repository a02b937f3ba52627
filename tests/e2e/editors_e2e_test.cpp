// The four editors against the acquisition server built into the client: every change lands in the
// store and shows in a server login after the server is started anew on the same store.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"
#include "config/usereditor.h"
#include "core/plant/plantmodel.h"
#include "core/services/tw.h"
#include "main/serverlogin.h"
#include "server/embeddedexchange.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void trigger(const QWidget &window, const char *action)
{
    child<QAction>(window, action)->trigger();
}

void click(const QWidget &window, const char *button)
{
    child<QPushButton>(window, button)->click();
}

// Clicks (twice: double-clicks) the grid cell, types the text into the box and presses the button.
void enter(const QWidget &editor, int column, int row, bool twice, const char *box, const QString &text, const char *ok)
{
    clickCell(*child<StringGrid>(editor, "StringGrid1"), column, row, twice);
    child<QLineEdit>(editor, box)->setText(text);
    click(editor, ok);
}

// A ninth material "PALM" held by tank 78 (slot 3); "Z" in the top left cell of tank 74's console
// screen; a new operator "SKL1" seeing the level of tank 78 and the mass of tank 80; OPER's
// password becomes "OPER2".
void editEverything(const EditorServices &services)
{
    MaterialEditor materials(services);
    materials.show();
    trigger(materials, "Novimaterijal1");
    const QStringList material{QStringLiteral("Palmino ulje"), QStringLiteral("Ulje"), QStringLiteral("PALM"), QStringLiteral("910,5")};
    for (int column = 1; column <= 4; ++column)
        enter(materials, column, 9, true, "Edit1", material[column - 1], "Button2");
    trigger(materials, "Pregled1");

    TankEditor tanks(services);
    tanks.show();
    clickCell(*child<StringGrid>(tanks, "StringGrid1"), TankMaterialColumn, 3, true);
    chooseEntry(*child<QComboBox>(tanks, "ComboBox1"), 8);
    click(tanks, "Button2");
    trigger(tanks, "Snimikonfiguraciju1");

    ConsoleScreenEditor console(services);
    console.show();
    chooseEntry(*child<QComboBox>(console, "ComboBox1"), 0);
    enter(console, 1, 1, false, "Edit1", QStringLiteral("Z"), "Button1");
    trigger(console, "Snimi1");

    UserEditor users(services);
    users.show();
    trigger(users, "Novikorisnik1");
    child<QLineEdit>(users, "Edit1")->setText(QStringLiteral("Skladistar"));
    child<QLineEdit>(users, "Edit2")->setText(QStringLiteral("skl1"));
    click(users, "Button3");
    chooseEntry(*child<QComboBox>(users, "ComboBox1"), 2);
    clickCell(*child<StringGrid>(users, "StringGrid1"), 3, 1);
    clickCell(*child<StringGrid>(users, "StringGrid1"), 5, 3);
    chooseEntry(*child<QComboBox>(users, "ComboBox1"), 1);
    click(users, "Button1");
    child<QLineEdit>(users, "Edit3")->setText(QStringLiteral("oper2"));
    click(users, "Button1");
    click(users, "Button2");
    for (const QDialog *editor : std::initializer_list<const QDialog *>{&materials, &tanks, &console, &users})
        trigger(*editor, "Izlaz1");
}

TEST(EditorsEndToEnd, EveryChangeShowsAfterTheServerStartsAgain)
{
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    const FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    const SettingsStore settings(dir.filePath(QStringLiteral("Skladar.reg")));
    const Tw w(settings, dialogs, clock, QLocale::c());
    const QString store = dir.filePath(QStringLiteral("plant.sqlite"));
    editEverything(EditorServices{*openEmbeddedExchange(store).exchange, w, dialogs, clock});
    EXPECT_TRUE(dialogs.calls.isEmpty()) << "no failure, and every editor left saved";

    const EmbeddedExchangeOpening server = openEmbeddedExchange(store);
    PlantModel plant;
    ASSERT_FALSE(loadPlantFromServer(*server.exchange, QStringLiteral("SKL1"), plant));
    EXPECT_EQ(plant.user.configAccess, 0);
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(plant.tanks.slot(slot).active, slot == 3 || slot == 5 ? 1 : 0) << slot;
    const TankRecord &tank78 = plant.tanks.slot(3);
    EXPECT_EQ(tank78.paramSifra + tank78.materialName, QStringLiteral("PALMPalmino ulje"));
    EXPECT_DOUBLE_EQ(tank78.density20, 910.5);
    qint32 status = 0;
    const auto console = readRecord(*server.exchange, codeRequest(ConsoleScreenCodeBase + 74), decodeConsoleScreenWire, status);
    EXPECT_EQ(console->screen.cell(1, 1), 'Z');
    EXPECT_TRUE(loadPlantFromServer(*server.exchange, QStringLiteral("OPER"), plant));
    EXPECT_FALSE(loadPlantFromServer(*server.exchange, QStringLiteral("OPER2"), plant));
}

} // namespace
