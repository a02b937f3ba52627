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
#include "tests/config/editorfixture.h"
#include "tests/support/textfit.h"
#include "trend/chartparameterswindow.h"
#include "trend/chartwindow.h"

#include <gtest/gtest.h>

using TextsFit = EditorFixture;

TEST_F(TextsFit, EveryLabelButtonAndGridHeaderOfEveryWindowHoldsItsText)
{
    PlantModel plant;
    loadDemonstrationPlant(plant);
    ASSERT_FALSE(writePlantMap(m_dir.path(), plant.tanks));
    ExchangeLog log(server, clock);
    const DataFolder folder(m_dir.path());

    MainWindow main(plant, log, MainWindowServices{folder, dialogs, clock, QLocale::c()});
    LoginWindow login;
    login.showFailure(QStringLiteral("Neuspesan unos podataka o skladarma."));
    DisplaySettingsWindow settingsWindow(settings, dialogs);
    DiagnosticListWindow diagnostics(log);
    ConnectionLostWindow notice;
    TransferWindow transfer;
    AboutBox about;
    TankEditor tanks(services);
    MaterialEditor materials(services);
    ConsoleScreenEditor console(services);
    UserEditor users(services);
    ChartWindow chart(plant, ChartWindowServices{folder, dialogs, clock, w, QLocale::c()});
    QuantityReportWindow report(plant, ReportWindowServices{folder, w, dialogs, clock});
    const std::initializer_list<QWidget *> windows{&main, &login, &settingsWindow, &diagnostics, &notice, &transfer, &about, &tanks,
                                                   &materials, &console, &users, &chart, chart.findChild<ChartParametersWindow *>(), &report};
    QStringList clipped;
    for (QWidget *window : windows) {
        window->show();
        clipped += clippedTexts(*window);
        window->hide();
    }
    EXPECT_TRUE(clipped.isEmpty()) << clipped.join(u'\n').toStdString();
}
