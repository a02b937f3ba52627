// The four editors against the acquisition server built into the client: every change lands in the
// store and shows after the server is started anew on the same store.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"
#include "config/usereditor.h"
#include "core/services/tw.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "server/embeddedexchange.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

void trigger(const QWidget &window, const char *action)
{
    child<QAction>(window, action)->trigger();
}

// Clicks (twice: double-clicks) the cell, types the text into the entry box and presses the button.
void enter(const QWidget &editor, int column, int row, bool twice, const QString &text, const char *ok)
{
    clickCell(*child<StringGrid>(editor, "StringGrid1"), column, row, twice);
    child<QLineEdit>(editor, "Edit1")->setText(text);
    child<QPushButton>(editor, ok)->click();
}

// The client as the program entry puts it together, the editors shown modally without a nested loop.
struct Client
{
    Client(ServerExchange &server, const QString &folder, Dialogs &dialogs, const Clock &clock)
        : mainWindow(plant, server, MainWindowServices{DataFolder(folder), dialogs, clock, QLocale::c()})
        , w(settings, dialogs, clock, QLocale::c())
        , services{server, w, dialogs, clock}
    {
        connectLogin(mainWindow, loginWindow);
        QObject::connect(&mainWindow, &MainWindow::tankEditorRequested, &tankEditor, &QWidget::show);
        QObject::connect(&mainWindow, &MainWindow::materialEditorRequested, &materialEditor, &QWidget::show);
        QObject::connect(&mainWindow, &MainWindow::userEditorRequested, &userEditor, &QWidget::show);
        QObject::connect(&tankEditor, &TankEditor::consoleEditorRequested, &consoleEditor, &QWidget::show);
        for (QDialog *editor : std::initializer_list<QDialog *>{&tankEditor, &materialEditor, &userEditor})
            QObject::connect(editor, &QDialog::finished, &mainWindow, &MainWindow::resumeRefresh);
        for (const MenuEntry entry : {MenuEntry::TankEditor, MenuEntry::MaterialEditor, MenuEntry::UserEditor})
            mainWindow.offerEntry(entry);
    }

    bool login(const QString &code)
    {
        trigger(mainWindow, "Prijava1");
        child<QLineEdit>(mainWindow, "Edit1")->setText(code);
        child<QPushButton>(mainWindow, "BitBtn1")->click();
        return loginWindow.line1() != QStringLiteral("Error...");
    }

    // Opens the editor from the menu; the refresh stops until it closes.
    void open(const char *entry, const QDialog &editor)
    {
        trigger(mainWindow, entry);
        EXPECT_TRUE(editor.isVisible()) << entry;
        EXPECT_FALSE(child<QTimer>(mainWindow, "Timer2")->isActive());
    }

    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.filePath(QStringLiteral("Skladar.reg"))};
    PlantModel plant;
    MainWindow mainWindow;
    LoginWindow loginWindow;
    Tw w;
    EditorServices services;
    MaterialEditor materialEditor{services};
    ConsoleScreenEditor consoleEditor{services};
    TankEditor tankEditor{services};
    UserEditor userEditor{services};
};

// A ninth material "PALM" held by tank 78 (slot 3); "Z" in the top left cell of tank 74's console
// screen; a new operator "SKL1" seeing level of tank 78 and mass of tank 80; OPER's password "OPER2".
void editEverything(Client &client)
{
    client.open("MT1", client.materialEditor);
    trigger(client.materialEditor, "Novimaterijal1");
    const QStringList material{QStringLiteral("Palmino ulje"), QStringLiteral("Biljno ulje"), QStringLiteral("PALM"), QStringLiteral("910,5")};
    for (int column = 1; column <= 4; ++column)
        enter(client.materialEditor, column, 9, true, material[column - 1], "Button2");
    trigger(client.materialEditor, "Pregled1");
    trigger(client.materialEditor, "Izlaz1");

    client.open("RZ1", client.tankEditor);
    clickCell(*child<StringGrid>(client.tankEditor, "StringGrid1"), TankMaterialColumn, 3, true);
    chooseEntry(*child<QComboBox>(client.tankEditor, "ComboBox1"), 8);
    child<QPushButton>(client.tankEditor, "Button2")->click();
    trigger(client.tankEditor, "Snimikonfiguraciju1");
    trigger(client.tankEditor, "Podesavanjekonzole1");
    chooseEntry(*child<QComboBox>(client.consoleEditor, "ComboBox1"), 0);
    enter(client.consoleEditor, 1, 1, false, QStringLiteral("Z"), "Button1");
    trigger(client.consoleEditor, "Snimi1");
    trigger(client.consoleEditor, "Izlaz1");
    trigger(client.tankEditor, "Izlaz1");

    const UserEditor &users = client.userEditor;
    client.open("KR1", users);
    trigger(users, "Novikorisnik1");
    child<QLineEdit>(users, "Edit1")->setText(QStringLiteral("Skladistar"));
    child<QLineEdit>(users, "Edit2")->setText(QStringLiteral("skl1"));
    child<QPushButton>(users, "Button3")->click();
    chooseEntry(*child<QComboBox>(users, "ComboBox1"), 2);
    clickCell(*child<StringGrid>(users, "StringGrid1"), 3, 1);
    clickCell(*child<StringGrid>(users, "StringGrid1"), 5, 3);
    chooseEntry(*child<QComboBox>(users, "ComboBox1"), 1);
    child<QPushButton>(users, "Button1")->click();
    child<QLineEdit>(users, "Edit3")->setText(QStringLiteral("oper2"));
    child<QPushButton>(users, "Button1")->click();
    child<QPushButton>(users, "Button2")->click();
    trigger(users, "Izlaz1");
    EXPECT_TRUE(child<QTimer>(client.mainWindow, "Timer2")->isActive());
}

TEST(EditorsEndToEnd, EveryChangeShowsAfterTheServerStartsAgain)
{
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    const FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    const QString store = dir.filePath(QStringLiteral("plant.sqlite"));
    {
        const EmbeddedExchangeOpening server = openEmbeddedExchange(store);
        Client client(*server.exchange, dir.path(), dialogs, clock);
        ASSERT_TRUE(client.login(QStringLiteral("admin")));
        editEverything(client);
    }
    for (const RecordingDialogs::Call &call : dialogs.calls)
        EXPECT_NE(call.kind, RecordingDialogs::Kind::Question) << "every editor left saved";

    const EmbeddedExchangeOpening server = openEmbeddedExchange(store);
    Client client(*server.exchange, dir.path(), dialogs, clock);
    ASSERT_TRUE(client.login(QStringLiteral("skl1")));
    EXPECT_FALSE(client.mainWindow.state().configAccess);
    for (int slot = 1; slot <= TankCount; ++slot)
        EXPECT_EQ(client.plant.tanks.slot(slot).active, slot == 3 || slot == 5 ? 1 : 0) << slot;
    const TankRecord &tank78 = client.plant.tanks.slot(3);
    EXPECT_EQ(tank78.paramSifra + tank78.materialName, QStringLiteral("PALMPalmino ulje"));
    EXPECT_DOUBLE_EQ(tank78.density20, 910.5);
    qint32 status = 0;
    const auto console = readRecord(*server.exchange, codeRequest(ConsoleScreenCodeBase + 74), decodeConsoleScreenWire, status);
    EXPECT_EQ(console->screen.cell(1, 1), 'Z');
    EXPECT_FALSE(client.login(QStringLiteral("oper")));
    EXPECT_TRUE(client.login(QStringLiteral("oper2")));
}

} // namespace
