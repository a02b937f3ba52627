// A grid of texts with a fixed header row and column, addressed column first as the editors' layouts are.
#pragma once

#include <QTableWidget>

#include <initializer_list>

// Row 0 and column 0 are fixed: drawn like buttons, never current, never selected. The other cells
// show texts the window sets; the operator changes them only through the window's entry panels.
// Every row has the same height.
class StringGrid : public QTableWidget
{
    Q_OBJECT

public:
    StringGrid(const char *name, int columns, int rows, QWidget *parent);

    void setColumnWidths(std::initializer_list<int> widths);
    void setDefaultRowHeight(int height);
    // Rows added are filled with empty cells, fixed in column 0.
    void setRows(int rows);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    // The texts of one row from column 0 on.
    template <typename Texts>
    void setRowTexts(int row, const Texts &texts)
    {
        int column = 0;
        for (const auto &text : texts)
            setCell(column++, row, text);
    }

private:
    void fillCells(int firstRow);
    int m_rowHeight = 16;
};
