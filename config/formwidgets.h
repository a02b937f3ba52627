// The widgets of a window's layout: named as the layout names them and placed where it puts them.
#pragma once

#include <QLatin1String>
#include <QRect>

#include <utility>

class QPushButton;
class QString;
class QWidget;

// A widget named and placed on parent; args come before the parent in its constructor.
template <typename Widget, typename... Args>
Widget *named(const char *name, const QRect &geometry, QWidget *parent, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QPushButton *namedButton(const char *name, const QString &caption, QRect geometry, QWidget *parent);
// The button that Enter presses in its window.
QPushButton *defaultButton(const char *name, const QString &caption, QRect geometry, QWidget *parent);

// The window's name, its title and the layouts' font.
void nameForm(QWidget &window, const char *name, const QString &title);
