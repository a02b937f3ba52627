// Program entry: creates the services and the windows once, wires them together and runs the loop.
#include "app/qtdialogs.h"
#include "config/aboutbox.h"
#include "config/connectionlostwindow.h"
#include "config/consolescreeneditor.h"
#include "config/diagnosticlistwindow.h"
#include "config/displaysettingswindow.h"
#include "config/materialeditor.h"
#include "config/tankeditor.h"
#include "config/transferwindow.h"
#include "config/usereditor.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/services/dialogstyle.h"
#include "core/exchange/exchangelog.h"
#include "core/plant/plantmodel.h"
#include "core/exchange/serverlink.h"
#include "core/settings/settingsstore.h"
#include "core/services/tw.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "report/quantityreportwindow.h"
#include "server/embeddedexchange.h"
#include "trend/chartwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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
    QTranslator qtTranslation; // Qt's own dialogs and buttons in the operator's language, where Qt has it
    const QString translation = qtTranslationFor(QLocale::system());
    if (!translation.isEmpty()
        && qtTranslation.load(translation, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslation);

    QtDialogs dialogs;
    SystemClock clock;
    SettingsStore settings;
    PlantModel plant;
    const DataFolder folder = DataFolder::workingDirectory();
    const QLocale locale = QLocale::system();

    ServerLink link(settings, [&dialogs] {
        EmbeddedExchangeOpening opening = openEmbeddedExchange();
        if (!opening.error.isEmpty())
            dialogs.reportError(opening.error);
        return std::unique_ptr<ServerExchange>(std::move(opening.exchange));
    });
    ExchangeLog server(link, clock);

    MainWindow mainWindow(plant, server, MainWindowServices{folder, dialogs, clock, locale});
    DisplaySettingsWindow displaySettings(settings, dialogs);
    DiagnosticListWindow diagnosticList(server);
    ConnectionLostWindow connectionLost;
    LoginWindow loginWindow;
    TransferWindow transfer;
    AboutBox aboutBox;
    Tw w(settings, dialogs, clock, locale);
    const EditorServices editorServices{server, w, dialogs, clock};
    MaterialEditor materialEditor(editorServices);
    ConsoleScreenEditor consoleEditor(editorServices);
    TankEditor tankEditor(editorServices);
    UserEditor userEditor(editorServices);
    ChartWindow chart(plant, ChartWindowServices{folder, dialogs, clock, w, locale});
    QuantityReportWindow report(plant, ReportWindowServices{folder, w, dialogs, clock});

    connectLogin(mainWindow, loginWindow);
    QObject::connect(&mainWindow, &MainWindow::programEndRequested, &app, &QApplication::quit);
    QObject::connect(&mainWindow, &MainWindow::loginStarted, [&link] { link.select(); });
    QObject::connect(&mainWindow, &MainWindow::documentOpenRequested,
                     [](const QString &path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
    QObject::connect(&mainWindow, &MainWindow::aboutRequested, &aboutBox, &AboutBox::showBox);
    QObject::connect(&mainWindow, &MainWindow::connectionLost, &connectionLost, &ConnectionLostWindow::showNotice);
    QObject::connect(&mainWindow, &MainWindow::connectionRestored, &connectionLost, &QWidget::hide);
    QObject::connect(&mainWindow, &MainWindow::diagnosticListRequested, &diagnosticList, [&diagnosticList] {
        diagnosticList.show();
        diagnosticList.raise();
    });
    QObject::connect(&mainWindow, &MainWindow::tankEditorRequested, &tankEditor, &QDialog::exec);
    QObject::connect(&tankEditor, &QDialog::finished, &mainWindow, &MainWindow::resumeRefresh);
    QObject::connect(&tankEditor, &TankEditor::consoleEditorRequested, &consoleEditor, &QDialog::exec);
    QObject::connect(&mainWindow, &MainWindow::materialEditorRequested, &materialEditor, &QDialog::exec);
    QObject::connect(&materialEditor, &QDialog::finished, &mainWindow, &MainWindow::resumeRefresh);
    mainWindow.offerEntry(MenuEntry::TankEditor);
    mainWindow.offerEntry(MenuEntry::MaterialEditor);
    QObject::connect(&mainWindow, &MainWindow::userEditorRequested, &userEditor, &QWidget::show);
    QObject::connect(&userEditor, &QDialog::finished, &mainWindow, &MainWindow::resumeRefresh);
    mainWindow.offerEntry(MenuEntry::UserEditor);
    QObject::connect(&mainWindow, &MainWindow::displaySettingsRequested, &displaySettings,
                     &DisplaySettingsWindow::showSettings);

    mainWindow.offerEntry(MenuEntry::Chart);
    QObject::connect(&mainWindow, &MainWindow::chartRequested, &chart, [&chart] { chart.exec(); });

    mainWindow.offerEntry(MenuEntry::Report);
    QObject::connect(&mainWindow, &MainWindow::reportRequested, &report, &QDialog::exec);

    mainWindow.show();
    return QApplication::exec();
}
