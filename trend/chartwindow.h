// TForm14 "Graficki izvestaj": one tank's history as up to four curves, with the choice of tank and
// period, scrolling, the read-out under the pointer, the chart parameters, clipboard, printing and
// the export of the history as CSV.
#pragma once

#include "core/history/chartrecord.h"
#include "core/history/chartrecordfile.h"
#include "core/plant/slotarray.h"
#include "core/services/datafolder.h"
#include "trend/chartinput.h"

#include <QDialog>
#include <QImage>
#include <QLocale>

#include <memory>

class ChartParametersWindow;
class ChartView;
class Clock;
class Dialogs;
class QAction;
class QComboBox;
class QFrame;
class QMenuBar;
class QScrollBar;
class Tw;
struct PlantModel;
struct TrendSeries;

// What the chart window needs from outside; the references must outlive the window.
struct ChartWindowServices
{
    DataFolder folder; // "REPORT.STG" and "Report.rez"
    Dialogs &dialogs;
    const Clock &clock;
    const Tw &w;
    QLocale locale;
};

class ChartWindow : public QDialog
{
    Q_OBJECT

public:
    // Creation (FormCreate): every slot's period is reset to 1/1 and Forma\LastRez to 1 in the
    // settings, and "Report.rez" is read; the plant model supplies the tanks and the user's rights
    // at every display.
    ChartWindow(const PlantModel &plant, const ChartWindowServices &services, QWidget *parent = nullptr);
    ~ChartWindow() override;

    // The slot whose history is loaded and drawn, 0 while none is.
    int selectedSlot() const { return m_selectedSlot; }
    const TrendSeries &series() const { return *m_series; }
    const QImage &chart() const { return m_chart; }
    const ReadOut &readOut() const { return m_readOut; }

    // The general redraw (FormShow): on the first display the tank menu follows the user's history
    // rights and the last slot is loaded when the user may see it (else the first slot he may see,
    // else none); then the frame is drawn for the stored pointer position and Forma\LastRez written.
    void RedrawChart();

    void selectSlot(int slot); // rr1Click .. rr15Click: load and draw the slot, if the user may see it
    void Interval1Click();     // the period chooser, preselected on the slot's period
    void ComboBox1Change(int index);
    void Button1Click();  // the period chosen: reload and redraw
    void StgToDb1Click(); // the chart parameters, modally; the chart is redrawn after them
    void Print1Click();   // the chart picture to the clipboard
    void Print2Click();   // the chart on a landscape page of the printer the operator chooses
    void exportCsv();     // the loaded history into a CSV file the operator names

    // Esc closes the open period chooser first, then the window.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QMenuBar *createMenus();
    void createToolPanel();
    void createPeriodChooser();
    void FormMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void FormMouseMove(Qt::MouseButtons buttons, QPoint position);
    bool mayLoad(int slot) const;
    int firstDisplaySlot() const;
    void showPermittedTanks();
    void loadSelectedSlot();
    void writeLastSlot();
    ChartInput chartInput() const;
    void reportSettingsFailure(const QString &error) const;

    const PlantModel &m_plant;
    ChartWindowServices m_services;
    ChartRecordsRead m_recordsRead; // the settings drawn and edited, and which slots' are known
    std::unique_ptr<TrendSeries> m_series;
    QImage m_chart;
    int m_selectedSlot = 0;
    int m_writtenLastSlot = 0; // Forma\LastRez as this window last wrote it
    bool m_firstShow = false;
    QPoint m_mouse;
    QPoint m_dragAnchor;
    int m_dragScrollAnchor = 0;
    ReadOut m_readOut;
    ReadOut m_printCopy;

    ChartView *m_view;
    QScrollBar *m_scrollBar1;
    QScrollBar *m_scrollBar2;
    QFrame *m_panel1 = nullptr;
    QFrame *m_panel2 = nullptr;
    QComboBox *m_comboBox1 = nullptr;
    SlotArray<QAction *> m_tankItems{};
    ChartParametersWindow *m_parameters;
};
