// The tank parameter editor's window.
#include "config/editors/tankeditor.h"

#include "config/printouts/listprintouts.h"
#include "config/editors/stringgrid.h"
#include "core/services/tw.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

TankEditor::TankEditor(const EditorServices &services, QWidget *parent)
    : EditorDialog(services, "Form2", QStringLiteral("Konfiguracija rezervoara"), QSize(738, 277), parent)
    , m_grid(new StringGrid("StringGrid1", TankGridColumns, TankCount + 1, client()))
{
    m_grid->setGeometry(8, 8, 722, 261);
    m_grid->setColumnWidths({30, 65, 51, 50, 52, 59, 65, 114, 110, 124});
    m_grid->setDefaultRowHeight(16);
    m_grid->setToolTip(QStringLiteral("Dvaput kliknite na polje 'Materijal' za izbor materijala"));
    m_grid->setRowTexts(0, tankGridHeader());
    for (int row = 1; row <= TankCount; ++row)
        m_grid->setCell(0, row, QString::number(row));
    connect(m_grid, &StringGrid::cellChosen, this, &TankEditor::StringGrid1DblClick);
    createChooser();
    createEntry();
    setPanelLocks({m_grid}, m_grid);
    setLeaving([this] { return !m_sheet.saved; },
               [this] {
                   Snimikonfiguraciju1Click();
                   return true;
               });

    addMenuItem("Novirezervoar1", QStringLiteral("&Novi rezervoar"), [] {})->setVisible(false);
    m_changeParameters = addMenuItem("Izmenaparametara2", QStringLiteral("&Izmena parametara"), [] {});
    m_changeParameters->setCheckable(true);
    m_changeParameters->setVisible(false);
    addMenuItem("Stampa", QStringLiteral("&Stampaj konfiguraciju"), [this] { StampaClick(); });
    addMenuItem("Podesavanjekonzole1", QStringLiteral("&Podesavanje konzole"),
                [this] { Q_EMIT consoleEditorRequested(); });
    addMenuItem("Snimikonfiguraciju1", QStringLiteral("Snimi &konfiguraciju"), [this] { Snimikonfiguraciju1Click(); });
}

void TankEditor::createChooser()
{
    m_chooser = namedPanel("Panel1", QRect(200, 90, 272, 97), client());
    auto *label = new QLabel(QStringLiteral("Izaberite materijal za rezervoar "), m_chooser);
    label->setGeometry(16, 10, 240, 16);
    m_materials = named<QComboBox>("ComboBox1", QRect(16, 32, 240, 21), m_chooser);
    addPanel(m_chooser, {"Button1", {16, 62}}, {"Button2", {181, 62}}, [this] { Button2Click(); });
}

void TankEditor::createEntry()
{
    m_entry = namedPanel("Panel2", QRect(200, 104, 272, 69), client());
    m_value = named<QLineEdit>("Edit1", QRect(16, 10, 240, 21), m_entry);
    addPanel(m_entry, {"Button4", {16, 38}}, {"Button3", {181, 38}}, [this] { Button3Click(); });
}

void TankEditor::FormShow()
{
    hidePanels();
    m_changeParameters->setVisible(serviceSettingOn(m_services, QStringLiteral("Change")));
    const std::optional<ServerRecord> failed = loadTankSheet(m_services.server, m_sheet, m_services.w.locale());
    m_materials->clear();
    for (const MaterialRecord &material : m_sheet.materials)
        m_materials->addItem(material.sifra);
    m_materials->setCurrentIndex(-1);
    fillRows();
    if (failed)
        reportFailure(*failed, ExchangeOperation::Read);
}

void TankEditor::fillRows()
{
    for (int row = 1; row <= TankCount; ++row)
        m_grid->setRowTexts(row, m_sheet.rows[row]);
}

void TankEditor::StringGrid1DblClick(int row, int column)
{
    m_cell = QPoint(column, row);
    if (column == TankMaterialColumn) {
        showPanel(m_chooser);
        m_materials->setFocus();
    } else if (m_changeParameters->isChecked() && isTankGeometryColumn(column)) {
        m_value->setText(m_grid->cell(column, row));
        m_value->selectAll();
        showPanel(m_entry);
        m_value->setFocus();
    }
}

void TankEditor::Button2Click()
{
    chooseMaterial(m_sheet, m_cell.y(), m_materials->currentIndex());
    fillRows();
    hidePanels();
}

void TankEditor::Button3Click()
{
    typeTankValue(m_sheet, m_cell.y(), m_cell.x(), m_value->text());
    fillRows();
    hidePanels();
}

void TankEditor::StampaClick() { printPrintout(tankListPrintout(m_sheet.rows, m_services.clock), m_services.dialogs); }

// The grid shows what the server holds after the save, typed cells kept where nothing was written.
void TankEditor::Snimikonfiguraciju1Click()
{
    const TankSave save = saveTankSheet(m_services.server, m_sheet, m_services.w.locale());
    fillRows();
    if (!reportCellFaults(save.faults))
        reportFailures(ServerRecord::TankParams, save.failures);
}
