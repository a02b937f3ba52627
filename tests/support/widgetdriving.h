// Driving real widgets in tests: finding them by their layout names, clicking grid cells and list entries.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

template <typename T>
T *child(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A click on the cell scrolled into view; with twice, then a double click, which a widget only
// takes after a click.
inline void clickCell(QAbstractItemView &view, int column, int row, bool twice = false)
{
    view.scrollTo(view.model()->index(row, column));
    const QPoint at = view.visualRect(view.model()->index(row, column)).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
}

inline void chooseEntry(QComboBox &list, int index)
{
    list.showPopup();
    clickCell(*list.view(), 0, index);
}
