// The editors' grid of texts.
#include "config/editors/stringgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {

enum Frozen { FrozenRow, FrozenColumn, FrozenCorner };

} // namespace

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
    createFrozenViews();
}

// Each frozen view shows the grid's own model and scrolls with the grid along its free direction.
void StringGrid::createFrozenViews()
{
    for (QTableView *&view : m_frozen) {
        view = new QTableView(this);
        view->setModel(model());
        view->setFocusPolicy(Qt::NoFocus);
        view->horizontalHeader()->hide();
        view->verticalHeader()->hide();
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setFrameShape(QFrame::NoFrame);
        view->setWordWrap(false);
        view->setTextElideMode(Qt::ElideNone);
        view->setHorizontalScrollMode(horizontalScrollMode());
        view->setVerticalScrollMode(verticalScrollMode());
        view->viewport()->installEventFilter(this);
    }
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_frozen[FrozenRow]->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_frozen[FrozenColumn]->verticalScrollBar(),
            &QScrollBar::setValue);
}

// The wheel over a frozen view scrolls the grid, never the frozen view alone.
bool StringGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched != viewport()) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

void StringGrid::updateGeometries()
{
    QTableWidget::updateGeometries();
    if (!m_frozen[FrozenCorner])
        return;
    const QRect area = viewport()->geometry();
    const int fixedWidth = std::min(columnWidth(0), area.width());
    const int fixedHeight = std::min(rowHeight(0), area.height());
    m_frozen[FrozenRow]->setGeometry(area.x(), area.y(), area.width(), fixedHeight);
    m_frozen[FrozenColumn]->setGeometry(area.x(), area.y(), fixedWidth, area.height());
    m_frozen[FrozenCorner]->setGeometry(area.x(), area.y(), fixedWidth, fixedHeight);
    for (QTableView *view : m_frozen) {
        view->horizontalHeader()->setMinimumSectionSize(horizontalHeader()->minimumSectionSize());
        view->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
        for (int column = 0; column < columnCount(); ++column)
            view->setColumnWidth(column, columnWidth(column));
        for (int row = 0; row < rowCount(); ++row)
            view->setRowHeight(row, rowHeight(row));
        view->raise();
    }
    m_frozen[FrozenRow]->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_frozen[FrozenColumn]->verticalScrollBar()->setValue(verticalScrollBar()->value());
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

void StringGrid::scrollHome()
{
    setCurrentCell(1, 1);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
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

bool StringGrid::isFixed(const QModelIndex &index) { return index.row() == 0 || index.column() == 0; }

bool StringGrid::onFixedCell(const QMouseEvent &event) const
{
    const QModelIndex index = indexAt(event.position().toPoint());
    return index.isValid() && isFixed(index);
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !currentIndex().isValid() || isFixed(currentIndex()))
        return QTableWidget::keyPressEvent(event);
    event->accept();
    Q_EMIT cellClicked(currentRow(), currentColumn());
    Q_EMIT cellChosen(currentRow(), currentColumn());
}

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    if (onFixedCell(*event))
        return event->accept();
    QTableWidget::mousePressEvent(event);
}

void StringGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (onFixedCell(*event))
        return event->accept();
    QTableWidget::mouseReleaseEvent(event);
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (onFixedCell(*event))
        return event->accept();
    QTableWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        Q_EMIT cellChosen(index.row(), index.column());
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
