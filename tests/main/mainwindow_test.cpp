// The main window from its inert first state through logins and their failures; over a small plant
// map its views, double click, drag, the service box and the refresh ticks.
#include "main/mainwindow.h"

#include "core/exchange/serverlink.h"
#include "core/codec/bytes.h"
#include "core/exchange/liverecord.h"
#include "core/plant/plantmodel.h"
#include "core/settings/settingsstore.h"
#include "main/loginwindow.h"
#include "main/plantmap.h"
#include "main/plantmapview.h"
#include "tests/main/plantmapfiles.h"
#include "tests/support/plantserver.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
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

using namespace Qt::StringLiterals;

class MainWindowTest : public testing::Test
{
protected:
    void createWindows() { createWindows(exchange); }
    void createWindows(ServerExchange &link)
    {
        mainWindow = std::make_unique<MainWindow>(plant, link, MainWindowServices{DataFolder(dir.path()), dialogs, clock, QLocale::c()});
        loginWindow = std::make_unique<LoginWindow>();
        connectLogin(*mainWindow, *loginWindow);
    }

    template <typename T>
    T *child(const char *name) const { return ::child<T>(*mainWindow, name); }

    // Menus and the three timers follow the login.
    void expectLoggedIn(bool in) const
    {
        EXPECT_EQ(child<QMenu>("M1")->menuAction()->isEnabled(), in);
        for (const char *timer : {"Timer1", "Timer2", "Timer3"})
            EXPECT_EQ(child<QTimer>(timer)->isActive(), in) << timer;
        EXPECT_EQ(mainWindow->state().loggedIn, in);
    }

    void login(const QString &code)
    {
        child<QLineEdit>("Edit1")->setText(code);
        child<QPushButton>("BitBtn1")->click();
    }

    QPushButton *loginOk() const { return loginWindow->findChild<QPushButton *>(QStringLiteral("Button1")); }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 30))};
    PlantServer server;
    std::optional<qint32> status; // when set, every exchange answers it instead of the server
    std::optional<LiveRecord> live; // when set, code 500 answers it
    ScriptedExchange exchange{[this](ExchangeOperation operation, ExchangeBuffer &buffer) {
        if (live && *readI32(buffer, 0) == LiveRequestCode) {
            encodeLiveRecord(*live, std::span(buffer).subspan(ReplyOffset));
            return ExchangeStatus::Success;
        }
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
        writeRecords<DisplayElement>(dir, "Bgd.rez", {title, level}, encodeDisplayElement);
        writeRecords<ElementViews>(dir, "Konfig.rez", {{{2, 0, 1}}, {{2}}}, encodeElementViews);
        writePictures(dir);

        status = ExchangeStatus::Success;
        createWindows();
        mainWindow->show(); // the demonstration login
        ASSERT_TRUE(mainWindow->state().loggedIn);
        view = mainWindow->findChild<PlantMapView *>();
        mainWindow->Timer1Timer(); // the first redraw records what is on the view
    }

    PlantMapView *view = nullptr;
};

} // namespace

TEST_F(MainWindowTest, FirstShowingLogsInWithTheDemonstrationCodeWhichConfiguresOnlyTheBuiltInServer)
{
    for (const bool builtIn : {false, true}) {
        exchange.builtIn = builtIn;
        createWindows();
        mainWindow->offerEntry(MenuEntry::UserEditor);
        expectLoggedIn(false);
        mainWindow->show();
        EXPECT_TRUE(child<QFrame>("Panel1")->isHidden());
        expectLoggedIn(true);
        EXPECT_FALSE(loginWindow->isVisible()) << "a completed login closes the login window";
        EXPECT_EQ(child<QAction>("KR1")->isVisible(), builtIn);
        EXPECT_EQ(child<QMenu>("P1")->menuAction()->isVisible(), builtIn);
    }
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
    EXPECT_EQ(loginWindow->line2(), QStringLiteral("Korisnik nije prijavljen na serveru."));
    ASSERT_TRUE(loginOk()->isVisible());
    EXPECT_EQ(ended.size(), 0);
    QTest::keyClick(loginWindow.get(), Qt::Key_Return);
    EXPECT_EQ(ended.size(), 1);
}

