// The main window from its inert first state through the demonstration login and a failed login.
#include "main/mainwindow.h"

#include "core/plant/plantmodel.h"
#include "main/loginwindow.h"
#include "tests/support/plantserver.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class MainWindowTest : public testing::Test
{
protected:
    void createWindows()
    {
        mainWindow = std::make_unique<MainWindow>(plant, exchange, MainWindowServices{DataFolder(dir.path()), dialogs, clock, QLocale::c()});
        loginWindow = std::make_unique<LoginWindow>();
        connectLogin(*mainWindow, *loginWindow);
    }

    void touch(const QString &name)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = mainWindow->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    bool menuEnabled(const char *name) const { return child<QMenu>(name)->menuAction()->isEnabled(); }
    bool timerActive(const char *name) const { return child<QTimer>(name)->isActive(); }

    // Menus, the A1 action and the three timers follow the login.
    void expectLoggedIn(bool in) const
    {
        EXPECT_EQ(menuEnabled("M1"), in);
        EXPECT_EQ(menuEnabled("R1"), in);
        EXPECT_EQ(child<QAction>("A1")->isEnabled(), in);
        for (const char *timer : {"Timer1", "Timer2", "Timer3"})
            EXPECT_EQ(timerActive(timer), in) << timer;
        EXPECT_EQ(mainWindow->state().loggedIn, in);
    }

    void login(const QString &code)
    {
        child<QLineEdit>("Edit1")->setText(code);
        child<QPushButton>("BitBtn1")->click();
    }

    // The four entries are offered (their windows exist); whether they show depends on the login.
    bool configurationEntriesVisible() const
    {
        for (const MenuEntry entry : {MenuEntry::TankEditor, MenuEntry::MaterialEditor, MenuEntry::UserEditor})
            mainWindow->offerEntry(entry);
        const bool shown = std::ranges::all_of(std::array{"BR1", "RZ1", "MT1", "KR1"}, [this](const char *name) { return child<QAction>(name)->isVisible(); });
        EXPECT_EQ(child<QMenu>("P1")->menuAction()->isVisible(), shown);
        return shown;
    }

    void expectFailureShown(const QString &text) const
    {
        EXPECT_TRUE(loginWindow->isVisible());
        EXPECT_EQ(loginWindow->line1(), QStringLiteral("Error..."));
        EXPECT_EQ(loginWindow->line2(), text);
    }

    QPushButton *loginOk() const { return loginWindow->findChild<QPushButton *>(QStringLiteral("Button1")); }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 30))};
    PlantServer server;
    ScriptedExchange exchange{server.answerer()};
    PlantModel plant;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<LoginWindow> loginWindow;
};

} // namespace

TEST_F(MainWindowTest, StartsInertWithTheLoginBox)
{
    createWindows();
    expectLoggedIn(false);
    EXPECT_FALSE(child<QFrame>("Panel1")->isHidden());
    auto *edit = child<QLineEdit>("Edit1");
    EXPECT_EQ(edit->maxLength(), 8);
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
}

TEST_F(MainWindowTest, FirstShowingLogsInWithTheDemonstrationCode)
{
    createWindows();
    QSignalSpy status(mainWindow.get(), &MainWindow::loginStatusChanged);
    mainWindow->show();

    ASSERT_EQ(status.size(), 2);
    EXPECT_EQ(status[0], (QVariantList{QStringLiteral("Provera lozinke..."), QString()}));
    EXPECT_EQ(status[1], (QVariantList{QStringLiteral("Tervo Grupa"), QStringLiteral("Ucitavanje korisnicke konfiguracije...")}));
    EXPECT_EQ(child<QLineEdit>("Edit1")->text(), QStringLiteral("zasunak"));
    EXPECT_TRUE(child<QFrame>("Panel1")->isHidden());
    expectLoggedIn(true);
    EXPECT_FALSE(loginWindow->isVisible()) << "a completed login closes the login window";
    EXPECT_EQ(plant.user.userName, QStringLiteral("Tervo Grupa"));
    EXPECT_EQ(plant.tanks.slot(8).materialKind, QStringLiteral("Biljne masti"));
}

