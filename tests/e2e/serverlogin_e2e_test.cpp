// Logging in through the main window against a running skladar-server.
#include "core/plant/plantmodel.h"
#include "core/exchange/tcpexchange.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ServerLoginEndToEnd : public testing::Test
{
protected:
    void SetUp() override
    {
        server.setProgram(QStringLiteral(SKLADAR_SERVER_BINARY));
        server.setArguments({QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--db"),
                             dir.filePath(QStringLiteral("plant.sqlite"))});
        server.start();
        ASSERT_TRUE(server.waitForStarted());
        // The start line names the port the system chose.
        QByteArray line;
        while (!line.contains('\n') && server.waitForReadyRead(5000))
            line += server.readAllStandardOutput();
        const QRegularExpressionMatch port = QRegularExpression(QStringLiteral(":(\\d+),")).match(QString::fromLocal8Bit(line));
        ASSERT_TRUE(port.hasMatch()) << line.constData();
        exchange = std::make_unique<TcpExchange>(QHostAddress::LocalHost, port.captured(1).toUShort());
        mainWindow = std::make_unique<MainWindow>(plant, *exchange, MainWindowServices{DataFolder(dir.path()), dialogs, clock, QLocale::c()});
        connectLogin(*mainWindow, loginWindow);
        for (const MenuEntry entry : {MenuEntry::TankEditor, MenuEntry::MaterialEditor, MenuEntry::UserEditor})
            mainWindow->offerEntry(entry);
    }

    void TearDown() override
    {
        server.terminate();
        EXPECT_TRUE(server.waitForFinished(5000));
        EXPECT_EQ(server.exitCode(), 0);
    }

    void login(const QString &code)
    {
        mainWindow->findChild<QAction *>(QStringLiteral("Prijava1"))->trigger();
        mainWindow->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(code);
        mainWindow->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
    }

    bool entryVisible(const char *name) const { return mainWindow->findChild<QAction *>(QLatin1String(name))->isVisible(); }

    QTemporaryDir dir;
    QProcess server;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(12, 0))};
    PlantModel plant;
    std::unique_ptr<TcpExchange> exchange;
    std::unique_ptr<MainWindow> mainWindow;
    LoginWindow loginWindow;
};

} // namespace

TEST_F(ServerLoginEndToEnd, TheAdministratorConfiguresAndTheOperatorOnlyWatches)
{
    login(QStringLiteral("admin"));
    ASSERT_TRUE(mainWindow->state().loggedIn) << loginWindow.line2().toStdString();
    EXPECT_TRUE(mainWindow->state().configAccess);
    EXPECT_TRUE(plant.user.userName.startsWith(QStringLiteral("ADMINISTRATOR")));
    EXPECT_TRUE(entryVisible("KR1"));
    const TankRecord &tank = plant.tanks.slot(1);
    EXPECT_EQ(tank.active, 1);
    EXPECT_EQ(tank.serverTankId, 74);
    EXPECT_EQ(tank.materialSifra, tank.paramSifra);

    login(QStringLiteral("oper"));
    ASSERT_TRUE(mainWindow->state().loggedIn);
    EXPECT_FALSE(mainWindow->state().configAccess);
    EXPECT_FALSE(entryVisible("KR1"));
    EXPECT_FALSE(entryVisible("RZ1"));
    EXPECT_EQ(plant.user.rights[13].istorija, 0);
    EXPECT_EQ(plant.tanks.slot(14).active, 1) << "tank 96 still shows its live values";
}

TEST_F(ServerLoginEndToEnd, AnUnknownPasswordIsToldInTheLoginWindow)
{
    login(QStringLiteral("nepoznat"));
    EXPECT_FALSE(mainWindow->state().loggedIn);
    EXPECT_EQ(loginWindow.line1(), QStringLiteral("Error..."));
    EXPECT_EQ(loginWindow.line2(), QStringLiteral("Korisnik nije prijavljen na serveru."));
}
