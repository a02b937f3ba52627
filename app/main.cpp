// Program entry: creates the services and the windows once, wires them together and runs the loop.
#include "app/qtdialogs.h"
#include "config/status/aboutbox.h"
#include "config/status/connectionlostwindow.h"
#include "config/editors/consolescreeneditor.h"
#include "config/status/diagnosticlistwindow.h"
#include "config/displaysettingswindow.h"
#include "config/editors/materialeditor.h"
#include "config/editors/tankeditor.h"
#include "config/status/transferwindow.h"
#include "config/editors/usereditor.h"
#include "core/services/clock.h"
#include "core/services/datafolder.h"
#include "core/services/dialogstyle.h"
#include "core/exchange/exchangelog.h"
#include "core/plant/plantmodel.h"
#include "core/program/commandline.h"
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

namespace {

const char *const Description
    = "The Skladar client: the live plant map of the tank farm, its charts, reports and configuration\n"
      "editors. It reads the plant's files from its working directory and takes no arguments besides\n"
      "Qt's own (-platform, -style, ...). Bad arguments: also no display to open the window on.";

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

QStringList argumentsOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    beginProgram("skladar");
    CommandLine line(QString::fromLatin1(Description), {Done, BadArguments});
    // --help and --version are answered before any window, with or without a display; Qt's own
    // options are known only once the application has taken them off the line.
    const bool parsed = line.parser.parse(argumentsOf(argc, argv));
    if (line.parser.isSet(QStringLiteral("help")) || line.parser.isSet(QStringLiteral("version"))) {
        const QCoreApplication plain(argc, argv); // no window: the usage line only needs the program's name
        return *line.parse(QCoreApplication::arguments());
    }
    if (!displayAvailable()) {
        if (!parsed)
            return CommandLine::badArgument(line.parser.errorText());
        return complain(BadArguments,
                        QStringLiteral("no display was found (DISPLAY and WAYLAND_DISPLAY are not set); "
                                       "start it from a desktop session, or with QT_QPA_PLATFORM=offscreen "
                                       "to run without one"));
    }
    QApplication app(argc, argv);
    if (const std::optional<int> status = line.parse(QApplication::arguments()))
        return *status;
    if (!line.parser.positionalArguments().isEmpty())
        return CommandLine::badArgument(
            QStringLiteral("unexpected argument %1").arg(line.parser.positionalArguments().front()));
    QApplication::setApplicationName(QStringLiteral("Skladar"));
    QApplication::setOrganizationName(QStringLiteral("Tervo"));
    QTranslator qtTranslation; // Qt's own dialogs and buttons in the operator's language, where Qt has it
    const QString translation = qtTranslationFor(QLocale::system());
    if (!translation.isEmpty() && qtTranslation.load(translation, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
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
    connectServerLink(mainWindow, link);
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
