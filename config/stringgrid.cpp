// The editors' grid of texts.
#include "config/stringgrid.h"

#include <QHeaderView>

StringGrid::StringGrid(const char *name, int columns, int rows, QWidget *parent)
    : QTableWidget(rows, columns, parent)
{
    setObjectName(QLatin1String(name));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    fillCells(0);
    setCurrentCell(1, 1);
}

void StringGrid::setColumnWidths(std::initializer_list<int> widths)
{
    int column = 0;
    for (const int width : widths)
        setColumnWidth(column++, width);
}

void StringGrid::setDefaultRowHeight(int height)
{
    m_rowHeight = height;
    verticalHeader()->setMinimumSectionSize(height);
    verticalHeader()->setDefaultSectionSize(height);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, height);
}

void StringGrid::setRows(int rows)
{
    const int before = rowCount();
    setRowCount(rows);
    fillCells(before);
}

QString StringGrid::cell(int column, int row) const
{
    const QTableWidgetItem *cellItem = item(row, column);
    return cellItem ? cellItem->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString &text)
{
    if (QTableWidgetItem *cellItem = item(row, column))
        cellItem->setText(text);
}

// Fixed cells are disabled, so that a click never makes them current, but keep black text.
void StringGrid::fillCells(int firstRow)
{
    for (int row = firstRow; row < rowCount(); ++row) {
        setRowHeight(row, m_rowHeight);
        for (int column = 0; column < columnCount(); ++column) {
            auto *cellItem = new QTableWidgetItem;
            if (row == 0 || column == 0) {
                cellItem->setFlags(Qt::NoItemFlags);
                cellItem->setBackground(palette().button());
                cellItem->setForeground(palette().buttonText());
            } else {
                cellItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(row, column, cellItem);
        }
    }
}
