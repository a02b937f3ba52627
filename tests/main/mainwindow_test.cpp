// The main window from its inert first state through the demonstration and server logins and their
// failures; over a small plant map its views, hover and double click, drag, the service box and the
// refresh ticks with their connection-lost notice.
#include "main/mainwindow.h"

#include "core/plant/plantmodel.h"
#include "main/loginwindow.h"
#include "main/plantmap.h"
#include "main/plantmapview.h"
#include "tests/support/plantserver.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/widgetdriving.h"

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

    void write(const QString &name, const QByteArray &bytes = {})
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    template <typename T>
    T *child(const char *name) const { return ::child<T>(*mainWindow, name); }

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
    std::optional<qint32> status; // when set, every exchange answers it instead of the server
    ScriptedExchange exchange{[this](ExchangeOperation operation, ExchangeBuffer &buffer) {
        return status ? *status : server.answer(operation, buffer);
    }};
    PlantModel plant;
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<LoginWindow> loginWindow;
};

class MainWindowMapTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        // Element 1: the title of tank 74 with a hot box over it on the overview, opening view 2.
        DisplayElement title{.shown = 1, .originX = 100, .originY = 100, .scaledValue = 2,
                             .name = QStringLiteral("R 74"), .kind = QStringLiteral("r"), .tankId = 74};
        title.boxHot[0] = 1;
        title.boxWidth[0] = 50;
        title.boxHeight[0] = 40;
        DisplayElement level{.shown = 1, .dataChannel = 1, .rangeMax = 10, .kind = QStringLiteral("l"), .tankId = 74};
        QByteArray elements = encodeDisplayElement(title) + encodeDisplayElement(level);
        QByteArray views = encodeElementViews({{2, 0, 1}}) + encodeElementViews({{2}});
        for (int k = 2; k < ElementCount; ++k) {
            elements += encodeDisplayElement({});
            views += encodeElementViews({});
        }
        write(QStringLiteral("Bgd.rez"), elements);
        write(QStringLiteral("Konfig.rez"), views);
        QImage picture(800, 560, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("Skladar.bmp"))));
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("Rxx.bmp"))));

        status = ExchangeStatus::Success;
        createWindows();
        mainWindow->show(); // the demonstration login
        ASSERT_TRUE(mainWindow->state().loggedIn);
        view = mainWindow->findChild<PlantMapView *>();
        mainWindow->Timer1Timer(); // the first redraw records what is on the view
    }

    void serviceCode(const QString &code)
    {
        child<QAction>("BR1")->trigger();
        EXPECT_TRUE(child<QFrame>("Panel6")->isVisible());
        child<QLineEdit>("Edit5")->setText(code);
        child<QPushButton>("BitBtn5")->click();
        EXPECT_FALSE(child<QFrame>("Panel6")->isVisible());
    }

    int timer1Interval() const { return child<QTimer>("Timer1")->interval(); }

    PlantMapView *view = nullptr;
};

} // namespace

TEST_F(MainWindowTest, FirstShowingLogsInWithTheDemonstrationCode)
{
    createWindows();
    expectLoggedIn(false);
    EXPECT_FALSE(child<QFrame>("Panel1")->isHidden());
    mainWindow->show();

    EXPECT_EQ(child<QLineEdit>("Edit1")->text(), QStringLiteral("zasunak"));
    EXPECT_TRUE(child<QFrame>("Panel1")->isHidden());
    expectLoggedIn(true);
    EXPECT_FALSE(loginWindow->isVisible()) << "a completed login closes the login window";

    plant.user.userName.clear();
    child<QAction>("Prijava1")->trigger();
    EXPECT_FALSE(child<QFrame>("Panel1")->isHidden());
    login(QStringLiteral("ZaSuNaK"));
    EXPECT_FALSE(plant.user.userName.isEmpty()) << "the code is compared in upper case";
}

TEST_F(MainWindowTest, AFailedFirstLoginLeavesEverythingInertAndItsOkEndsTheProgram)
{
    createWindows();
    QSignalSpy ended(mainWindow.get(), &MainWindow::programEndRequested);
    login(QStringLiteral("abc"));

    expectLoggedIn(false);
    EXPECT_TRUE(plant.user.userName.isEmpty());
    expectFailureShown(QStringLiteral("Korisnik nije prijavljen na serveru."));
    ASSERT_TRUE(loginOk()->isVisible());
    EXPECT_EQ(ended.size(), 0);
    loginOk()->click();
    EXPECT_EQ(ended.size(), 1);
    EXPECT_FALSE(loginWindow->isVisible());
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

    server.failing.clear(); // the next try goes through
    child<QAction>("Prijava1")->trigger();
    login(QStringLiteral("oper"));
    EXPECT_EQ(plant.tanks.slot(1).diameter, 7.4);
}

