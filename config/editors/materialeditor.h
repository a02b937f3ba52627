// The material editor: the materials tanks can hold, with their texts and densities.
#pragma once

#include "config/editors/editordialog.h"
#include "config/editors/materialsheet.h"

#include <QPoint>

class QFrame;
class QLineEdit;
class StringGrid;

// "Konfiguracija materijala", client area 753 x 163. Every showing loads the list from the server;
// a double click on a cell opens the entry panel, which keeps the grid and the menu waiting for its
// "OK" or "Cancel"; "&Novi materijal" adds a row (at most 96); the save writes every material and
// the list, then loads it anew. The grid opens at its top.
class MaterialEditor : public EditorDialog
{
    Q_OBJECT

public:
    explicit MaterialEditor(const EditorServices &services, QWidget *parent = nullptr);

protected:
    void FormShow() override;

private:
    void createEntry();
    void fillGrid();
    void StringGrid1DblClick(int row, int column);
    void Button2Click();
    void Novimaterijal1Click();
    void Pregled1Click();
    void Stampaj1Click();

    MaterialSheet m_sheet;
    QPoint m_cell; // (column, row) last double-clicked
    StringGrid *m_grid;
    QFrame *m_entry = nullptr;    // Panel1
    QLineEdit *m_value = nullptr; // Edit1
};
