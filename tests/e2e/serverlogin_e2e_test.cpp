// The main window against a running skladar-server over the real TCP transport: logins, the notice
// of a lost connection coming and going with the server, and an editor whose save finds it gone.
#include "config/editors/consolescreeneditor.h"
#include "config/editors/editorservices.h"
#include "config/editors/stringgrid.h"
#include "config/status/connectionlostwindow.h"
#include "core/exchange/exchangelog.h"
#include "core/exchange/exchangemessages.h"
#include "core/exchange/serverlink.h"
#include "core/exchange/tcpexchange.h"
#include "core/login/serverlogin.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/services/tw.h"
#include "core/settings/settingsstore.h"
#include "demoplant/demoplantmap.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "main/plantmap.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/serverprocess.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
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
        window->offerEntry(MenuEntry::UserEditor);
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

TEST_F(ServerEndToEnd, TheAdministratorConfiguresTheOperatorOnlyWatchesAStrangerIsTurnedAwayAndALostServerIsNoticed)
{
    for (const auto &[code, configures] : {std::pair{u"admin"_s, true}, {u"oper"_s, false}, {u"zasunak"_s, false}}) {
        login(code);
        ASSERT_TRUE(window->state().loggedIn) << loginWindow.line2().toStdString();
        EXPECT_EQ(child<QAction>(*window, "KR1")->isVisible(), configures);
        EXPECT_EQ(plant.tanks.slot(1).serverTankId, 74);
    }

    login(u"nepoznat"_s);
    EXPECT_EQ(loginWindow.line2(), u"Korisnik nije prijavljen na serveru."_s);

    // The notice of a lost connection comes after three failed refreshes and goes with the server's return.
    login(u"admin"_s);
    ASSERT_TRUE(window->state().loggedIn) << loginWindow.line2().toStdString();
    EXPECT_LE(refresh(), LongestRefreshMs);
    const auto before = window->plantMap().elements;
    const quint16 port = server.port();
    ASSERT_TRUE(server.stop());

    for (int failed = 1; failed <= 3; ++failed) {
        EXPECT_FALSE(notice.isVisible()) << "before failed refresh " << failed;
        EXPECT_LE(refresh(), LongestRefreshMs) << "failed refresh " << failed;
        EXPECT_TRUE(window->plantMap().elements == before) << "the map keeps its last values";
    }
    EXPECT_TRUE(notice.isVisible());
    EXPECT_TRUE(dialogs.calls.isEmpty()) << "no message box besides the notice";

    ASSERT_TRUE(server.start(dir.filePath(u"plant.sqlite"_s), port));
    std::this_thread::sleep_for(LinkBackOff);
    EXPECT_LE(refresh(), LongestRefreshMs);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_FALSE(window->plantMap().elements == before) << "values are taken again";
}

TEST_F(ServerEndToEnd, AnEditorSavingWhenTheServerIsGoneNamesTheFailuresOnceAndSavesOnceItIsBack)
{
    login(u"admin"_s);
    SettingsStore settings(dir.filePath(u"settings.reg"_s));
    const Tw w(settings, dialogs, clock, QLocale::c());
    ConsoleScreenEditor console(EditorServices{*exchange, w, dialogs, clock});
    console.show();
    chooseEntry(*child<QComboBox>(console, "ComboBox1"), 0);
    clickCell(*child<StringGrid>(console, "StringGrid1"), 1, 1);
    child<QLineEdit>(console, "Edit1")->setText(u"Z"_s);
    child<QPushButton>(console, "Button1")->click();
    ASSERT_TRUE(server.stop());

    child<QAction>(console, "Snimi1")->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1) << "one message for the whole save";
    EXPECT_EQ(dialogs.calls[0].text, u"Neuspesan upis podataka na NT konzolu.\nR 74, R 75, R 78, R 79, R 80, R 81, R 82, R 83, "
                                     "R 84, R 85, R 86, R 87, R 88, R 96, R 97: Racunar nije uspostavio vezu sa serverom."_s)
        << "every screen named: the save goes on";

    // The restarted server knows no session: the transport logs in again before it saves.
    const quint16 port = server.port();
    ASSERT_TRUE(server.start(dir.filePath(u"plant.sqlite"_s), port));
    std::this_thread::sleep_for(LinkBackOff);
    dialogs.calls.clear();
    dialogs.questionAnswers = {true};
    child<QAction>(console, "Izlaz1")->trigger();
    ASSERT_EQ(dialogs.calls.size(), 1) << dialogs.calls.back().text.toStdString();
    EXPECT_EQ(dialogs.calls.back().kind, RecordingDialogs::Kind::Question) << "leaving asks to save: nothing counts as saved";
}

namespace {

// The client's transport, as its settings choose it, against the server plain and over TLS: the
// login passes only where both speak alike and the certificate is the trusted one; the diagnostic
// list says why it failed.
TEST(TlsEndToEnd, TheLoginPassesOnlyWithMatchingTransportsAndTheTrustedCertificate)
{
    QTemporaryDir dir;
    ServerProcess plain;
    ServerProcess secure;
    ASSERT_TRUE(plain.start(dir.filePath(u"plain.sqlite"_s)));
    ASSERT_TRUE(secure.start(dir.filePath(u"tls.sqlite"_s), 0,
                             {u"--tls-cert"_s, tlsFile("server.crt"), u"--tls-key"_s, tlsFile("server.key")}));
    const struct
    {
        const char *name;
        quint16 port;
        const char *tls; // the "TLS" setting
        const char *certificate;
        bool loggedIn;
        const char *why; // how the diagnostic line's reason starts
    } cases[] = {
        {"plainToPlain", plain.port(), "false", nullptr, true, nullptr},
        {"tlsToTls", secure.port(), "true", "server.crt", true, nullptr},
        {"otherCertificate", secure.port(), "true", "other.crt", false, "TLS: "},
        {"missingCertificate", secure.port(), "true", "missing.crt", false, "TLS: cannot read the certificate"},
        {"plainToTls", secure.port(), "false", nullptr, false, ""},
        {"tlsToPlain", plain.port(), "true", "server.crt", false, "TLS: "},
    };
    const FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(7, 0))};
    for (const auto &c : cases) {
        SettingsStore settings(dir.filePath(u"%1.reg"_s.arg(QString::fromLatin1(c.name))));
        ASSERT_TRUE(settings.WriteInteger(ServerAddressKey, ServerAddressValue, 0x0100007F).ok());
        ASSERT_TRUE(settings.WriteInteger(ServerAddressKey, u"Port"_s, c.port).ok());
        ASSERT_TRUE(settings.WriteString(ServerAddressKey, TlsValue, QString::fromLatin1(c.tls)).ok());
        if (c.certificate) {
            ASSERT_TRUE(settings.WriteString(ServerAddressKey, TlsCertificateValue, tlsFile(c.certificate)).ok());
        }
        ServerLink link(settings, [] { return nullptr; });
        ExchangeLog log(link, clock);
        PlantModel plant;
        const std::optional<QString> failure = loadPlantFromServer(log, u"ADMIN"_s, plant);
        EXPECT_EQ(!failure, c.loggedIn) << c.name;
        if (c.why) {
            const QString line = describeExchange(log.entries().front());
            EXPECT_TRUE(line.contains(u" 10001 "_s)) << c.name << ": " << line.toStdString();
            EXPECT_TRUE(line.contains(u" ms: "_s + QString::fromLatin1(c.why))) << c.name << ": " << line.toStdString();
        }
    }
}

} // namespace
