// The password boxes laid over the plant map: at most 8 characters, each shown as "*".
#pragma once

#include <QLineEdit>

class PasswordEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit PasswordEdit(QWidget *parent = nullptr);

Q_SIGNALS:
    // Escape in the box: the operator gives up the code.
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