TEST_F(MainWindowTest, TheCodeIsComparedInUpperCase)
{
    createWindows();
    login(QStringLiteral("ZaSuNaK"));
    EXPECT_TRUE(mainWindow->state().loggedIn);
    EXPECT_EQ(plant.tanks.slot(1).name, QStringLiteral("R 74"));
}

TEST_F(MainWindowTest, AFailedFirstLoginLeavesEverythingInertAndItsOkEndsTheProgram)
{
    createWindows();
    QSignalSpy ended(mainWindow.get(), &MainWindow::programEndRequested);
    login(QStringLiteral("abc"));

    expectLoggedIn(false);
    EXPECT_TRUE(plant.user.userName.isEmpty());
    EXPECT_TRUE(plant.tanks.slot(1).name.isEmpty());
    expectFailureShown(QStringLiteral("Korisnik nije prijavljen na serveru."));
    ASSERT_TRUE(loginOk()->isVisible());
    EXPECT_EQ(ended.size(), 0);
    loginOk()->click();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_FALSE(loginWindow->isVisible());
}

TEST_F(MainWindowTest, AServerLoginWithoutConfigurationAccessHidesTheConfigurationEntries)
{
    createWindows();
    login(QStringLiteral("oper"));
    EXPECT_TRUE(mainWindow->state().loggedIn);
    EXPECT_FALSE(mainWindow->state().configAccess);
    EXPECT_EQ(plant.tanks.slot(3).active, 0);
    EXPECT_EQ(plant.tanks.slot(4).active, 1);
    EXPECT_FALSE(configurationEntriesVisible());

    server.user.level = 1;
    child<QAction>("Prijava1")->trigger();
    EXPECT_FALSE(child<QFrame>("Panel1")->isHidden());
    EXPECT_TRUE(child<QLineEdit>("Edit1")->text().isEmpty());
    login(QStringLiteral("oper"));
    EXPECT_TRUE(mainWindow->state().configAccess);
    EXPECT_TRUE(configurationEntriesVisible());
}

TEST_F(MainWindowTest, AFailedLoginFromTheMenuKeepsTheRunningSession)
{
    createWindows();
    mainWindow->show();
    const PlantModel before = plant;
    QSignalSpy ended(mainWindow.get(), &MainWindow::programEndRequested);
    server.failing[380] = ExchangeStatus::StoreFailed; // half-way through the tanks

    child<QAction>("Prijava1")->trigger();
    login(QStringLiteral("oper"));
    expectFailureShown(QStringLiteral("Neuspesan unos podataka o skladarma."));
    EXPECT_EQ(plant.tanks.records, before.tanks.records) << "nothing of the failed load reaches the model";
    EXPECT_EQ(plant.user.userName, before.user.userName);
    EXPECT_TRUE(timerActive("Timer2"));

    loginOk()->click();
    EXPECT_EQ(ended.size(), 0);
    EXPECT_FALSE(loginWindow->isVisible());
    EXPECT_TRUE(mainWindow->state().loggedIn);

    server.failing.clear(); // the next try shows the login window without the old OK button
    child<QAction>("Prijava1")->trigger();
    QSignalSpy status(mainWindow.get(), &MainWindow::loginStatusChanged);
    login(QStringLiteral("oper"));
    EXPECT_EQ(status[1][0].toString(), QStringLiteral("Operater Petar").leftJustified(40, u' '));
    EXPECT_EQ(plant.tanks.slot(1).diameter, 7.4);
}

TEST_F(MainWindowTest, DocumentsThatExistAtStartAreOffered)
{
    touch(QStringLiteral("Skladar.pps"));
    createWindows();
    touch(QStringLiteral("Skladar.doc")); // too late: only what exists at creation counts
    EXPECT_TRUE(child<QAction>("Prezentacija1")->isVisible());
    EXPECT_FALSE(child<QAction>("Uputstvo1")->isVisible());

    QSignalSpy opened(mainWindow.get(), &MainWindow::documentOpenRequested);
    child<QAction>("Prezentacija1")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), dir.filePath(QStringLiteral("Skladar.pps")));
}
