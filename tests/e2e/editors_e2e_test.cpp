// The editors against the acquisition server built into the client: every change lands in the
// store and shows after the server is started anew on the same store.
#include "config/editorwidgets.h"
#include "config/usereditor.h"
#include "core/plant/plantmodel.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "server/embeddedexchange.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QAbstractItemView>
#include <QAction>
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

// The client as the program entry puts it together, over one server.
struct Client
{
    Client(ServerExchange &server, const QString &folder, Dialogs &dialogs, const Clock &clock)
        : mainWindow(plant, server, MainWindowServices{DataFolder(folder), dialogs, clock, QLocale::c()})
        , userEditor(server, dialogs)
    {
        connectLogin(mainWindow, loginWindow);
        QObject::connect(&mainWindow, &MainWindow::userEditorRequested, &userEditor, &QWidget::show);
        QObject::connect(&userEditor, &QDialog::finished, &mainWindow, &MainWindow::resumeRefresh);
        mainWindow.offerEntry(MenuEntry::UserEditor);
    }

    bool login(const QString &code)
    {
        child<QAction>(mainWindow, "Prijava1")->trigger();
        child<QLineEdit>(mainWindow, "Edit1")->setText(code);
        child<QPushButton>(mainWindow, "BitBtn1")->click();
        return mainWindow.state().loggedIn && loginWindow.line1() != QStringLiteral("Error...");
    }

    bool refreshing() const
    {
        const QList<QTimer *> timers = mainWindow.findChildren<QTimer *>(QRegularExpression(QStringLiteral("^Timer[123]$")));
        return timers.size() == 3 && std::all_of(timers.begin(), timers.end(), [](const QTimer *t) { return t->isActive(); });
    }

    // The slots whose tanks the logged-in user sees.
    QList<int> activeSlots() const
    {
        QList<int> slots;
        for (int slot = 1; slot <= TankCount; ++slot) {
            if (plant.tanks.slot(slot).active == 1)
                slots.append(slot);
        }
        return slots;
    }

    PlantModel plant;
    MainWindow mainWindow;
    LoginWindow loginWindow;
    UserEditor userEditor;
};

void choose(const UserEditor &editor, int index)
{
    auto *list = child<DropDownList>(editor, "ComboBox1");
    list->showPopup();
    QAbstractItemView *view = list->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(index, 0)).center());
    list->hidePopup();
}

void clickCell(const UserEditor &editor, int column, int row)
{
    auto *grid = child<StringGrid>(editor, "StringGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, column)).center());
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

    // A new operator with the level of tank 78 and the mass of tank 80; OPER gets the password "OPER2".
    void editUsers(Client &client)
    {
        child<QAction>(client.mainWindow, "KR1")->trigger();
        const UserEditor &editor = client.userEditor;
        ASSERT_TRUE(editor.isVisible());
        EXPECT_FALSE(client.refreshing());
        child<QAction>(editor, "Novikorisnik1")->trigger();
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
        child<QAction>(editor, "Izlaz1")->trigger();
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(client.refreshing());
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
        editUsers(client);
    }

    std::unique_ptr<EmbeddedExchange> server = startServer();
    Client client(*server, dir.path(), dialogs, clock);
    ASSERT_TRUE(client.login(QStringLiteral("skl1")));
    EXPECT_TRUE(client.plant.user.userName.startsWith(QStringLiteral("SKLADISTAR")));
    EXPECT_EQ(client.activeSlots(), (QList<int>{3, 5}));
    EXPECT_FALSE(client.mainWindow.state().configAccess);
    EXPECT_FALSE(client.login(QStringLiteral("oper")));
    EXPECT_TRUE(client.login(QStringLiteral("oper2")));
}

} // namespace
