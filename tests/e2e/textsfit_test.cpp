// Every window of the client, shown as the program creates it, with each text in its box.
#include "config/displaysettingswindow.h"
#include "config/editors/consolescreeneditor.h"
#include "config/editors/editorservices.h"
#include "config/editors/materialeditor.h"
#include "config/editors/tankeditor.h"
#include "config/editors/usereditor.h"
#include "config/status/aboutbox.h"
#include "config/status/connectionlostwindow.h"
#include "config/status/diagnosticlistwindow.h"
#include "config/status/transferwindow.h"
#include "core/exchange/exchangelog.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/services/tw.h"
#include "demoplant/demoplantmap.h"
#include "main/loginwindow.h"
#include "main/mainwindow.h"
#include "report/quantityreportwindow.h"
#include "tests/support/fixedclock.h"
#include "tests/support/plantserver.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/textfit.h"
#include "trend/chartparameterswindow.h"
#include "trend/chartwindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TextsFit, EveryLabelButtonAndGridHeaderOfEveryWindowHoldsItsText)
{
    QTemporaryDir dir;
    PlantModel plant;
    loadDemonstrationPlant(plant);
    ASSERT_FALSE(writePlantMap(dir.path(), plant.tanks));
    const SettingsStore store(dir.filePath(QStringLiteral("settings.reg")));
    RecordingDialogs dialogs;
    const FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(7, 0))};
    const Tw w(store, dialogs, clock, QLocale::c());
    PlantServer server;
    ScriptedExchange exchange(server.answerer());
    ExchangeLog log(exchange, clock);
    const DataFolder folder(dir.path());
    const EditorServices editors{log, w, dialogs, clock};

    MainWindow main(plant, log, MainWindowServices{folder, dialogs, clock, QLocale::c()});
    LoginWindow login;
    login.showFailure(QStringLiteral("Neuspesan unos podataka o skladarma."));
    DisplaySettingsWindow settings(store, dialogs);
    DiagnosticListWindow diagnostics(log);
    ConnectionLostWindow notice;
    TransferWindow transfer;
    AboutBox about;
    TankEditor tanks(editors);
    MaterialEditor materials(editors);
    ConsoleScreenEditor console(editors);
    UserEditor users(editors);
    ChartWindow chart(plant, ChartWindowServices{folder, dialogs, clock, w, QLocale::c()});
    QuantityReportWindow report(plant, ReportWindowServices{folder, w, dialogs, clock});
    const std::initializer_list<QWidget *> windows{&main, &login, &settings, &diagnostics, &notice, &transfer, &about, &tanks,
                                                   &materials, &console, &users, &chart, chart.findChild<ChartParametersWindow *>(), &report};
    QStringList clipped;
    for (QWidget *window : windows) {
        window->show();
        clipped += clippedTexts(*window);
        window->hide();
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(u'\n').toStdString();
}