TEST_F(MainWindowTest, DocumentsThatExistAtStartAreOffered)
{
    write(QStringLiteral("Skladar.pps"));
    createWindows();
    write(QStringLiteral("Skladar.doc")); // too late: only what exists at creation counts
    EXPECT_TRUE(child<QAction>("Prezentacija1")->isVisible());
    EXPECT_FALSE(child<QAction>("Uputstvo1")->isVisible());

    QSignalSpy opened(mainWindow.get(), &MainWindow::documentOpenRequested);
    child<QAction>("Prezentacija1")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), dir.filePath(QStringLiteral("Skladar.pps")));
}

TEST_F(MainWindowMapTest, TheViewMenuNamesTheTanksThatHaveAScreen)
{
    EXPECT_TRUE(child<QAction>("m2")->isVisible());
    EXPECT_EQ(child<QAction>("m2")->text(), QStringLiteral("R 74"));
    EXPECT_FALSE(child<QAction>("m3")->isVisible());
    child<QAction>("m2")->trigger();
    EXPECT_EQ(mainWindow->state().currentView, 2);
    EXPECT_EQ(timer1Interval(), 10);
}

TEST_F(MainWindowMapTest, ADoubleClickOpensTheHoveredTanksScreenOnlyOverItsHotSpot)
{
    Q_EMIT view->mouseMoved(Qt::NoButton, {10, 10});
    Q_EMIT view->doubleClicked();
    EXPECT_EQ(mainWindow->state().currentView, 1);

    Q_EMIT view->mouseMoved(Qt::NoButton, {120, 120});
    EXPECT_EQ(view->cursor().shape(), Qt::PointingHandCursor);
    Q_EMIT view->doubleClicked();
    EXPECT_EQ(mainWindow->state().currentView, 2);
    EXPECT_NE(view->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainWindowMapTest, ARightButtonDragStepsThePanAndTheReleaseClearsTheStep)
{
    Q_EMIT view->mousePressed(Qt::LeftButton, Qt::NoModifier, {50, 50});
    Q_EMIT view->mousePressed(Qt::RightButton, Qt::ShiftModifier, {50, 50});
    EXPECT_EQ(mainWindow->state().lastRightButton, QPoint()) << "only the right button alone starts a drag";
    Q_EMIT view->mousePressed(Qt::RightButton, Qt::NoModifier, {50, 50});
    Q_EMIT view->mouseMoved(Qt::RightButton, {40, 45});
    EXPECT_EQ(mainWindow->state().drag, QPoint(10, 5));
    EXPECT_EQ(timer1Interval(), 10);
    Q_EMIT view->mouseReleased();
    EXPECT_EQ(mainWindow->state().drag, QPoint());
}

TEST_F(MainWindowMapTest, ServiceCodesAreComparedExactly)
{
    QSignalSpy diagnostics(mainWindow.get(), &MainWindow::diagnosticListRequested);
    QSignalSpy settings(mainWindow.get(), &MainWindow::displaySettingsRequested);
    serviceCode(QStringLiteral("Pleta"));
    serviceCode(QStringLiteral("ZASUNAK"));
    EXPECT_EQ(diagnostics.size() + settings.size(), 0);
    serviceCode(QStringLiteral("pleta"));
    serviceCode(QStringLiteral("zasunak"));
    EXPECT_EQ(diagnostics.size(), 1);
    EXPECT_EQ(settings.size(), 1);
}

TEST_F(MainWindowMapTest, TheValueRefreshTakesSamplesAndCountsLostConnections)
{
    QSignalSpy lost(mainWindow.get(), &MainWindow::connectionLost);
    QSignalSpy restored(mainWindow.get(), &MainWindow::connectionRestored);
    mainWindow->Timer2Timer();
    EXPECT_GT(mainWindow->plantMap().elements[1].value, 0.0);
    EXPECT_EQ(restored.size(), 1);

    status = ExchangeStatus::NoConnection;
    for (int tick = 0; tick < 3; ++tick)
        mainWindow->Timer2Timer();
    EXPECT_EQ(lost.size(), 1);
    EXPECT_EQ(exchange.requests.size(), 1 + 3 * RefreshTries) << "three tries per refresh";

    status = ExchangeStatus::StoreFailed;
    mainWindow->Timer2Timer();
    ASSERT_FALSE(dialogs.calls.isEmpty());
    EXPECT_EQ(dialogs.calls.back(), (RecordingDialogs::Call{RecordingDialogs::Kind::Message, QStringLiteral("10006"), QStringLiteral("Skladar")}));
    EXPECT_EQ(child<QTimer>("Timer2")->interval(), 10000);
}

TEST_F(MainWindowMapTest, AFailedTrendTickKeepsItsElement)
{
    status = ExchangeStatus::NoConnection;
    mainWindow->Timer3Timer();
    EXPECT_EQ(mainWindow->state().trendCursor, 2) << "the element with a channel is found and kept";
    EXPECT_EQ(mainWindow->plantMap().elements[1].trendReady, 0);
    status = ExchangeStatus::Success;
    mainWindow->Timer3Timer();
    EXPECT_EQ(mainWindow->plantMap().elements[1].trendReady, 1);
    EXPECT_EQ(mainWindow->state().trendCursor, 3);
}