TEST_F(MainWindowTest, AFailedLoginFromTheMenuKeepsTheRunningSessionItsModelAndItsConnection)
{
    const SettingsStore settings(dir.filePath(QStringLiteral("settings.reg")));
    ServerLink link(settings, [this] { return std::make_unique<ScriptedExchange>(exchange.answer); });
    createWindows(link);
    connectServerLink(*mainWindow, link);
    QSignalSpy lost(mainWindow.get(), &MainWindow::connectionLost);
    QSignalSpy ended(mainWindow.get(), &MainWindow::programEndRequested);
    mainWindow->show();
    const PlantModel before = plant;
    server.failing[380] = ExchangeStatus::StoreFailed; // half-way through the tanks
    child<QAction>("Prijava1")->trigger();
    login(QStringLiteral("oper"));
    EXPECT_EQ(loginWindow->line2(), QStringLiteral("Neuspesan unos podataka o skladarma."));
    EXPECT_EQ(plant.tanks.records, before.tanks.records) << "nothing of the failed load reaches the model";
    EXPECT_EQ(plant.user.userName, before.user.userName);
    ASSERT_TRUE(loginOk()->isVisible());
    loginOk()->click();
    EXPECT_EQ(ended.size(), 0);
    expectLoggedIn(true);

    server.failing.clear(); // the next try goes through
    child<QAction>("Prijava1")->trigger();
    login(QStringLiteral("oper"));
    EXPECT_EQ(plant.tanks.slot(1).diameter, 7.4);

    // Nothing listens on port 1 of the loopback.
    ASSERT_TRUE(settings.WriteInteger(ServerAddressKey, ServerAddressValue, 0x0100007F).ok());
    ASSERT_TRUE(settings.WriteInteger(ServerAddressKey, QStringLiteral("Port"), 1).ok());
    child<QAction>("Prijava1")->trigger();
    login(QStringLiteral("oper"));
    ASSERT_TRUE(loginOk()->isVisible());
    loginOk()->click();
    expectLoggedIn(true);
    EXPECT_TRUE(link.address().embedded());
    status = ExchangeStatus::Success;
    for (int refresh = 0; refresh < 3; ++refresh)
        mainWindow->Timer2Timer();
    EXPECT_EQ(lost.size(), 0) << "the refreshes reach the server the session had";
}

TEST_F(MainWindowTest, DocumentsThatExistAtStartAreOffered)
{
    writeDataFile(dir, QStringLiteral("Skladar.pps"));
    createWindows();
    writeDataFile(dir, QStringLiteral("Skladar.doc")); // too late: only what exists at creation counts
    EXPECT_TRUE(child<QAction>("Prezentacija1")->isVisible());
    EXPECT_FALSE(child<QAction>("Uputstvo1")->isVisible());
    QSignalSpy opened(mainWindow.get(), &MainWindow::documentOpenRequested);
    child<QAction>("Prezentacija1")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0][0].toString(), dir.filePath(QStringLiteral("Skladar.pps")));
}

TEST_F(MainWindowMapTest, TheViewMenuAndADoubleClickOverTheHotSpotOpenTheTanksScreenAndARightDragStepsThePan)
{
    EXPECT_TRUE(child<QAction>("m2")->isVisible());
    EXPECT_EQ(child<QAction>("m2")->text(), QStringLiteral("R 74"));
    EXPECT_FALSE(child<QAction>("m3")->isVisible());
    Q_EMIT view->mouseMoved(Qt::NoButton, {10, 10});
    Q_EMIT view->doubleClicked();
    EXPECT_EQ(mainWindow->state().currentView, 1);

    Q_EMIT view->mouseMoved(Qt::NoButton, {120, 120});
    EXPECT_EQ(view->cursor().shape(), Qt::PointingHandCursor);
    Q_EMIT view->doubleClicked();
    EXPECT_EQ(mainWindow->state().currentView, 2);
    EXPECT_EQ(child<QTimer>("Timer1")->interval(), 10) << "the new view is drawn at once";
    child<QAction>("Rez1")->trigger();
    EXPECT_EQ(mainWindow->state().currentView, 1);

    Q_EMIT view->mousePressed(Qt::RightButton, Qt::ShiftModifier, {50, 50});
    EXPECT_EQ(mainWindow->state().lastRightButton, QPoint()) << "only the right button alone starts a drag";
    Q_EMIT view->mousePressed(Qt::RightButton, Qt::NoModifier, {50, 50});
    Q_EMIT view->mouseMoved(Qt::RightButton, {40, 45});
    EXPECT_EQ(mainWindow->state().drag, QPoint(10, 5));
    Q_EMIT view->mouseReleased();
    EXPECT_EQ(mainWindow->state().drag, QPoint());
}

