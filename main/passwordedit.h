// The password boxes laid over the plant map: at most 8 characters, each shown as "*".
#pragma once

#include <QLineEdit>

class PasswordEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit PasswordEdit(QWidget *parent = nullptr);
};
