// The walk over a window's texts and the room each needs in the platform's fonts.
#include "tests/support/textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTableView>

namespace {

class Walk
{
public:
    explicit Walk(const QWidget &window) : m_window(window) {}

    void check(const QWidget &widget, const QString &text, QSize needs, QSize has)
    {
        if (needs.width() <= has.width() && needs.height() <= has.height())
            return;
        QString where = widget.objectName();
        if (where.isEmpty())
            where = widget.parentWidget()->objectName() + QStringLiteral("/(") + QLatin1String(widget.metaObject()->className()) + u')';
        clipped << QStringLiteral("%1/%2: \"%3\" needs %4 x %5, has %6 x %7")
                       .arg(m_window.objectName(), where, text)
                       .arg(needs.width()).arg(needs.height()).arg(has.width()).arg(has.height());
    }

    QStringList clipped;

private:
    const QWidget &m_window;
};

// The text as drawn: "&&" is an ampersand, any other "&" marks the accelerator and takes no room.
QString drawnText(const QString &text)
{
    QString drawn;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        drawn += text[i];
    }
    return drawn;
}

void checkLabel(Walk &walk, const QLabel &label)
{
    if (label.text().isEmpty())
        return;
    if (label.wordWrap()) {
        const QFontMetrics metrics(label.font());
        int widest = 0;
        for (const QString &word : label.text().split(u' ', Qt::SkipEmptyParts))
            widest = std::max(widest, metrics.horizontalAdvance(word));
        walk.check(label, label.text(), {widest, label.heightForWidth(label.width())}, label.size());
    } else {
        walk.check(label, label.text(), label.sizeHint(), label.size());
    }
}

// A push button's text with its icon, inside the button's frame and margins on either side.
void checkPushButton(Walk &walk, const QPushButton &button)
{
    if (button.text().isEmpty())
        return;
    const QStyle &style = *button.style();
    const int frame = style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    const int margin = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
    const QFontMetrics metrics(button.font());
    int width = metrics.horizontalAdvance(drawnText(button.text())) + 2 * (frame + margin);
    if (!button.icon().isNull())
        width += button.iconSize().width() + 4;
    walk.check(button, button.text(), {width, metrics.height() + 2 * frame}, button.size());
}

// The part of the cell in sight holds the text after the margin the view keeps: on the left when
// a text runs on to be clipped, on either side when it would be elided.
void checkCell(Walk &walk, const QTableView &view, const QModelIndex &index)
{
    const QString text = index.data().toString();
    const QRect cell = view.visualRect(index) & view.viewport()->rect();
    if (text.isEmpty() || view.isColumnHidden(index.column()))
        return;
    const QVariant font = index.data(Qt::FontRole);
    const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : view.font());
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    const int margins = view.textElideMode() == Qt::ElideNone ? margin : 2 * margin;
    walk.check(view, QStringLiteral("[%1,%2] %3").arg(index.row()).arg(index.column()).arg(text),
               {metrics.horizontalAdvance(text) + margins, metrics.height()}, cell.size());
}

void checkHeader(Walk &walk, const QHeaderView &header)
{
    if (header.isHidden())
        return;
    const QFontMetrics metrics(header.font());
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    for (int section = 0; section < header.count(); ++section) {
        const QString text = header.model()->headerData(section, header.orientation()).toString();
        if (text.isEmpty() || header.isSectionHidden(section))
            continue;
        const QSize has = header.orientation() == Qt::Horizontal ? QSize(header.sectionSize(section), header.height())
                                                                 : QSize(header.width(), header.sectionSize(section));
        walk.check(header, text, {metrics.horizontalAdvance(text) + 2 * margin, metrics.height()}, has);
    }
}

// The first row holds the column titles; without a row header, the first column the row titles.
void checkGrid(Walk &walk, const QTableView &view)
{
    const QAbstractItemModel &model = *view.model();
    for (int column = 0; column < model.columnCount(); ++column)
        checkCell(walk, view, model.index(0, column));
    if (view.verticalHeader()->isHidden())
        for (int row = 1; row < model.rowCount(); ++row)
            checkCell(walk, view, model.index(row, 0));
    checkHeader(walk, *view.horizontalHeader());
    checkHeader(walk, *view.verticalHeader());
}

// A check or radio box: its indicator and text across, its text's height.
void checkBox(Walk &walk, const QAbstractButton &box)
{
    if (box.text().isEmpty() || !(qobject_cast<const QCheckBox *>(&box) || qobject_cast<const QRadioButton *>(&box)))
        return;
    walk.check(box, box.text(), {box.sizeHint().width(), QFontMetrics(box.font()).height()}, box.size());
}

// The title where the style puts it, inside the box.
void checkGroupTitle(Walk &walk, const QGroupBox &group)
{
    if (group.title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(&group);
    option.text = group.title();
    option.textAlignment = group.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect title = group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
    const QRect inside = title & group.rect();
    const QFontMetrics metrics(group.font());
    walk.check(group, group.title(), {metrics.horizontalAdvance(drawnText(group.title())), metrics.height()}, inside.size());
}

template <typename T>
QList<const T *> ownWidgets(const QWidget &window)
{
    QList<const T *> own;
    for (const T *widget : window.findChildren<T *>())
        if (widget->window() == &window)
            own.append(widget);
    return own;
}

} // namespace

QStringList clippedTexts(const QWidget &window)
{
    Walk walk(window);
    for (const QLabel *label : ownWidgets<QLabel>(window))
        checkLabel(walk, *label);
    for (const QPushButton *button : ownWidgets<QPushButton>(window))
        checkPushButton(walk, *button);
    for (const QAbstractButton *box : ownWidgets<QAbstractButton>(window))
        checkBox(walk, *box);
    for (const QGroupBox *group : ownWidgets<QGroupBox>(window))
        checkGroupTitle(walk, *group);
    for (const QTableView *grid : ownWidgets<QTableView>(window))
        checkGrid(walk, *grid);
    return walk.clipped;
}
