// The four editors against the acquisition server built into the client: every change lands in the
// store and shows after the server is started anew on the same store.
#include "config/consolescreeneditor.h"
#include "config/editorwidgets.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"
#include "config/usereditor.h"
#include "core/plant/plantmodel.h"
#include "core/services/tw.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "server/embeddedexchange.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

template <typename T>
T *child(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void trigger(const QWidget &window, const char *action)
{
    child<QAction>(window, action)->trigger();
}

QPoint cellCentre(const QAbstractItemView &view, int column, int row)
{
    return view.visualRect(view.model()->index(row, column)).center();
}

void clickCell(const QWidget &editor, int column, int row)
{
    auto *grid = child<StringGrid>(editor, "StringGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, column, row));
}

// Scrolled into view first, as the operator does. A widget's double click arrives after a click.
void doubleClickCell(const QWidget &editor, int column, int row)
{
    auto *grid = child<StringGrid>(editor, "StringGrid1");
    grid->scrollTo(grid->model()->index(row, column));
    clickCell(editor, column, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, column, row));
}

// With the mouse on the opened list.
void choose(const QWidget &editor, int index)
{
    auto *list = child<QComboBox>(editor, "ComboBox1");
    list->showPopup();
    QAbstractItemView *view = list->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cellCentre(*view, 0, index));
    list->hidePopup();
}

// Types text into the entry panel of a double-clicked cell and confirms it.
void enter(const QWidget &editor, int column, int row, const QString &text)
{
    doubleClickCell(editor, column, row);
    auto *ok = child<QPushButton>(editor, "Button2");
    ASSERT_TRUE(ok->isVisibleTo(&editor)) << "no entry panel for " << column << ", " << row;
    child<QLineEdit>(editor, "Edit1")->setText(text);
    ok->click();
}

// The client as the program entry puts it together over one server, the editors shown modally
// without a nested event loop.
struct Client
{
    Client(ServerExchange &server, const QString &folder, Dialogs &dialogs, const Clock &clock)
        : w(settings, dialogs, clock, QLocale::c())
        , services{server, w, dialogs, clock}
        , mainWindow(plant, server, MainWindowServices{DataFolder(folder), dialogs, clock, QLocale::c()})
        , materialEditor(services)
        , consoleEditor(services)
        , tankEditor(services)
        , userEditor(services)
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
        return mainWindow.state().loggedIn && loginWindow.line1() != QStringLiteral("Error...");
    }

    bool refreshing() const
    {
        const auto timers = mainWindow.findChildren<QTimer *>(QRegularExpression(QStringLiteral("^Timer[123]$")));
        return timers.size() == 3 && std::all_of(timers.begin(), timers.end(), [](const QTimer *t) { return t->isActive(); });
    }

    // Opens an editor from the main window's menu, which stops the refresh until it closes.
    void open(const char *entry, const QDialog &editor)
    {
        trigger(mainWindow, entry);
        ASSERT_TRUE(editor.isVisible()) << entry;
        EXPECT_FALSE(refreshing());
    }

    void leave(const QDialog &editor)
    {
        trigger(editor, "Izlaz1");
        EXPECT_FALSE(editor.isVisible());
    }

    QList<int> activeSlots() const
    {
        QList<int> slots;
        for (int slot = 1; slot <= TankCount; ++slot) {
            if (plant.tanks.slot(slot).active == 1)
                slots.append(slot);
        }
        return slots;
    }

    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.filePath(QStringLiteral("Skladar.reg"))};
    Tw w;
    EditorServices services;
    PlantModel plant;
    MainWindow mainWindow;
    LoginWindow loginWindow;
    MaterialEditor materialEditor;
    ConsoleScreenEditor consoleEditor;
    TankEditor tankEditor;
    UserEditor userEditor;
};

