// The material, tank and user editors against the acquisition server built into the client: every
// change lands in the store and shows in a server login after the server is started anew on it.
#include "config/editors/materialeditor.h"
#include "config/editors/stringgrid.h"
#include "config/editors/tankeditor.h"
#include "config/editors/usereditor.h"
#include "core/plant/plantmodel.h"
#include "core/login/serverlogin.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

void press(const QWidget &window, const char *name)
{
    if (auto *button = window.findChild<QPushButton *>(QLatin1String(name)))
        return button->click();
    child<QAction>(window, name)->trigger();
}

void clickGrid(const QWidget &window, int column, int row, bool twice = false)
{
    clickCell(*child<StringGrid>(window, "StringGrid1"), column, row, twice);
}

using EditorsEndToEnd = EditorFixture;

// A ninth material "PALM" held by tank 78 (slot 3); a new operator "SKL1" seeing the level of tank
// 78 and the mass of tank 80; OPER's password becomes "OPER2". Every editor is saved before it is left.
TEST_F(EditorsEndToEnd, EveryChangeShowsAfterTheServerStartsAgain)
{
    MaterialEditor materials(services);
    materials.show();
    press(materials, "Novimaterijal1");
    const QStringList material{QStringLiteral("Palmino ulje"), QStringLiteral("Ulje"), QStringLiteral("PALM"), QStringLiteral("910,5")};
    for (int column = 1; column <= 4; ++column) {
        clickGrid(materials, column, 9, true);
        child<QLineEdit>(materials, "Edit1")->setText(material[column - 1]);
        press(materials, "Button2");
    }
    press(materials, "Pregled1");

    TankEditor tanks(services);
    tanks.show();
    clickGrid(tanks, TankMaterialColumn, 3, true);
    chooseEntry(*child<QComboBox>(tanks, "ComboBox1"), 8);
    press(tanks, "Button2");
    press(tanks, "Snimikonfiguraciju1");

    UserEditor users(services);
    users.show();
    press(users, "Novikorisnik1");
    child<QLineEdit>(users, "Edit1")->setText(QStringLiteral("Skladistar"));
    child<QLineEdit>(users, "Edit2")->setText(QStringLiteral("skl1"));
    press(users, "Button3");
    chooseEntry(*child<QComboBox>(users, "ComboBox1"), 2);
    clickGrid(users, 3, 1);
    clickGrid(users, 5, 3);
    chooseEntry(*child<QComboBox>(users, "ComboBox1"), 1);
    press(users, "Button1");
    child<QLineEdit>(users, "Edit3")->setText(QStringLiteral("oper2"));
    press(users, "Button1");
    press(users, "Button2");
    for (const QWidget *editor : std::initializer_list<const QWidget *>{&materials, &tanks, &users})
        press(*editor, "Izlaz1");
    EXPECT_TRUE(dialogs.calls.isEmpty()) << "no failure, and no question on leaving";
    store.reset();
    const EmbeddedExchangeOpening reopened = openEmbeddedExchange(m_dir.filePath(QStringLiteral("plant.sqlite")));
    PlantModel plant;
    ASSERT_FALSE(loadPlantFromServer(*reopened.exchange, QStringLiteral("SKL1"), plant));
    EXPECT_EQ(plant.user.configAccess, 0);
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(plant.tanks.slot(slot).active, slot == 3 || slot == 5 ? 1 : 0) << slot;
    const TankRecord &tank78 = plant.tanks.slot(3);
    EXPECT_EQ(tank78.paramSifra + tank78.materialName, QStringLiteral("PALMPalmino ulje"));
    EXPECT_DOUBLE_EQ(tank78.density20, 910.5);
    EXPECT_TRUE(loadPlantFromServer(*reopened.exchange, QStringLiteral("OPER"), plant)) << "the old password is gone";
    EXPECT_FALSE(loadPlantFromServer(*reopened.exchange, QStringLiteral("OPER2"), plant));
}

} // namespace
