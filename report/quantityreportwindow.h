// The quantity report window: the mass in every tank at a chosen moment, grouped and summed, with
// the stock view and the printout.
#pragma once

#include "core/history/chartrecord.h"
#include "core/services/datafolder.h"
#include "core/settings/settingsstore.h"
#include "report/reportdrawing.h"

#include <QDialog>
#include <QImage>

#include <array>

class Clock;
class DatePanel;
class Dialogs;
class GroupPanel;
class QAction;
class QPushButton;
class QScrollBar;
class ReportPanel;
class ReportPictureView;
class SortPanel;
class StockPanel;
class Tw;
struct PlantModel;

// What the window needs from outside; the references must outlive the window.
struct ReportWindowServices
{
    DataFolder folder; // "REPORT.STG" and "Report.rez"
    const Tw &w;
    Dialogs &dialogs;
    const Clock &clock;
};

// "Izvestaj o kolicini materijala u skladarma", created once at program start and shown modally.
// Its creation writes every tank into group 1 and reads "Report.rez"; its first showing computes
// for the current minute and builds the grouping table. Quantities, moment and stock figures stay
// for the whole run.
class QuantityReportWindow : public QDialog
{
    Q_OBJECT

public:
    QuantityReportWindow(const PlantModel &plant, const ReportWindowServices &services, QWidget *parent = nullptr);
    ~QuantityReportWindow() override;

    const QuantityReport &report() const { return m_report; }
    const QImage &picture() const { return m_picture; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    // The showing routine: the first showing's work, then the table drawn and put on the window.
    void FormShow();
    void showingWork();
    // Searches the history for the asked moment; false when the search failed or found no data, the
    // report then unchanged. With tellNotice the search's notice is shown.
    bool compute(const ReportMoment &asked, bool tellNotice);
    // The groups assigned afresh, as every drawing takes them.
    ReportContent content();
    void Napraviizvestaj1Click();
    void Izvestajostanju1Click();
    void Definisiizvestaj1Click();
    void Stampa1Click();
    void Button1Click();         // "&Izracunaj"
    void Button3Click();         // "&Napravi"
    void Button5Click();         // "&Definisi"
    void Button6Click();         // "&Uradi"
    void Button8Click();         // "OK" of the stock panel
    void BitBtnClick(int group); // BitBtn1 .. BitBtn15
    void ScrollBar1Change(int position);

    void createMenu();
    void createPanels();
    void showDatePanel(bool stockView);
    void openPanel(ReportPanel *panel);
    void setStockView(bool on);
    void placeStockButtons(const TableExtent &extent);
    void reportSettings(const SettingsStatus &status);

    const PlantModel &m_plant;
    ReportWindowServices m_services;
    QuantityReport m_report;
    ChartRecordsRead m_recordsRead; // the tanks' channels, and which of them are known
    bool m_firstShowing = false;
    int m_scrollOffset = 0;
    int m_stockGroup = 1;
    QImage m_picture;

    ReportPictureView *m_view = nullptr;
    QAction *m_stockViewEntry = nullptr; // "&Izvestaj o stanju", ticked in the stock view
    QScrollBar *m_scrollBar = nullptr;
    DatePanel *m_datePanel = nullptr;
    SortPanel *m_sortPanel = nullptr;
    GroupPanel *m_groupPanel = nullptr;
    StockPanel *m_stockPanel = nullptr;
    GroupArray<QPushButton *> m_stockButtons{};
};
