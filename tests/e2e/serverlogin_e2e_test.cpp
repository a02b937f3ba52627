// The main window against a running skladar-server over the real TCP transport: logins, the
// connection-lost notice shown and hidden again when the server stops and starts on the same port,
// and an editor whose save finds the server gone.
#include "config/connectionlostwindow.h"
#include "config/consolescreeneditor.h"
#include "config/editorservices.h"
#include "config/stringgrid.h"
#include "core/exchange/exchangemessages.h"
#include "core/exchange/tcpexchange.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/services/tw.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "main/plantmap.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/serverprocess.h"
#include "tests/support/widgetdriving.h"
#include "tools/demoplantmap.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace Qt::StringLiterals;

// The longest a refresh may hold the window: one connect and one reply time-out of the transport.
constexpr qint64 LongestRefreshMs = 1000 + 3000;
// A failed connect holds the link down for 2 s; the client's refresh comes every 10 s.
constexpr auto LinkBackOff = std::chrono::milliseconds(2100);

std::array<double, ElementCount> valuesOf(const PlantMap &map)
{
    std::array<double, ElementCount> values{};
    for (std::size_t k = 0; k < values.size(); ++k)
        values[k] = map.elements[k].value;
    return values;
}

class ServerEndToEnd : public testing::Test
{
protected:
    void SetUp() override
    {
        PlantModel demonstration;
        loadDemonstrationPlant(demonstration);
        ASSERT_FALSE(writePlantMap(dir.path(), demonstration.tanks));
        ASSERT_TRUE(server.start(dir.filePath(u"plant.sqlite"_s)));
        exchange = std::make_unique<TcpExchange>(QHostAddress::LocalHost, server.port());
        window = std::make_unique<MainWindow>(plant, *exchange, MainWindowServices{DataFolder(dir.path()), dialogs, clock, QLocale::c()});
        connectLogin(*window, loginWindow);
        QObject::connect(window.get(), &MainWindow::connectionLost, &notice, &ConnectionLostWindow::showNotice);
        QObject::connect(window.get(), &MainWindow::connectionRestored, &notice, &QWidget::hide);
        for (const MenuEntry entry : {MenuEntry::TankEditor, MenuEntry::MaterialEditor, MenuEntry::UserEditor})
            window->offerEntry(entry);
    }

    void login(const QString &code)
    {
        child<QAction>(*window, "Prijava1")->trigger();
        child<QLineEdit>(*window, "Edit1")->setText(code);
        child<QPushButton>(*window, "BitBtn1")->click();
        stopTimers();
    }

    // The test runs the refresh itself, so that no timer adds a refresh of its own in between.
    void stopTimers()
    {
        for (const char *name : {"Timer1", "Timer2", "Timer3"})
            child<QTimer>(*window, name)->stop();
    }

    // One value refresh after one redraw (which moves the samples on); how long it held the window.
    qint64 refresh()
    {
        window->Timer1Timer();
        QElapsedTimer held;
        held.start();
        window->Timer2Timer();
        stopTimers();
        return held.elapsed();
    }

    bool entryVisible(const char *name) const { return child<QAction>(*window, name)->isVisible(); }

    QTemporaryDir dir;
    ServerProcess server;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(12, 0))};
    PlantModel plant;
    std::unique_ptr<TcpExchange> exchange;
    std::unique_ptr<MainWindow> window;
    LoginWindow loginWindow;
    ConnectionLostWindow notice;
};

} // namespace

TEST_F(ServerEndToEnd, TheAdministratorConfiguresTheOperatorOnlyWatchesAndAStrangerIsTurnedAway)
{
    login(u"admin"_s);
    ASSERT_TRUE(window->state().loggedIn) << loginWindow.line2().toStdString();
    EXPECT_TRUE(window->state().configAccess);
    EXPECT_TRUE(entryVisible("KR1"));
    const TankRecord &tank = plant.tanks.slot(1);
    EXPECT_EQ(tank.serverTankId, 74);
    EXPECT_EQ(tank.materialSifra, tank.paramSifra);

    login(u"oper"_s);
    ASSERT_TRUE(window->state().loggedIn);
    EXPECT_FALSE(entryVisible("KR1"));
    EXPECT_FALSE(entryVisible("RZ1"));
    EXPECT_EQ(plant.user.rights[13].istorija, 0);
    EXPECT_EQ(plant.tanks.slot(14).active, 1) << "tank 96 still shows its live values";

    login(u"nepoznat"_s);
    EXPECT_EQ(loginWindow.line2(), u"Korisnik nije prijavljen na serveru."_s);
    EXPECT_TRUE(server.stop());
}

