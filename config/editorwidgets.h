// The small widgets the editor windows share: the string grid, the drop-down list, upper-case boxes.
#pragma once

#include <QComboBox>
#include <QList>
#include <QTableWidget>

class QLineEdit;

// A grid of texts addressed as (column, row), with row 0 and column 0 as fixed headers that
// cannot be selected; no scroll bars and no editing in place.
class StringGrid : public QTableWidget
{
    Q_OBJECT

public:
    // widths gives every column's width in pixels.
    StringGrid(const QList<int> &widths, int rows, int rowHeight, QWidget *parent = nullptr);

    // Empty for a cell outside the grid.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

Q_SIGNALS:
    // A click on a cell that is not fixed.
    void cellClickedAt(int column, int row);
};

// A drop-down list that tells when it is about to open, before the list shows.
class DropDownList : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    void showPopup() override;

Q_SIGNALS:
    void aboutToDropDown();
};

// The box turns what is typed or set into upper case, keeping the cursor where it was.
void makeUpperCase(QLineEdit &edit);
