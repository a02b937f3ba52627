// The notice that the server has not answered the last value refreshes.
#pragma once

#include <QDialog>

// "Error", 208 x 86 (wider when the platform's font needs it), centred: "Gubitak veze sa serverom"
// and an OK button that hides it.
class ConnectionLostWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ConnectionLostWindow(QWidget *parent = nullptr);

public Q_SLOTS:
    // Shows the notice without waiting for it, centred on the desktop.
    void showNotice();

private Q_SLOTS:
    void BitBtn1Click();
};
