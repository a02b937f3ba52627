// The about box: the program's name, purpose and customer.
#pragma once

#include <QDialog>
#include <QImage>

// "tervo grupa", 298 x 225, centred, shown without blocking the main window; OK hides it.
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

public Q_SLOTS:
    void showBox();

private Q_SLOTS:
    void OKButtonClick();
};

// The program picture of the about box: a row of tanks under the program's name.
QImage programPicture(const QSize &size);