TEST_F(ServerEndToEnd, TheNoticeComesAfterThreeFailedRefreshesAndGoesWithTheServersReturn)
{
    login(u"admin"_s);
    ASSERT_TRUE(window->state().loggedIn) << loginWindow.line2().toStdString();
    EXPECT_LE(refresh(), LongestRefreshMs);
    const auto before = valuesOf(window->plantMap());
    const quint16 port = server.port();
    ASSERT_TRUE(server.stop());

    for (int failed = 1; failed <= 3; ++failed) {
        EXPECT_FALSE(notice.isVisible()) << "before failed refresh " << failed;
        EXPECT_LE(refresh(), LongestRefreshMs) << "failed refresh " << failed;
        EXPECT_EQ(valuesOf(window->plantMap()), before) << "the map keeps its last values";
    }
    EXPECT_TRUE(notice.isVisible());
    EXPECT_TRUE(dialogs.calls.isEmpty()) << "no message box besides the notice";

    ServerProcess restarted;
    ASSERT_TRUE(restarted.start(dir.filePath(u"plant.sqlite"_s), port));
    std::this_thread::sleep_for(LinkBackOff);
    EXPECT_LE(refresh(), LongestRefreshMs);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_NE(valuesOf(window->plantMap()), before) << "values are taken again";
    EXPECT_TRUE(restarted.stop());
}

TEST_F(ServerEndToEnd, AnEditorSavingWhenTheServerIsGoneTellsTheFailureAndSavesNothing)
{
    SettingsStore settings(dir.filePath(u"settings.reg"_s));
    const Tw w(settings, dialogs, clock, QLocale::c());
    ConsoleScreenEditor console(EditorServices{*exchange, w, dialogs, clock});
    console.show();
    chooseEntry(*child<QComboBox>(console, "ComboBox1"), 0);
    clickCell(*child<StringGrid>(console, "StringGrid1"), 1, 1);
    child<QLineEdit>(console, "Edit1")->setText(u"Z"_s);
    child<QPushButton>(console, "Button1")->click();
    const quint16 port = server.port();
    ASSERT_TRUE(server.stop());

    child<QAction>(console, "Snimi1")->trigger();
    const RecordingDialogs::Call failure{RecordingDialogs::Kind::Message,
                                         exchangeFailureText(ServerRecord::ConsoleScreen, ExchangeOperation::Write),
                                         exchangeFailureCaption(ServerRecord::ConsoleScreen)};
    ASSERT_EQ(dialogs.calls, QList<RecordingDialogs::Call>(TankCount, failure)) << "one failure per screen, the save goes on";
    dialogs.questionAnswers = {false};
    child<QAction>(console, "Izlaz1")->trigger();
    ASSERT_EQ(dialogs.calls.size(), TankCount + 1);
    EXPECT_EQ(dialogs.calls.back().kind, RecordingDialogs::Kind::Question) << "leaving asks to save: nothing counts as saved";

    ServerProcess restarted;
    ASSERT_TRUE(restarted.start(dir.filePath(u"plant.sqlite"_s), port));
    FrameClient client;
    ASSERT_TRUE(client.connectTo(port));
    const std::optional<ReplyFrame> screen = client.exchange(ExchangeOperation::Read, codeRequest(ConsoleScreenCodeBase + 74));
    ASSERT_TRUE(screen);
    EXPECT_NE(decodeConsoleScreenWire(replyRecord(screen->buffer))->screen.cell(1, 1), 'Z');
    client.close();
    EXPECT_TRUE(restarted.stop());
}
