// Program entry: creates the services and the windows once, wires them together and runs the loop.
#include "app/qtdialogs.h"
#include "core/clock.h"
#include "core/datafolder.h"
#include "core/plantmodel.h"
#include "core/serverlink.h"
#include "core/settingsstore.h"
#include "core/tw.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QUrl>

#include <cstdio>

namespace {

// Qt aborts with a platform-plugin error when there is no display; say it in plain words instead.
bool displayAvailable()
{
#if defined(Q_OS_LINUX)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("Skladar needs a graphical desktop: no display was found (DISPLAY and WAYLAND_DISPLAY "
                   "are not set).\nStart it from a desktop session, or with QT_QPA_PLATFORM=offscreen "
                   "to run without one.\n",
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Skladar"));
    QApplication::setOrganizationName(QStringLiteral("Tervo"));

    QtDialogs dialogs;
    SystemClock clock;
    SettingsStore settings;
    PlantModel plant;
    const DataFolder folder = DataFolder::workingDirectory();

    ServerLink server(settings, [] { return std::unique_ptr<ServerExchange>(); });

    MainWindow mainWindow(plant, server, folder);
    LoginWindow loginWindow;
    Tw w(settings, dialogs, clock, QLocale::system());

    connectLogin(mainWindow, loginWindow);
    QObject::connect(&mainWindow, &MainWindow::programEndRequested, &app, &QApplication::quit);
    QObject::connect(&mainWindow, &MainWindow::loginStarted, [&server] { server.select(); });
    QObject::connect(&mainWindow, &MainWindow::documentOpenRequested,
                     [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });

    mainWindow.show();
    return QApplication::exec();
}
