// The walk over a window's texts and the room each needs in the platform's fonts.
#include "tests/support/textfit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionGroupBox>
#include <QTableView>

#include <optional>

namespace {

void check(QStringList &clipped, const QWidget &widget, const QString &text, QSize needs, QSize has)
{
    if (needs.width() > has.width() || needs.height() > has.height())
        clipped << QStringLiteral("%1/%2: \"%3\" needs %4 x %5, has %6 x %7")
                       .arg(widget.window()->objectName(), widget.objectName(), text)
                       .arg(needs.width()).arg(needs.height()).arg(has.width()).arg(has.height());
}

// The width of the text as drawn: "&&" is an ampersand, any other "&" marks the accelerator.
int drawnWidth(const QWidget &widget, QString text)
{
    return widget.fontMetrics().horizontalAdvance(text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1")));
}

// What a label, push button, check or radio box or group title needs; nullopt for other widgets.
std::optional<QSize> needs(const QWidget &widget, QString &text)
{
    const int height = widget.fontMetrics().height();
    if (const auto *label = qobject_cast<const QLabel *>(&widget)) {
        text = label->text();
        if (!label->wordWrap())
            return label->sizeHint();
        int widest = 0; // a word longer than the line is cut, not wrapped
        for (const QString &word : text.split(u' ', Qt::SkipEmptyParts))
            widest = std::max(widest, drawnWidth(widget, word));
        return QSize(widest, label->heightForWidth(label->width()));
    }
    if (const auto *button = qobject_cast<const QPushButton *>(&widget)) {
        text = button->text();
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return QSize(drawnWidth(widget, text) + icon + 2 * (frame + margin), height + 2 * frame);
    }
    if (qobject_cast<const QCheckBox *>(&widget) || qobject_cast<const QRadioButton *>(&widget)) {
        text = static_cast<const QAbstractButton &>(widget).text();
        return QSize(widget.sizeHint().width(), height);
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(&widget)) {
        text = group->title();
        QStyleOptionGroupBox option; // the title where the style puts it must end inside the box
        option.initFrom(group);
        option.text = text;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        return QSize(std::max(title.right() + 1, title.left() + drawnWidth(widget, text)), height);
    }
    return std::nullopt;
}

// The part of a cell in sight holds its text after the margin the view keeps: on the left when the
// text would run on and be cut, on either side when it would be elided.
void checkCell(QStringList &clipped, const QTableView &view, const QModelIndex &index)
{
    const QString text = index.data().toString();
    if (text.isEmpty() || view.isColumnHidden(index.column()))
        return;
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    const int margins = view.textElideMode() == Qt::ElideNone ? margin : 2 * margin;
    check(clipped, view, QStringLiteral("[%1,%2] %3").arg(index.row()).arg(index.column()).arg(text),
          {drawnWidth(view, text) + margins, view.fontMetrics().height()}, (view.visualRect(index) & view.viewport()->rect()).size());
}

void checkHeader(QStringList &clipped, const QHeaderView &header)
{
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int section = 0; section < header.count() && header.isVisible(); ++section) {
        const QString text = header.model()->headerData(section, header.orientation()).toString();
        const QSize has = header.orientation() == Qt::Horizontal ? QSize(header.sectionSize(section), header.height())
                                                                 : QSize(header.width(), header.sectionSize(section));
        if (!text.isEmpty() && !header.isSectionHidden(section))
            check(clipped, header, text, {drawnWidth(header, text) + 2 * margin, header.fontMetrics().height()}, has);
    }
}

// The first row holds the column titles; without a row header, the first column the row titles.
void checkGrid(QStringList &clipped, const QTableView &view)
{
    for (int column = 0; column < view.model()->columnCount(); ++column)
        checkCell(clipped, view, view.model()->index(0, column));
    for (int row = 1; row < view.model()->rowCount() && view.verticalHeader()->isHidden(); ++row)
        checkCell(clipped, view, view.model()->index(row, 0));
    checkHeader(clipped, *view.horizontalHeader());
    checkHeader(clipped, *view.verticalHeader());
}

} // namespace

QStringList clippedTexts(const QWidget &window)
{
    QStringList clipped;
    for (const QWidget *widget : window.findChildren<QWidget *>()) {
        if (widget->window() != &window)
            continue; // a window of its own is walked by itself
        QString text;
        if (const std::optional<QSize> room = needs(*widget, text); room && !text.isEmpty())
            check(clipped, *widget, text, *room, widget->size());
        // A view inside a grid (its frozen row and column) shows cells that the grid itself holds.
        const auto *grid = qobject_cast<const QTableView *>(widget);
        if (grid && !qobject_cast<const QTableView *>(grid->parentWidget()))
            checkGrid(clipped, *grid);
    }
    return clipped;
}