// A ninth material, "PALM", which tank 78 then holds; the console screen of tank 74 gets "Z" in
// its top left cell.
void editPlant(Client &client)
{
    client.open("MT1", client.materialEditor);
    trigger(client.materialEditor, "Novimaterijal1");
    const int row = client.materialEditor.findChild<StringGrid *>()->rowCount() - 1;
    const QStringList texts{QStringLiteral("Palmino ulje"), QStringLiteral("Biljno ulje"), QStringLiteral("PALM"), QStringLiteral("910,5")};
    for (int column = 1; column <= 4; ++column)
        enter(client.materialEditor, column, row, texts[column - 1]);
    trigger(client.materialEditor, "Pregled1");
    client.leave(client.materialEditor);
    EXPECT_TRUE(client.refreshing());

    client.open("RZ1", client.tankEditor);
    doubleClickCell(client.tankEditor, TankMaterialColumn, 3);
    auto *materials = child<QComboBox>(client.tankEditor, "ComboBox1");
    materials->setCurrentIndex(materials->findText(QStringLiteral("PALM")));
    child<QPushButton>(client.tankEditor, "Button2")->click();
    trigger(client.tankEditor, "Snimikonfiguraciju1");

    trigger(client.tankEditor, "Podesavanjekonzole1");
    choose(client.consoleEditor, 0);
    clickCell(client.consoleEditor, 1, 1);
    child<QLineEdit>(client.consoleEditor, "Edit1")->setText(QStringLiteral("Z"));
    child<QPushButton>(client.consoleEditor, "Button1")->click();
    trigger(client.consoleEditor, "Snimi1");
    client.leave(client.consoleEditor);
    client.leave(client.tankEditor);
}

// A new operator with the level of tank 78 and the mass of tank 80; OPER gets the password "OPER2".
void editUsers(Client &client)
{
    const UserEditor &editor = client.userEditor;
    client.open("KR1", editor);
    trigger(editor, "Novikorisnik1");
    child<QLineEdit>(editor, "Edit1")->setText(QStringLiteral("Skladistar"));
    child<QLineEdit>(editor, "Edit2")->setText(QStringLiteral("skl1"));
    child<QPushButton>(editor, "Button3")->click();
    choose(editor, 2);
    clickCell(editor, 3, 1);
    clickCell(editor, 5, 3);
    choose(editor, 1);
    child<QPushButton>(editor, "Button1")->click();
    child<QLineEdit>(editor, "Edit3")->setText(QStringLiteral("oper2"));
    child<QPushButton>(editor, "Button1")->click();
    child<QPushButton>(editor, "Button2")->click();
    client.leave(editor);
    EXPECT_TRUE(client.refreshing());
}

class EditorsEndToEnd : public testing::Test
{
protected:
    std::unique_ptr<EmbeddedExchange> startServer()
    {
        EmbeddedExchangeOpening opening = openEmbeddedExchange(dir.filePath(QStringLiteral("plant.sqlite")));
        EXPECT_TRUE(opening.error.isEmpty()) << opening.error.toStdString();
        return std::move(opening.exchange);
    }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 0))};
};

TEST_F(EditorsEndToEnd, EveryChangeShowsAfterTheServerStartsAgain)
{
    {
        std::unique_ptr<EmbeddedExchange> server = startServer();
        Client client(*server, dir.path(), dialogs, clock);
        ASSERT_TRUE(client.login(QStringLiteral("admin")));
        editPlant(client);
        editUsers(client);
    }
    for (const RecordingDialogs::Call &call : dialogs.calls)
        EXPECT_NE(call.kind, RecordingDialogs::Kind::Question) << "every editor was saved before leaving";

    std::unique_ptr<EmbeddedExchange> server = startServer();
    Client client(*server, dir.path(), dialogs, clock);
    ASSERT_TRUE(client.login(QStringLiteral("skl1")));
    EXPECT_TRUE(client.plant.user.userName.startsWith(QStringLiteral("SKLADISTAR")));
    EXPECT_FALSE(client.mainWindow.state().configAccess);
    EXPECT_EQ(client.activeSlots(), (QList<int>{3, 5}));
    const TankRecord &tank78 = client.plant.tanks.slot(3);
    EXPECT_EQ(tank78.paramSifra, QStringLiteral("PALM"));
    EXPECT_EQ(tank78.materialName, QStringLiteral("Palmino ulje"));
    EXPECT_DOUBLE_EQ(tank78.density20, 910.5);

    qint32 status = 0;
    const auto screen = readRecord(*server, codeRequest(ConsoleScreenCodeBase + 74), decodeConsoleScreenWire, status);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->screen.cell(1, 1), 'Z');

    EXPECT_FALSE(client.login(QStringLiteral("oper")));
    EXPECT_TRUE(client.login(QStringLiteral("oper2")));
}

} // namespace
