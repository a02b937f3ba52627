// Naming and placing the widgets of a window's layout.
#include "config/formwidgets.h"

#include "core/services/formstyle.h"

#include <QPushButton>

QPushButton *namedButton(const char *name, const QString &caption, QRect geometry, QWidget *parent)
{
    return named<QPushButton>(name, geometry, parent, caption);
}

QPushButton *defaultButton(const char *name, const QString &caption, QRect geometry, QWidget *parent)
{
    QPushButton *button = namedButton(name, caption, geometry, parent);
    button->setDefault(true);
    return button;
}

void nameForm(QWidget &window, const char *name, const QString &title)
{
    window.setObjectName(QLatin1String(name));
    window.setWindowTitle(title);
    window.setFont(formFont());
}
