// Small widgets of the editor windows: the drop-down list that tells when it opens, upper-case boxes.
#pragma once

#include <QComboBox>

class QLineEdit;

// A drop-down list that tells when it is about to open, before the list shows.
class DropDownList : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    void showPopup() override;

Q_SIGNALS:
    void aboutToDropDown();
};

// The box turns what is typed or set into upper case, keeping the cursor where it was.
void makeUpperCase(QLineEdit &edit);
