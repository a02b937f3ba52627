// The material editor's window.
#include "config/editors/materialeditor.h"

#include "config/printouts/listprintouts.h"
#include "config/editors/stringgrid.h"
#include "core/services/tw.h"
#include "core/services/dialogs.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

MaterialEditor::MaterialEditor(const EditorServices &services, QWidget *parent)
    : EditorDialog(services, "Form3", QStringLiteral("Konfiguracija materijala"), QSize(777, 163), parent)
    , m_grid(new StringGrid("StringGrid1", MaterialGridColumns, 1, client()))
{
    m_grid->setGeometry(8, 8, 761, 147);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setColumnWidths({30, 256, 259, 80, 120});
    m_grid->setDefaultRowHeight(16);
    m_grid->setToolTip(QStringLiteral("Dvaput kliknite na polje koje zelite promeniti."));
    m_grid->setRowTexts(0, materialGridHeader());
    connect(m_grid, &StringGrid::cellChosen, this, &MaterialEditor::StringGrid1DblClick);
    createEntry();
    setPanelLocks({m_grid}, m_grid);
    setLeaving([this] { return !m_sheet.saved; },
               [this] {
                   Pregled1Click();
                   return true;
               });

    addMenuItem("Novimaterijal1", QStringLiteral("&Novi materijal"), [this] { Novimaterijal1Click(); });
    addMenuItem("Pregled1", QStringLiteral("Snimi &konfiguraciju"), [this] { Pregled1Click(); });
    addMenuItem("Stampaj1", QStringLiteral("&Stampaj"), [this] { Stampaj1Click(); });
}

void MaterialEditor::createEntry()
{
    m_entry = namedPanel("Panel1", QRect(216, 40, 321, 81), client());
    auto *label = new QLabel(QStringLiteral("Unesite parametar :"), m_entry);
    label->setGeometry(16, 8, 200, 16);
    m_value = named<QLineEdit>("Edit1", QRect(16, 26, 289, 21), m_entry);
    addPanel(m_entry, {"Button1", {16, 52}}, {"Button2", {230, 52}}, [this] { Button2Click(); });
}

// A failed load leaves the grid as it was.
void MaterialEditor::FormShow()
{
    hidePanels();
    if (const std::optional<ServerRecord> failed = loadMaterialSheet(m_services.server, m_sheet, m_services.w.locale()))
        return reportFailure(*failed, ExchangeOperation::Read);
    fillGrid();
    m_grid->scrollHome();
}

void MaterialEditor::fillGrid()
{
    m_grid->setRows(static_cast<int>(m_sheet.rows.size()) + 1);
    for (int row = 1; row < m_grid->rowCount(); ++row)
        m_grid->setRowTexts(row, m_sheet.rows[row - 1]);
}

void MaterialEditor::StringGrid1DblClick(int row, int column)
{
    m_cell = QPoint(column, row);
    showPanel(m_entry);
    m_value->setMaxLength(materialEntryLength(m_cell.x()));
    m_value->setText(m_grid->cell(m_cell.x(), m_cell.y()));
    m_value->selectAll();
    m_value->setFocus();
}

void MaterialEditor::Button2Click()
{
    typeMaterialValue(m_sheet, m_cell.y(), m_cell.x(), m_value->text());
    fillGrid();
    hidePanels();
}

void MaterialEditor::Novimaterijal1Click()
{
    if (!addMaterialRow(m_sheet))
        return m_services.dialogs.message(QStringLiteral("Maksimalan broj materijala je ogranicen na 96"),
                                          QStringLiteral("Error"));
    fillGrid();
}

void MaterialEditor::Pregled1Click()
{
    if (!m_sheet.loaded)
        return;
    const MaterialSave save = saveMaterialSheet(m_services.server, m_sheet);
    if (reportCellFaults(save.faults))
        return;
    if (save.failed)
        return reportFailures(*save.failed, save.failures);
    FormShow();
}

void MaterialEditor::Stampaj1Click()
{
    printPrintout(materialListPrintout(m_sheet.rows, m_services.clock), m_services.dialogs);
}
