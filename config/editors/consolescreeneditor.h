// The operator console screen editor: the 4 x 20 text screen the console shows for each tank.
#pragma once

#include "config/editors/consolesheet.h"
#include "config/editors/editordialog.h"

#include <QPoint>

class QComboBox;
class QFrame;
class QLineEdit;
class StringGrid;

// "Konfiguracija operatorske konzole", client area 448 x 135. Every showing loads the 15 screens
// from the server and shows none; choosing a tank in "Ekran br." shows its screen, a click on a
// cell opens the one-character entry (reserved cells only with the service value "Console"), and
// the save writes all 15 screens.
class ConsoleScreenEditor : public EditorDialog
{
    Q_OBJECT

public:
    explicit ConsoleScreenEditor(const EditorServices &services, QWidget *parent = nullptr);

protected:
    void FormShow() override;

private:
    void createEntry();
    bool reservedCellsOpen();
    void ComboBox1Change(int index);
    void StringGrid1Click(int row, int column);
    void Button1Click();
    void Snimi1Click();

    ConsoleSheet m_sheet;
    bool m_reservedOpen = false; // the service value "Console" as last read
    QPoint m_cell;               // (column, row) last clicked
    StringGrid *m_grid;
    QComboBox *m_tanks;               // ComboBox1
    QFrame *m_entry = nullptr;        // Panel1
    QLineEdit *m_character = nullptr; // Edit1
};
