// The editors' drop-down list and upper-case boxes.
#include "config/editors/editorwidgets.h"

#include <QLineEdit>

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
