// The tank parameter editor: geometry, limits and material of the 15 tanks in one grid.
#pragma once

#include "config/editors/editordialog.h"
#include "config/editors/tanksheet.h"

#include <QPoint>

class QAction;
class QComboBox;
class QFrame;
class QLineEdit;
class StringGrid;

// "Konfiguracija rezervoara", client area 672 x 277. Every showing loads the materials and the tanks
// from the server; a double click on a "Materijal" cell opens the material chooser, on a geometry
// cell (with "&Izmena parametara" checked) the parameter entry. One panel at a time: while it is
// open the grid and the menu wait for its "OK" or "Cancel". The menu saves, prints, opens the
// console editor and leaves, asking first when a choice or a typed value is unsaved.
class TankEditor : public EditorDialog
{
    Q_OBJECT

public:
    explicit TankEditor(const EditorServices &services, QWidget *parent = nullptr);

    const TankSheet &sheet() const { return m_sheet; }

Q_SIGNALS:
    // "&Podesavanje konzole": the console editor is to be shown modally.
    void consoleEditorRequested();

protected:
    void FormShow() override;

private:
    void createChooser();
    void createEntry();
    void fillRows();
    void StringGrid1DblClick(int row, int column);
    void Button2Click();
    void Button3Click();
    void StampaClick();
    void Snimikonfiguraciju1Click();

    TankSheet m_sheet;
    QPoint m_cell; // (column, row) last double-clicked
    StringGrid *m_grid;
    QFrame *m_chooser = nullptr;      // Panel1
    QComboBox *m_materials = nullptr; // ComboBox1
    QFrame *m_entry = nullptr;        // Panel2
    QLineEdit *m_value = nullptr;     // Edit1
    QAction *m_changeParameters;      // Izmenaparametara2
};
