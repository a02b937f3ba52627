// The editors' string grid, drop-down list and upper-case boxes.
#include "config/editorwidgets.h"

#include <QHeaderView>
#include <QLineEdit>

namespace {

bool isFixed(int column, int row)
{
    return column == 0 || row == 0;
}

} // namespace

StringGrid::StringGrid(const QList<int> &widths, int rows, int rowHeight, QWidget *parent)
    : QTableWidget(rows, static_cast<int>(widths.size()), parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setMinimumSectionSize(1);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths[column]);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columnCount(); ++column) {
            auto *item = new QTableWidgetItem;
            if (isFixed(column, row)) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(palette().button());
            }
            setItem(row, column, item);
        }
    }
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (!isFixed(column, row))
            Q_EMIT cellClickedAt(column, row);
    });
}

QString StringGrid::cell(int column, int row) const
{
    const QTableWidgetItem *found = item(row, column);
    return found ? found->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString &text)
{
    if (QTableWidgetItem *found = item(row, column))
        found->setText(text);
}

void DropDownList::showPopup()
{
    Q_EMIT aboutToDropDown();
    QComboBox::showPopup();
}

void makeUpperCase(QLineEdit &edit)
{
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, [&edit](const QString &text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int cursor = edit.cursorPosition();
        edit.setText(upper);
        edit.setCursorPosition(cursor);
    });
}
