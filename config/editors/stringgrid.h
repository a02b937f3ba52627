// A grid of texts with a fixed header row and column, addressed column first as the editors' layouts are.
#pragma once

#include <QTableWidget>

#include <array>
#include <initializer_list>

class QTableView;

// Row 0 and column 0 are fixed: drawn like buttons, never current, never selected, and frozen:
// they stay in place while the other cells scroll under them. A click on a fixed cell does nothing
// (no cellClicked, no cellChosen). The other cells show texts the window sets; the operator
// changes them only through the window's entry panels. Enter on the current cell counts as a click
// (cellClicked) and as a double click (cellChosen) on it, so that a window answering either works
// from the keyboard. Every row has the same height.
class StringGrid : public QTableWidget
{
    Q_OBJECT

public:
    StringGrid(const char *name, int columns, int rows, QWidget *parent);

    void setColumnWidths(std::initializer_list<int> widths);
    void setDefaultRowHeight(int height);
    // Rows added are filled with empty cells, fixed in column 0.
    void setRows(int rows);
    // The first cells in view and cell (1, 1) current, as at a first showing.
    void scrollHome();

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    // The texts of one row from column 0 on.
    template <typename Texts> void setRowTexts(int row, const Texts &texts)
    {
        int column = 0;
        for (const auto &text : texts)
            setCell(column++, row, text);
    }

Q_SIGNALS:
    // A double click on a cell, or Enter on the current one; never a fixed cell.
    void cellChosen(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void updateGeometries() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillCells(int firstRow);
    void createFrozenViews();
    bool onFixedCell(const QMouseEvent &event) const;
    static bool isFixed(const QModelIndex &index);
    int m_rowHeight = 16;
    // Views of the same cells over the grid: row 0, column 0, and the corner cell both share.
    std::array<QTableView *, 3> m_frozen{};
};
