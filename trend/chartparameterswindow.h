// TForm15 "Podesavanja": per tank, the colour, scale and line width of each of the chart's four
// curves and which quantity's scale each axis shows, edited in the chart window's own records and
// saved into "Report.rez" on request.
#pragma once

#include "core/history/chartrecord.h"
#include "core/history/chartrecordfile.h"
#include "core/services/datafolder.h"

#include <QDialog>

class Dialogs;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Tw;

class ChartParametersWindow : public QDialog
{
    Q_OBJECT

public:
    // Edits records, which the chart window owns and draws from; records, dialogs and w must outlive
    // the window.
    ChartParametersWindow(TankChartRecords &records, const DataFolder &folder, Dialogs &dialogs, const Tw &w,
                          QWidget *parent = nullptr);

    // What the records were read from, which decides whether "Snimi konfiguraciju" may write
    // "Report.rez": not after a read that stopped inside the file (the records it did not read would
    // be written as zeros over the operator's file), nor when the file was missing (15 zero records),
    // nor when another program changed or removed it since.
    void setReadFile(const ChartRecordsRead &read);

    // The tank chosen in ComboBox1 (slot = index + 1): its settings are shown, none is changed.
    void ComboBox1Change(int index);
    // Column 0 opens the colour dialog on the row's colour; columns 1..3 open the value editor.
    // Nothing happens on the header row or before a tank is chosen.
    void StringGrid1DblClick(int row, int column);
    // The editor's text as an integer (0 after its warnings when it is no number) into the current
    // cell and its field: minimum, maximum or line width.
    void Button2Click();
    // A click in "Leva" or "Desna": one quantity per axis, the group clicked last deciding a
    // quantity both groups show.
    void RadioGroup1Click();
    void RadioGroup2Click();
    // "Snimi konfiguraciju": every record written back into "Report.rez", keeping the bytes the
    // window does not edit; a failure is reported and leaves the old file whole.
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createGrid();
    void createAxisGroups();
    TankChartRecord *chosenRecord();
    std::optional<QColor> swatchColour(int row, int column) const;
    void showSettings(const TankChartRecord *record);
    void applyAxisRule(int firstSide, const QButtonGroup &first, int secondSide, const QButtonGroup &second);

    TankChartRecords &m_records;
    DataFolder m_folder;
    Dialogs &m_dialogs;
    const Tw &m_w;
    bool m_savable = true;
    std::optional<QByteArray> m_fileBytes; // "Report.rez" as read or last saved

    QComboBox *m_comboBox1;
    QButtonGroup *m_radioGroup1 = nullptr;
    QButtonGroup *m_radioGroup2 = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_edit1;
    QPushButton *m_button2;
};