TEST_F(MainWindowMapTest, ServiceCodesAreComparedExactlyOnOkOrEnterAndEscapeClosesTheBox)
{
    QSignalSpy diagnostics(mainWindow.get(), &MainWindow::diagnosticListRequested);
    QSignalSpy settings(mainWindow.get(), &MainWindow::displaySettingsRequested);
    for (const auto &[code, enter] : {std::pair{"Pleta", false}, {"ZASUNAK", true}, {"pleta", true}, {"zasunak", false}}) {
        child<QAction>("BR1")->trigger();
        child<QLineEdit>("Edit5")->setText(QString::fromLatin1(code));
        if (enter)
            QTest::keyClick(child<QLineEdit>("Edit5"), Qt::Key_Return);
        else
            child<QPushButton>("BitBtn5")->click();
        EXPECT_FALSE(child<QFrame>("Panel6")->isVisible());
    }
    EXPECT_EQ(diagnostics.size(), 1);
    EXPECT_EQ(settings.size(), 1);
    for (const auto &[entry, box, edit] : {std::tuple{"BR1", "Panel6", "Edit5"}, {"Prijava1", "Panel1", "Edit1"}}) {
        child<QAction>(entry)->trigger();
        QTest::keyClick(child<QLineEdit>(edit), Qt::Key_Escape);
        EXPECT_FALSE(child<QFrame>(box)->isVisible()) << box;
    }
    EXPECT_TRUE(mainWindow->state().loggedIn);
}

// How many lost refreshes show the notice is the connection watch's; here the tries and a store failure.
TEST_F(MainWindowMapTest, TheValueRefreshTriesThreeTimesAndShowsAStoreFailureAndAFailedTrendTickKeepsItsElement)
{
    mainWindow->Timer2Timer();
    EXPECT_GT(mainWindow->plantMap().elements[1].value, 0.0);
    status = ExchangeStatus::NoConnection;
    mainWindow->Timer2Timer();
    EXPECT_EQ(exchange.requests.size(), 1 + RefreshTries);

    status = ExchangeStatus::StoreFailed;
    mainWindow->Timer2Timer();
    EXPECT_EQ(dialogs.calls, QList<RecordingDialogs::Call>{(RecordingDialogs::Call{RecordingDialogs::Kind::Message, QStringLiteral("10006"), QStringLiteral("Skladar")})});
    EXPECT_EQ(child<QTimer>("Timer2")->interval(), 10000);

    status = ExchangeStatus::NoConnection; // a failed trend tick keeps its element
    mainWindow->Timer3Timer();
    EXPECT_EQ(mainWindow->state().trendCursor, 2) << "the element with a channel is found and kept";
    EXPECT_EQ(mainWindow->plantMap().elements[1].trendReady, 0);
    status = ExchangeStatus::Success;
    mainWindow->Timer3Timer();
    EXPECT_EQ(mainWindow->plantMap().elements[1].trendReady, 1);
    EXPECT_EQ(mainWindow->state().trendCursor, 3);
}

TEST_F(MainWindowMapTest, LiveValuesUntilTheServerDoesNotKnowThemThenSamplesUntilTheNextLogin)
{
    live = LiveRecord::unmapped();
    live->raw[0] = -12500; // 7.0 m
    live->quality[0] = LiveQuality::Good;
    exchange.requests.clear();
    mainWindow->Timer2Timer();
    EXPECT_EQ(exchange.codes(), QList<qint32>{LiveRequestCode});
    EXPECT_EQ(mainWindow->plantMap().elements[1].value, 7.0);

    live.reset();
    status.reset(); // the test server does not know code 500, and answers code 0 as told
    server.failing[StatusRequestCode] = ExchangeStatus::Success;
    exchange.requests.clear();
    mainWindow->Timer2Timer();
    mainWindow->Timer2Timer();
    EXPECT_EQ(exchange.codes(), (QList<qint32>{500, 500, 500, StatusRequestCode, StatusRequestCode}));
    EXPECT_NE(mainWindow->plantMap().elements[1].value, 7.0) << "the sample table";
    EXPECT_TRUE(dialogs.calls.isEmpty());

    status = ExchangeStatus::Success;
    login(u"zasunak"_s);
    exchange.requests.clear();
    mainWindow->Timer2Timer();
    EXPECT_EQ(exchange.codes(), QList<qint32>{LiveRequestCode});
}
